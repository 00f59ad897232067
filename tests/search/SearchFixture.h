#pragma once
#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"
#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"

#include <memory>

// A started program on a throw-away folder: paths, book catalogue and the test Bible
// "b_tst" (TestProgramFolder's small Bible) in the translation list.
struct SearchFixture {
    SearchFixture() {
        folder.makeStandard();
        store = folder.makeSettings();
        state = std::make_unique<ProgramState>(*store, dialogs);
        state->programDir = folder.path();
        DataFolders::SetProgramPaths(*state);
        DataFolders::SetModuleRoot(*state);
        Catalogues::LoadBookCatalogue(*state);
        Catalogues::LoadTranslationCatalogue(*state);
    }

    // Replaces the test Bible's text.
    void writeBible(const QByteArray& text, const QString& code = QStringLiteral("b_tst")) {
        folder.write(QStringLiteral("Modules/Bible/") + code + QStringLiteral(".txt"), text);
    }
    QString bibleFile() const { return state->BibleFiles.value(0); }

    TestProgramFolder folder;
    std::unique_ptr<SettingsStore> store;
    ScriptedDialogs dialogs;
    std::unique_ptr<ProgramState> state;
};
