#pragma once
#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"

#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"

#include <QDirIterator>
#include <QMap>
#include <memory>

// A throw-away program folder with the small test Bible, loaded as the main window loads it,
// and a snapshot of everything an import may touch: the modules, the index folder and the
// catalogues (hidden files too, so a temporary folder left behind shows).
struct ImportFixture {
    TestProgramFolder folder;
    std::unique_ptr<SettingsStore> settings;
    ScriptedDialogs dialogs;
    std::unique_ptr<ProgramState> state;

    explicit ImportFixture(const QByteArray& catalogue = "1,1,\"Test Bible\",\"b_tst\"\r\n") {
        folder.makeStandard();
        folder.writeTranslations(catalogue);
        settings = folder.makeSettings();
        state = std::make_unique<ProgramState>(*settings, dialogs);
        state->programDir = folder.path();
        DataFolders::SetProgramPaths(*state);
        state->ModulePath = state->ProgramFolder + "Modules/";
        DataFolders::SetModuleFolders(*state);
        Catalogues::LoadBookCatalogue(*state);
        Catalogues::LoadTranslationCatalogue(*state);
    }

    QMap<QString, QByteArray> snapshot() const {
        QMap<QString, QByteArray> files;
        for (const char* sub : {"Modules", "Index", "SysDefs"}) {
            QDirIterator it(folder.file(QLatin1String(sub)),
                            QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                files.insert(path.mid(folder.path().size()),
                             QFileInfo(path).isDir()
                                 ? QByteArray("<folder>")
                                 : folder.read(path.mid(folder.path().size() + 1)));
            }
        }
        return files;
    }
};
