#include "cli/CliCommon.h"

#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace Cli {

void printError(const QString& text) {
    std::fprintf(stderr, "tolvane-cli: %s\n", text.toLocal8Bit().constData());
}

void writeOut(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

int usage(const QString& error, const char* usageText) {
    printError(error);
    std::fputs(usageText, stderr);
    return kUsage;
}

int refuse(const QString& error, const char* command) {
    printError(error + QStringLiteral(" (tolvane-cli ") + QLatin1String(command) +
               QStringLiteral(" --help lists the options)"));
    return kUsage;
}

int missing(const QString& error) {
    printError(error);
    return kUsage;
}

bool parse(const QStringList& args, const QStringList& valueOptions, const QStringList& flags,
           Arguments& out, QString& error) {
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (optionsEnded || !a.startsWith(QLatin1String("--"))) {
            out.words.append(a);
        } else if (a == QLatin1String("--")) {
            optionsEnded = true;
        } else if (flags.contains(a)) {
            out.flags.insert(a);
        } else if (valueOptions.contains(a)) {
            if (i + 1 >= args.size()) {
                error = a + QStringLiteral(" needs a value");
                return false;
            }
            out.values.insert(a, args.at(++i));
        } else {
            error = QStringLiteral("unknown option ") + a;
            return false;
        }
    }
    return true;
}

std::optional<int> toInt(const QString& text, int low, int high) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high)
        return std::nullopt;
    return v;
}

Session::Session()
    : m_store(m_settingsDir.filePath(QStringLiteral("settings.ini"))), m_state(m_store, m_dialogs) {
}

bool Session::load(const QString& folder, QString& error) {
    ProgramState& state = m_state;
    // Without a folder: the installed library as the user sees it (the user's own folder
    // over the shipped one), or the program folder next to tolvane-cli.
    state.Folders = FolderLayout::ForExecutable(
        folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder);
    state.programDir = QDir::cleanPath(state.Folders.shipped());
    const QStringList failed = DataFolders::PrepareUserFolder(state);
    if (!failed.isEmpty()) {
        error = QStringLiteral("cannot make or write ") + failed.join(QStringLiteral(", "));
        return false;
    }
    DataFolders::SetProgramPaths(state);
    state.ModulePath = DataFolders::DefaultModulePath(state);
    DataFolders::SetModuleFolders(state);
    if (!FileFunctions::FileExists(state.SysDefsFolder + QStringLiteral("Books.txt")) ||
        !FileFunctions::FileExists(state.SysDefsFolder + QStringLiteral("Translations.txt"))) {
        error = state.ProgramFolder + QStringLiteral(" is not a program folder (no sysdefs)");
        return false;
    }
    if (!Catalogues::LoadBookCatalogue(state) ||
        Catalogues::LoadTranslationCatalogue(state) != Catalogues::TranslationResult::Loaded) {
        error = state.ProgramFolder + QStringLiteral(" holds no usable Bible");
        return false;
    }
    for (const QString& f : {state.IndexFolder, state.ScratchFolder})
        QDir().mkpath(f);
    return true;
}

} // namespace Cli
