#pragma once
#include <QSizeF>
#include <QString>

struct ProgramState;

// The folder tree, the module root and the general values of the settings store.
namespace DataFolders {

// The eleven working folders, in the order they are created.
const QStringList& FolderNames();

// Creates the folder tree when the stored "Revision" differs from this version.
// Returns true when it ran.
bool MakeFoldersIfRequired(ProgramState& state);
void CreateFolders(const QString& programFolder);

// ProgramFolder, MessageFolder, IndexFolder, ScratchFolder, SysDefsFolder from programDir.
void SetProgramPaths(ProgramState& state);
void LoadSettings(ProgramState& state);
// The module-root steps that follow LoadSettings at start.
void SetModuleRoot(ProgramState& state);
void SetModuleFolders(ProgramState& state);

// Placement in twips under name + PosX/PosY/X/Y; the loader corrects against the screen.
void SaveWindowPlacement(ProgramState& state, const QString& name);
void LoadWindowPlacement(ProgramState& state, const QString& name, const QSizeF& screenTwips);
void SavePrayerFontSettings(ProgramState& state, bool diaryVisible, int size, quint32 colour,
                            const QString& face);

// Shows the recovery box, deletes the "Settings" section, recreates the folders and asks the
// program to end.
void RecoverSettingsAndFolders(ProgramState& state);

// True when the module root holds a Bible ("bible/b_*.txt").
bool ModuleRootHasBibles(const QString& modulePath);

} // namespace DataFolders
