// Timings of the SWORD module import, as medians over repetitions.
//
//   tolvane-bench-import [repetitions]
//
// Import: Debian's King James module (sword-text-kjv) into a fresh program folder, everything
// the Tools menu's import does (reading through libsword, conversion, the module check,
// writing, the verse index, the catalogue rewrite and reload), with the floor of libsword
// alone rendering every verse of the same module. Listing: 50 installed modules (copies of
// the Debian modules' configurations over their data) read into the list the import window
// shows.
#include "Median.h"

#include "import/ModuleImporter.h"
#include "import/SwordLibrary.h"
#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "platform/ConsoleDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

const QString kDebian = QStringLiteral("/usr/share/sword");

bool write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A program folder with the message files, the book list and one small Bible.
struct ProgramFolder {
    QTemporaryDir dir;
    QTemporaryDir settingsDir;
    SettingsStore settings{settingsDir.filePath(QStringLiteral("Tolvane.conf"))};
    ConsoleDialogs dialogs;
    ProgramState state{settings, dialogs};

    ProgramFolder() {
        const QString source = QStringLiteral(TOLVANE_SOURCE_DIR "/data/program/");
        for (const char* file :
             {"msg/ENGLISH_STD.mes", "msg/ENGLISH_FRM.mes", "sysdefs/Books.txt"}) {
            QByteArray bytes;
            FileFunctions::readWholeFile(source + QLatin1String(file), bytes);
            write(dir.filePath(QLatin1String(file)), bytes);
        }
        write(dir.filePath(QStringLiteral("sysdefs/Translations.txt")),
              "1,1,\"Small\",\"b_tst\"\r\n");
        write(dir.filePath(QStringLiteral("Modules/Bible/b_tst.txt")),
              "1\t1\t1\t1\tIn the beginning.\r\n");
        for (const char* folder : {"Modules/Commentary", "Modules/Dictionary", "Index", "Scratch"})
            QDir().mkpath(dir.filePath(QLatin1String(folder)));
        state.programDir = dir.path();
        DataFolders::SetProgramPaths(state);
        state.ModulePath = state.ProgramFolder + QStringLiteral("Modules/");
        DataFolders::SetModuleFolders(state);
        Catalogues::LoadBookCatalogue(state);
        Catalogues::LoadTranslationCatalogue(state);
    }
};

// A SWORD folder of `count` modules: the Debian modules' configurations under new names,
// over the installed data.
bool makeModules(const QString& folder, int count) {
    const QStringList confs =
        QDir(kDebian + QStringLiteral("/mods.d")).entryList({"*.conf"}, QDir::Files);
    QStringList modules;
    for (const QString& c : confs)
        if (c != QLatin1String("globals.conf"))
            modules.append(c);
    if (modules.isEmpty())
        return false;
    QDir().mkpath(folder + QStringLiteral("/mods.d"));
    QFile::link(kDebian + QStringLiteral("/modules"), folder + QStringLiteral("/modules"));
    static const QRegularExpression kSection(QStringLiteral("^\\[([^\\]]+)\\]"),
                                             QRegularExpression::MultilineOption);
    for (int i = 0; i < count; ++i) {
        QByteArray text;
        FileFunctions::readWholeFile(
            kDebian + QStringLiteral("/mods.d/") + modules.at(i % modules.size()), text);
        QString conf = QString::fromUtf8(text);
        conf.replace(kSection, QStringLiteral("[\\1_%1]").arg(i));
        write(folder + QStringLiteral("/mods.d/m%1.conf").arg(i), conf.toUtf8());
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int reps = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    if (!SwordLibrary::Available()) {
        std::puts("Tolvane was built without libsword: nothing to measure.");
        return 0;
    }
    if (!QFile::exists(kDebian + QStringLiteral("/mods.d/engKJV2006eb.conf"))) {
        std::puts("sword-text-kjv is not installed (apt-get install sword-text-kjv): nothing to "
                  "measure.");
        return 0;
    }

    std::vector<double> importMs, floorMs, listMs;
    int lines = 0;
    for (int r = 0; r < reps; ++r) {
        const SwordLibrary library({kDebian});
        floorMs.push_back(millis([&] {
            library.Read(QStringLiteral("engKJV2006eb"),
                         [](const SwordEntry&, qint64, qint64) { return true; });
        }));
        ProgramFolder folder;
        importMs.push_back(millis([&] {
            const ModuleImporter::Outcome o =
                ModuleImporter(folder.state).Import(library, QStringLiteral("engKJV2006eb"), false);
            lines = o.status == ModuleImporter::Status::Imported ? o.lines : -1;
        }));
    }
    QTemporaryDir sword;
    if (!makeModules(sword.path(), 50))
        return 1;
    int listed = 0;
    for (int r = 0; r < reps; ++r)
        listMs.push_back(
            millis([&] { listed = int(SwordLibrary({sword.path()}).modules().size()); }));

    const double import = median(importMs), floor = median(floorMs);
    std::printf(
        "import of the King James module (%d lines, with its index): %.0f ms (budget 3000 ms)\n",
        lines, import);
    std::printf(
        "  floor, libsword reading every verse through the same filters: %.0f ms (import %.2fx)\n",
        floor, import / floor);
    std::printf("listing %d installed modules: %.0f ms (budget 500 ms)\n", listed, median(listMs));
    std::printf("(medians of %d repetitions)\n", reps);
    return 0;
}
