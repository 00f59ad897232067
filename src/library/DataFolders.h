#pragma once
#include "library/FolderLayout.h"

#include <QSizeF>
#include <QString>
#include <QStringList>

struct ProgramState;

// The folder tree, the module root and the general values of the settings store.
namespace DataFolders {

// The eleven working folders, in the order they are created.
const QStringList& FolderNames();

// The layout of state: state.Folders when it is separate, otherwise one folder, programDir.
const FolderLayout& Layout(ProgramState& state);
// Makes the user's own folder ready (FolderLayout::prepare); the paths it could not make.
QStringList PrepareUserFolder(ProgramState& state);

// Makes the user's own folder ready (saying what failed), then creates the folder tree
// where Tolvane writes when the stored "Revision" differs from this version.
// Returns true when the tree was created.
bool MakeFoldersIfRequired(ProgramState& state);
void CreateFolders(const QString& programFolder);

// ProgramFolder and MessageFolder from the shipped folder; IndexFolder, ScratchFolder and
// SysDefsFolder from the folder Tolvane writes in (the same one unless installed).
void SetProgramPaths(ProgramState& state);
void LoadSettings(ProgramState& state);
// The module-root steps that follow LoadSettings at start.
void SetModuleRoot(ProgramState& state);
// The module root when none is stored: "Modules/" in the folder Tolvane writes in (the
// shipped modules are read from beside it, FolderLayout::moduleFolderFor).
QString DefaultModulePath(ProgramState& state);
void SetModuleFolders(ProgramState& state);

// Placement in twips under name + PosX/PosY/X/Y; the loader corrects against the screen.
void SaveWindowPlacement(ProgramState& state, const QString& name);
void LoadWindowPlacement(ProgramState& state, const QString& name, const QSizeF& screenTwips);
void SavePrayerFontSettings(ProgramState& state, bool diaryVisible, int size, quint32 colour,
                            const QString& face);

// Shows the recovery box, deletes the "Settings" section, recreates the folders and asks the
// program to end.
void RecoverSettingsAndFolders(ProgramState& state);

// True when the module root holds a Bible ("bible/b_*.txt"), a shipped one included when the
// root is the user's own.
bool ModuleRootHasBibles(const QString& modulePath, const FolderLayout& layout = FolderLayout());

} // namespace DataFolders
