#include "TestProgramFolder.h"

#include "library/FileFunctions.h"
#include "library/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const char* const kBooks[66] = {
    "Genesis", "Exodus", "Leviticus", "Numbers", "Deuteronomy", "Joshua", "Judges", "Ruth",
    "1 Samuel", "2 Samuel", "1 Kings", "2 Kings", "1 Chronicles", "2 Chronicles", "Ezra",
    "Nehemiah", "Esther", "Job", "Psalms", "Proverbs", "Ecclesiastes", "Song of Solomon",
    "Isaiah", "Jeremiah", "Lamentations", "Ezekiel", "Daniel", "Hosea", "Joel", "Amos",
    "Obadiah", "Jonah", "Micah", "Nahum", "Habakkuk", "Zephaniah", "Haggai", "Zechariah",
    "Malachi", "Matthew", "Mark", "Luke", "John", "Acts", "Romans", "1 Corinthians",
    "2 Corinthians", "Galatians", "Ephesians", "Philippians", "Colossians", "1 Thessalonians",
    "2 Thessalonians", "1 Timothy", "2 Timothy", "Titus", "Philemon", "Hebrews", "James",
    "1 Peter", "2 Peter", "1 John", "2 John", "3 John", "Jude", "Revelation"};
const char* const kGroups[6] = {"Pentateuch", "Old Testament", "New Testament",
                                "Gospels", "Synoptic Gospels", "Whole Bible"};
} // namespace

TestProgramFolder::TestProgramFolder() { QDir(m_dir.path()).mkpath(QStringLiteral("prog")); }
TestProgramFolder::~TestProgramFolder() = default;

QString TestProgramFolder::path() const { return m_dir.path() + QStringLiteral("/prog"); }
// Existing folders and files are found in whatever spelling they have, as the program itself
// finds them, so "sysdefs/Books.txt" means the file in a "SysDefs" folder made earlier
// instead of a second folder beside it.
QString TestProgramFolder::file(const QString& rel) const {
    return FileFunctions::resolve(path() + '/' + rel);
}
QString TestProgramFolder::settingsPath() const {
    return m_dir.path() + QStringLiteral("/settings.ini");
}

std::unique_ptr<SettingsStore> TestProgramFolder::makeSettings() const {
    return std::make_unique<SettingsStore>(settingsPath());
}

void TestProgramFolder::write(const QString& rel, const QByteArray& bytes) const {
    const QString p = file(rel);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray TestProgramFolder::read(const QString& rel) const {
    QFile f(file(rel));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestProgramFolder::installMessages() const {
    const QString src = QStringLiteral(TOLVANE_SOURCE_DIR) + QStringLiteral("/data/program/msg");
    QDir().mkpath(file(QStringLiteral("msg")));
    for (const QString& name : QDir(src).entryList(QDir::Files))
        QFile::copy(src + '/' + name, file(QStringLiteral("msg/") + name));
}

void TestProgramFolder::writeBooks(int lines) const {
    QByteArray out;
    for (int n = 1; n <= lines && n <= 72; ++n) {
        const QByteArray name = n <= 66 ? QByteArray(kBooks[n - 1]) : QByteArray(kGroups[n - 67]);
        out += QByteArray::number(n) + '\t' + name + '\t' + name + "\r\n";
    }
    write(QStringLiteral("sysdefs/Books.txt"), out);
}

void TestProgramFolder::writeTranslations(const QByteArray& records) const {
    write(QStringLiteral("sysdefs/Translations.txt"), records);
}

void TestProgramFolder::makeFolders() const {
    for (const char* f : {"Modules/Bible", "Modules/Commentary", "Modules/Dictionary",
                          "Modules/Name", "Modules/Prayers", "Modules/SNotes", "Modules/Maps",
                          "Index", "Scratch", "SysDefs"})
        QDir().mkpath(file(QString::fromLatin1(f)));
}

QByteArray TestProgramFolder::bibleLine(int running, int book, int chapter, int verse,
                                        const QByteArray& text) {
    return QByteArray::number(running) + '\t' + QByteArray::number(book) + '\t' +
           QByteArray::number(chapter) + '\t' + QByteArray::number(verse) + '\t' + text + "\r\n";
}

QByteArray TestProgramFolder::smallBibleText() {
    return bibleLine(1, 1, 1, 1, "In the beginning God created the heaven and the earth.") +
           bibleLine(2, 1, 1, 2, "And the earth was without form, and void.") +
           bibleLine(3, 1, 1, 3, "And God said, Let there be light: and there was light.") +
           bibleLine(4, 1, 2, 1, "Thus the heavens and the earth were finished.") +
           bibleLine(5, 1, 2, 2, "And on the seventh day God ended his work.") +
           bibleLine(6, 2, 1, 1, "Now these are the names of the children of Israel.") +
           bibleLine(7, 40, 1, 1, "The book of the generation of Jesus Christ.") +
           bibleLine(8, 40, 1, 2, "Abraham begat Isaac; and Isaac begat Jacob.") +
           bibleLine(9, 43, 3, 16, "For God so loved the world, that he gave his only "
                                   "begotten Son.") +
           bibleLine(10, 66, 22, 21, "The grace of our Lord Jesus Christ be with you all. Amen.");
}

void TestProgramFolder::addSmallBible(const QString& code) const {
    write(QStringLiteral("Modules/Bible/") + code + QStringLiteral(".txt"), smallBibleText());
}

void TestProgramFolder::makeStandard() const {
    installMessages();
    makeFolders();
    writeBooks();
    addSmallBible(QStringLiteral("b_tst"));
    writeTranslations("1,1,\"Test Bible\",\"b_tst\"\r\n");
}
