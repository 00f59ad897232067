#include "app/ModuleAvailability.h"

#include "library/FileFunctions.h"
#include "library/ProgramState.h"

ModuleAvailability ModuleAvailability::probe(const ProgramState& state) {
    using namespace FileFunctions;
    const FolderLayout& f = state.Folders;
    ModuleAvailability a;
    a.helpFileBibles = f.anyModuleFile(resolve(state.ModulePath + QStringLiteral("CHM/")),
                                       QStringLiteral("c?_*.chm"));
    a.translationNotes = FileExists(f.moduleFile(state.ModulePath, QStringLiteral("TLNotes.txt")));
    a.maps = f.anyModuleFile(state.MapsFolder, QStringLiteral("*.jpg"));
    a.commentary = f.anyModuleFile(state.CommentaryFolder, QStringLiteral("*.txt"));
    a.dictionary = f.anyModuleFile(state.DictionaryFolder, QStringLiteral("*.txt"));
    a.names = f.anyModuleFile(state.NameFolder, QStringLiteral("*.txt"));
    a.audioBibles = !listSubfolders(f.moduleRootFor(state.ModulePath + QStringLiteral("mp3/")))
                         .isEmpty();
    return a;
}
