#pragma once
#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/ProgramState.h"

#include <QString>

// Points `state` at the program folder laid out in `root` and loads its book and translation
// catalogues, as start-up does with the default folder.
inline bool loadLibrary(ProgramState& state, const QString& root) {
    state.programDir = root;
    DataFolders::SetProgramPaths(state);
    state.ModulePath = state.ProgramFolder + QStringLiteral("Modules/");
    DataFolders::SetModuleFolders(state);
    return Catalogues::LoadBookCatalogue(state) &&
           Catalogues::LoadTranslationCatalogue(state) == Catalogues::TranslationResult::Loaded;
}
