#include "library/DataFolders.h"

#include "library/FileFunctions.h"
#include "localisation/MessageText.h"
#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "platform/Dialogs.h"

#include <QDir>
#include <QStringList>

namespace DataFolders {

namespace {
using namespace SettingsKeys;

// "The user's own folder % cannot be made or written ..."
constexpr int kUserFolderNotWritable = 550;

// Reads a value with the store's default; a value that does not convert leaves the
// variable as it was.
template <typename T, typename Convert>
void readInto(const SettingsStore& store, const QString& key, T& variable, Convert convert) {
    if (!store.contains(Settings, key))
        return;
    T value{};
    if (convert(store.read(Settings, key, QString()), value))
        variable = value;
}

bool toColour(const QString& text, quint32& out) {
    qint32 v = 0;
    double d = 0;
    if (SettingsConvert::toInt32(text, v)) {
        out = quint32(v);
        return true;
    }
    // Colours up to 0xFFFFFFFF are stored unsigned by some writers.
    if (SettingsConvert::toNumber(text, d) && d >= 0 && d <= 4294967295.0) {
        out = quint32(d);
        return true;
    }
    return false;
}

// A position that is not a 32-bit whole number is not used (converting it would overflow).
qint32 readPosition(const SettingsStore& store, const QString& key) {
    qint32 value = 0;
    return SettingsConvert::toInt32(store.read(Settings, key, QString()), value) ? value : 0;
}
} // namespace

const QStringList& FolderNames() {
    static const QStringList names = {
        QStringLiteral("Modules"),        QStringLiteral("Modules/Bible"),
        QStringLiteral("Modules/Commentary"), QStringLiteral("Modules/Dictionary"),
        QStringLiteral("Modules/Name"),   QStringLiteral("Modules/Prayers"),
        QStringLiteral("Modules/SNotes"), QStringLiteral("Modules/Maps"),
        QStringLiteral("Index"),          QStringLiteral("Scratch"),
        QStringLiteral("SysDefs")};
    return names;
}

void CreateFolders(const QString& programFolder) {
    const QString base = FileFunctions::withSeparator(programFolder);
    for (const QString& name : FolderNames())
        FileFunctions::makeFolder(base + name); // exists or cannot be made: try the next
}

const FolderLayout& Layout(ProgramState& state) {
    if (!state.Folders.separate())
        state.Folders = FolderLayout(state.programDir, state.programDir);
    return state.Folders;
}

QStringList PrepareUserFolder(ProgramState& state) { return Layout(state).prepare(); }

bool MakeFoldersIfRequired(ProgramState& state) {
    // The user's own folder is checked at every start: a new user of an installed program,
    // or a newer shipped catalogue, needs it whatever the stored revision says.
    const QStringList failed = PrepareUserFolder(state);
    if (!failed.isEmpty())
        state.dialogs.show(Dialogs::Icon::Warning, TolvaneRoutines::ProductName(),
                           MessageText::Std(state, kUserFolderNotWritable,
                                            QDir::toNativeSeparators(failed.join(
                                                QStringLiteral("\r\n")))));
    const QString version = TolvaneRoutines::VersionDigits();
    if (state.settings.read(Settings, Revision, RevisionDefault) ==
        version)
        return false;
    state.settings.write(Settings, Revision, version);
    CreateFolders(Layout(state).writable());
    return true;
}

void SetProgramPaths(ProgramState& state) {
    const FolderLayout& layout = Layout(state);
    state.ProgramFolder = layout.shipped();
    state.MessageFolder = FileFunctions::resolve(state.ProgramFolder + QStringLiteral("msg/"));
    const QString& own = layout.writable();
    state.IndexFolder = FileFunctions::resolve(own + QStringLiteral("index/"));
    state.ScratchFolder = FileFunctions::resolve(own + QStringLiteral("scratch/"));
    state.SysDefsFolder = FileFunctions::resolve(own + QStringLiteral("sysdefs/"));
}

void LoadSettings(ProgramState& state) {
    const SettingsStore& s = state.settings;
    state.ModulePath = s.read(ModulePathSection, ModulePath, QString());
    readInto(s, SettingsKeys::MAXCountSize, state.MAXCountSize, SettingsConvert::toInt32);
    readInto(s, SettingsKeys::Bib1TC, state.Bib1TC, toColour);
    readInto(s, SettingsKeys::Bib1BC, state.Bib1BC, toColour);
    readInto(s, SettingsKeys::Bib1H1, state.Bib1H1, toColour);
    readInto(s, SettingsKeys::Bib1H2, state.Bib1H2, toColour);
    readInto(s, SettingsKeys::Bib1H3, state.Bib1H3, toColour);
    readInto(s, SettingsKeys::Bib1H4, state.Bib1H4, toColour);
    readInto(s, SettingsKeys::Bib1H5, state.Bib1H5, toColour);
    readInto(s, SettingsKeys::Bib2TC, state.Bib2TC, toColour);
    readInto(s, SettingsKeys::Bib2BC, state.Bib2BC, toColour);
    readInto(s, SettingsKeys::Bib2Fontsize, state.Bib2Fontsize, SettingsConvert::toByte);
    readInto(s, SettingsKeys::Bib1Fontsize, state.Bib1Fontsize, SettingsConvert::toByte);
    readInto(s, SettingsKeys::ActiveUpdateBib1, state.ActiveUpdateBib1,
             SettingsConvert::toByte);
    readInto(s, SettingsKeys::DeleteTempFilesOnExit, state.DeleteTempFilesOnExit,
             SettingsConvert::toByte);
    if (state.ActiveUpdateBib1 > 1)
        state.ActiveUpdateBib1 = 0;
}

namespace {
QString asFolder(const QString& path) {
    return path.isEmpty() ? path : QDir::cleanPath(path) + QLatin1Char('/');
}

// The settings are the user's and shared by every copy of Tolvane the user runs (a build
// folder and an installed package, say). A module root stored by another copy that is only
// that copy's default (its own Modules folder, or the user's when that copy was installed)
// was never chosen: this copy takes its own default instead of reading the other's library
// or sending the user to look for Bibles. A root the user chose is kept.
bool IsAnotherCopysDefaultRoot(const ProgramState& state, const QString& storedBy) {
    const QString other = asFolder(storedBy);
    if (other.isEmpty() || other == asFolder(state.ProgramFolder))
        return false;
    const QString root = asFolder(state.ModulePath);
    return root == other + QStringLiteral("Modules/") ||
           root == asFolder(FolderLayout::UserFolder()) + QStringLiteral("Modules/");
}
} // namespace

void SetModuleRoot(ProgramState& state) {
    if (IsAnotherCopysDefaultRoot(state,
                                  state.settings.read(ModulePathSection, TolvanePath, QString())))
        state.ModulePath.clear();
    if (state.ModulePath.isEmpty())
        state.settings.write(ModulePathSection, ModulePath, DefaultModulePath(state));
    state.ModulePath = state.settings.read(ModulePathSection, ModulePath, QString());
    state.settings.write(ModulePathSection, TolvanePath, state.ProgramFolder);
    SetModuleFolders(state);
}

QString DefaultModulePath(ProgramState& state) {
    return Layout(state).writable() + QStringLiteral("Modules/");
}

void SetModuleFolders(ProgramState& state) {
    state.ModulePath = FileFunctions::resolve(FileFunctions::withSeparator(state.ModulePath));
    const QString& m = state.ModulePath;
    state.BibleFolder = FileFunctions::resolve(m + QStringLiteral("Bible/"));
    state.CommentaryFolder = FileFunctions::resolve(m + QStringLiteral("Commentary/"));
    state.NameFolder = FileFunctions::resolve(m + QStringLiteral("name/"));
    state.DictionaryFolder = FileFunctions::resolve(m + QStringLiteral("dictionary/"));
    state.PrayersPath = FileFunctions::resolve(m + QStringLiteral("Prayers/"));
    state.MapsFolder = FileFunctions::resolve(m + QStringLiteral("Maps/"));
}

void SaveWindowPlacement(ProgramState& state, const QString& name) {
    SettingsStore& s = state.settings;
    s.writeNumber(Settings, name + PlacementLeft, state.Placement.left);
    s.writeNumber(Settings, name + PlacementTop, state.Placement.top);
    s.writeNumber(Settings, name + PlacementWidth, state.Placement.width);
    s.writeNumber(Settings, name + PlacementHeight, state.Placement.height);
}

void LoadWindowPlacement(ProgramState& state, const QString& name, const QSizeF& screenTwips) {
    const SettingsStore& s = state.settings;
    WindowPlacement p;
    p.left = readPosition(s, name + PlacementLeft);
    p.top = readPosition(s, name + PlacementTop);
    p.width = s.readNumber(Settings, name + PlacementWidth, 0);
    p.height = s.readNumber(Settings, name + PlacementHeight, 0);
    if (p.width < 1000 || p.height < 600 || p.width >= screenTwips.width() ||
        p.height >= screenTwips.height())
        p = WindowPlacement{0, 0, 8000, 8000};
    state.Placement = p;
}

void SavePrayerFontSettings(ProgramState& state, bool diaryVisible, int size, quint32 colour,
                            const QString& face) {
    if (!diaryVisible)
        return;
    state.settings.writeNumber(Settings, SettingsKeys::PrayerFontSize, quint8(size));
    state.settings.writeNumber(Settings, SettingsKeys::PrayerForeColour, qint32(colour));
    state.settings.write(Settings, SettingsKeys::PrayerFontName, face);
}

void RecoverSettingsAndFolders(ProgramState& state) {
    state.dialogs.show(Dialogs::Icon::Critical, QString(),
                       QStringLiteral("An unexpected error has occured. ") +
                           TolvaneRoutines::ProductName() + QStringLiteral("\r\n") +
                           QStringLiteral("Will attempt to recover from this. Please restart "
                                          "the Program."));
    state.settings.deleteSection(Settings);
    state.settings.sync();
    CreateFolders(Layout(state).writable());
    state.EndRequested = true;
}

bool ModuleRootHasBibles(const QString& modulePath, const FolderLayout& layout) {
    return layout.anyModuleFile(FileFunctions::resolve(FileFunctions::withSeparator(modulePath) +
                                                       QStringLiteral("bible/")),
                                QStringLiteral("b_*.txt"));
}

} // namespace DataFolders
