#include "app/ModuleAvailability.h"

#include "library/FileFunctions.h"
#include "library/ProgramState.h"

ModuleAvailability ModuleAvailability::probe(const ProgramState& state) {
    using namespace FileFunctions;
    ModuleAvailability a;
    a.helpFileBibles = anyFileMatches(state.ModulePath + QStringLiteral("CHM/"),
                                      QStringLiteral("c?_*.chm"));
    a.translationNotes = FileExists(state.ModulePath + QStringLiteral("TLNotes.txt"));
    a.maps = anyFileMatches(state.MapsFolder, QStringLiteral("*.jpg"));
    a.commentary = anyFileMatches(state.CommentaryFolder, QStringLiteral("*.txt"));
    a.dictionary = anyFileMatches(state.DictionaryFolder, QStringLiteral("*.txt"));
    a.names = anyFileMatches(state.NameFolder, QStringLiteral("*.txt"));
    a.audioBibles = !listSubfolders(state.ModulePath + QStringLiteral("mp3/")).isEmpty();
    return a;
}
