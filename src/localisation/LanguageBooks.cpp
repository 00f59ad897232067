#include "localisation/LanguageBooks.h"

#include "library/FileFunctions.h"
#include "library/LineReader.h"
#include "platform/Win1252.h"

namespace LanguageBooks {

QStringList Languages(const QString& sysDefsFolder) {
    QStringList out;
    for (const QString& file : FileFunctions::listFiles(sysDefsFolder, QStringLiteral("books_*.txt")))
        out << LanguageOf(file);
    return out;
}

QString FileNameFor(const QString& language) {
    return QStringLiteral("BOOKS_") + language + QStringLiteral(".txt");
}

QString LanguageOf(const QString& fileName) {
    const qsizetype under = fileName.indexOf(QLatin1Char('_'));
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'), under + 1);
    if (under < 0 || dot < 0)
        return QString();
    return fileName.mid(under + 1, dot - under - 1);
}

std::optional<QStringList> ReadReferenceNames(const QString& path) {
    LineReader reader(FileFunctions::resolve(path));
    if (!reader.isOpen())
        return std::nullopt;
    QStringList names;
    QByteArray line;
    while (names.size() < kBooks && reader.readLine(line)) {
        const QString text = Win1252::decode(line);
        names << text.mid(text.lastIndexOf(QLatin1Char('\t')) + 1);
    }
    return names;
}

QVector<Entry> ReadList(const QString& path) {
    QVector<Entry> out;
    LineReader reader(FileFunctions::resolve(path));
    QByteArray line;
    while (out.size() < kBooks && reader.isOpen() && reader.readLine(line)) {
        const QString text = Win1252::decode(line);
        const qsizetype tab1 = text.indexOf(QLatin1Char('\t'));
        const qsizetype tab2 = tab1 < 0 ? -1 : text.indexOf(QLatin1Char('\t'), tab1 + 1);
        Entry e;
        if (tab2 >= 0) {
            e.shortName = text.mid(tab1 + 1, tab2 - tab1 - 1);
            e.bookName = text.mid(tab2 + 1);
        }
        out.append(e);
    }
    return out;
}

namespace {
bool writable(const QString& name) {
    bool lossless = true;
    Win1252::encode(name, &lossless);
    return lossless && !name.trimmed().isEmpty() && name.size() <= kMaxName &&
           !name.contains(QLatin1Char('\t')) && !name.contains(QLatin1Char('\r')) &&
           !name.contains(QLatin1Char('\n'));
}
} // namespace

int InvalidBook(const QVector<Entry>& entries) {
    for (int i = 0; i < kBooks; ++i)
        if (i >= entries.size() || !writable(entries[i].shortName) ||
            !writable(entries[i].bookName))
            return i + 1;
    return 0;
}

QByteArray FormatList(const QVector<Entry>& entries) {
    QByteArray out;
    for (int i = 0; i < entries.size(); ++i)
        out += QByteArray::number(i + 1) + '\t' + Win1252::encode(entries[i].shortName) + '\t' +
               Win1252::encode(entries[i].bookName) + "\r\n";
    return out;
}

bool LoadsAsCatalogue(const QByteArray& bytes) {
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() < kBooks)
        return false;
    for (int i = 0; i < kBooks; ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        const QList<QByteArray> f = line.split('\t');
        if (f.size() < 3 || f[0].size() > kMaxName || f[1].size() > kMaxName)
            return false;
        bool ok = false;
        const int n = f[0].trimmed().toInt(&ok);
        if (!ok || n < -32768 || n > 32767)
            return false;
    }
    return true;
}

QChar InvalidNameCharacter(const QString& name) {
    for (const QChar c : name)
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            return c;
    return QChar();
}

bool HasMessageFiles(const QString& messageFolder, const QString& language) {
    return FileFunctions::FileExists(messageFolder + language + QStringLiteral("_STD.mes")) &&
           FileFunctions::FileExists(messageFolder + language + QStringLiteral("_FRM.mes"));
}

} // namespace LanguageBooks
