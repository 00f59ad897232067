// tolvane-cli diary: reads the prayer diary of an identity, never writing in its folder.
//
//   list             each entry's day (yyyymmdd), heading and answer state, tab-separated,
//                    in date order
//   show YYYYMMDD    the entry's text as plain UTF-8 text
//   export DIR       every entry as a plain RTF file named by its day, and "index.csv" of
//                    the extras, into DIR (absent or empty)
//
// The identities come from the user's settings store. Exit status: 0 done, 1 no such entry,
// 2 bad arguments, 3 wrong password (or password settings changed outside Tolvane).
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "diary/DiaryDate.h"
#include "diary/DiaryFolder.h"
#include "diary/EncryptDecrypt.h"
#include "diary/EntryDocument.h"
#include "diary/IdentityList.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/SettingsStore.h"
#include "platform/ConsoleDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextDocument>
#include <QTextStream>
#include <cstdio>
#include <optional>

#ifdef Q_OS_UNIX
#include <termios.h>
#include <unistd.h>
#endif

const char* const Cli::kDiaryUsage =
    "usage: tolvane-cli diary [--folder DIR] [--identity NAME] [--password-stdin]\n"
    "                         list | show YYYYMMDD | export DIR\n"
    "  --folder DIR        program folder whose Modules/Prayers holds the diary (default: the\n"
    "                      user's module folder, or the one next to this program)\n"
    "  --identity NAME     whose diary (default: the default identity)\n"
    "  --password-stdin    read the password as one line from standard input instead of\n"
    "                      asking on the terminal\n"
    "  list                day, heading and answer state of every entry, in date order\n"
    "  show YYYYMMDD       the text of one entry\n"
    "  export DIR          every entry as RTF plus index.csv into DIR (absent or empty)\n"
    "exit status: 0 done, 1 no such entry, 2 bad arguments, 3 wrong password\n";

namespace {
constexpr int kWrongPassword = 3;
const char* const kUsageText = Cli::kDiaryUsage;

// One line typed on the terminal without echo; nothing when there is no terminal.
std::optional<QString> askOnTerminal(const QString& prompt) {
#ifdef Q_OS_UNIX
    std::FILE* tty = std::fopen("/dev/tty", "r+");
    if (!tty)
        return std::nullopt;
    std::fputs(prompt.toLocal8Bit().constData(), tty);
    std::fflush(tty);
    termios old{};
    const int fd = fileno(tty);
    const bool quiet = tcgetattr(fd, &old) == 0;
    if (quiet) {
        termios silent = old;
        silent.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(fd, TCSAFLUSH, &silent);
    }
    char buffer[256] = {};
    const bool read = std::fgets(buffer, sizeof buffer, tty) != nullptr;
    if (quiet)
        tcsetattr(fd, TCSAFLUSH, &old);
    std::fputs("\n", tty);
    std::fclose(tty);
    if (!read)
        return std::nullopt;
    QString line = QString::fromLocal8Bit(buffer);
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
#else
    Q_UNUSED(prompt);
    return std::nullopt;
#endif
}

std::optional<QString> readStdinLine() {
    QTextStream in(stdin);
    QString line = in.readLine();
    if (line.isNull())
        return std::nullopt;
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

QByteArray csvField(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return '"' + t.toUtf8() + '"';
}

bool writeOwnerOnly(const QString& path, const QByteArray& bytes) {
    return EncryptDecrypt::WriteOwnerOnly(path, bytes);
}

int exportTo(const DiaryFolder& folder, const QString& target) {
    QDir dir(target);
    if (dir.exists() &&
        !dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty())
        return Cli::usage(target + QStringLiteral(" is not empty"), kUsageText);
    if (!DiaryFolder::MakeOwnerOnlyFolder(target))
        return Cli::usage(QStringLiteral("cannot create ") + target, kUsageText);
    QByteArray index = "date,heading,answer,picture1,picture2,picture3,picture4,picture5,"
                       "background\r\n";
    for (const QString& name : folder.EntryNames()) {
        QByteArray rtf;
        QString error;
        if (!EncryptDecrypt::DecipherEntryFile(folder.Base(name), rtf, &error)) {
            Cli::printError(name + QStringLiteral(": ") + error);
            return Cli::kUsage;
        }
        if (!writeOwnerOnly(dir.filePath(name + QStringLiteral(".rtf")), rtf)) {
            Cli::printError(QStringLiteral("cannot write ") + dir.filePath(name));
            return Cli::kUsage;
        }
        EntryExtras extras;
        folder.ReadExtras(name, extras);
        index += name.toLatin1() + ',' + csvField(extras.heading) + ',' + csvField(extras.answer);
        for (quint8 m : extras.marks)
            index += ',' + QByteArray::number(m);
        index += ',' + QByteArray::number(extras.background) + "\r\n";
    }
    if (!writeOwnerOnly(dir.filePath(QStringLiteral("index.csv")), index)) {
        Cli::printError(QStringLiteral("cannot write index.csv"));
        return Cli::kUsage;
    }
    return Cli::kOk;
}

} // namespace

int Cli::runDiary(const QStringList& args) {
    Arguments a;
    QString error;
    if (!parse(args, {QStringLiteral("--folder"), QStringLiteral("--identity")},
               {QStringLiteral("--password-stdin")}, a, error))
        return usage(error, kUsageText);
    const QString action = a.words.value(0);
    const bool known = (action == QLatin1String("list") && a.words.size() == 1) ||
                       (action == QLatin1String("show") && a.words.size() == 2) ||
                       (action == QLatin1String("export") && a.words.size() == 2);
    if (!known)
        return usage(a.words.isEmpty() ? QStringLiteral("no action given")
                                       : QStringLiteral("bad action: ") + a.words.join(' '),
                     kUsageText);
    if (action == QLatin1String("show") && !DiaryDate::FromEntryName(a.words.at(1)))
        return usage(QStringLiteral("not a day in the form YYYYMMDD: ") + a.words.at(1),
                     kUsageText);

    // The user's own store, read only.
    SettingsStore store(SettingsStore::userStorePath());
    ConsoleDialogs dialogs;
    ProgramState state(store, dialogs);
    const QString folder = a.value(QStringLiteral("--folder"));
    state.Folders = FolderLayout::ForExecutable(
        folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder);
    state.programDir = QDir::cleanPath(state.Folders.shipped());
    DataFolders::SetProgramPaths(state);
    const QString stored =
        store.read(SettingsKeys::ModulePathSection, SettingsKeys::ModulePath, QString());
    state.ModulePath = folder.isEmpty() && !stored.isEmpty()
                           ? stored
                           : DataFolders::DefaultModulePath(state);
    DataFolders::SetModuleFolders(state);

    const QStringList names = IdentityList::Names(store);
    QString identity = a.value(QStringLiteral("--identity"));
    if (identity.isEmpty()) {
        identity = IdentityList::StoredDefault(store);
        if (!names.contains(identity))
            identity = names.value(0, SettingsKeys::DefaultIdentityDefault);
    } else if (!names.contains(identity)) {
        return usage(QStringLiteral("no identity \"") + identity + QStringLiteral("\"; known: ") +
                         names.join(QStringLiteral(", ")),
                     kUsageText);
    }
    if (!IdentityList::UsableName(identity))
        return usage(QStringLiteral("the identity name \"") + identity +
                         QStringLiteral("\" cannot name a folder"),
                     kUsageText);
    state.CurrentIdentity = identity;
    state.IdentityIndex = qint16(qMax(0, int(names.indexOf(identity))));

    // With no identity list yet, nothing guards the diary.
    const IdentityList::Access access =
        names.isEmpty() ? IdentityList::Access::Open : IdentityList::PasswordAccess(state);
    switch (access) {
    case IdentityList::Access::Tampered:
        printError(QStringLiteral("the password settings of \"") + identity +
                   QStringLiteral("\" were changed outside Tolvane; the diary stays closed"));
        return kWrongPassword;
    case IdentityList::Access::AskPassword: {
        const std::optional<QString> password = EncryptDecrypt::DecipherStoredPassword(
            IdentityList::StoredPassword(state, state.IdentityIndex, QStringLiteral("0")));
        const std::optional<QString> typed =
            a.has(QStringLiteral("--password-stdin"))
                ? readStdinLine()
                : askOnTerminal(QStringLiteral("Password for ") + identity + QStringLiteral(": "));
        if (!password || !typed || *typed != *password) {
            printError(QStringLiteral("wrong password for \"") + identity + QLatin1Char('"'));
            return kWrongPassword;
        }
        break;
    }
    case IdentityList::Access::Open:
        break;
    }

    const DiaryFolder diary(state.PrayersPath + identity + QLatin1Char('/'));
    if (action == QLatin1String("export"))
        return exportTo(diary, a.words.at(1));
    if (action == QLatin1String("list")) {
        QString out;
        for (const QString& name : diary.EntryNames()) {
            EntryExtras extras;
            diary.ReadExtras(name, extras);
            out += name + QLatin1Char('\t') + extras.heading + QLatin1Char('\t') + extras.answer +
                   QLatin1Char('\n');
        }
        writeOut(out);
        return kOk;
    }
    const QString name = a.words.at(1);
    if (!diary.HasEntry(name)) {
        printError(QStringLiteral("no entry for ") + name);
        return kNothing;
    }
    QByteArray rtf;
    if (!EncryptDecrypt::DecipherEntryFile(diary.Base(name), rtf, &error)) {
        printError(name + QStringLiteral(": ") + error);
        return kNothing;
    }
    QTextDocument document;
    EntryDocument::Load(rtf, &document);
    QString text = document.toPlainText();
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    writeOut(text);
    return kOk;
}
