#pragma once
#include "library/FolderLayout.h"
#include "library/VerseIndexEntry.h"

#include <QString>
#include <QStringList>
#include <QVector>

class SettingsStore;
class Dialogs;

// A window's placement in twips, passed between the placement helpers and the windows.
struct WindowPlacement {
    qint32 left = 0;
    qint32 top = 0;
    double width = 0;
    double height = 0;
};

// The program-wide values: created once by main and handed to every window. Field names
// follow the names used throughout the program's documentation of its data.
struct ProgramState {
    ProgramState(SettingsStore& store, Dialogs& dialogs) : settings(store), dialogs(dialogs) {}

    SettingsStore& settings;
    Dialogs& dialogs;

    // Folder of the program itself, without a trailing separator.
    QString programDir;

    // Path values; each ends in a separator.
    QString ProgramFolder, MessageFolder, IndexFolder, ScratchFolder, SysDefsFolder;
    QString ModulePath, BibleFolder, CommentaryFolder, NameFolder, DictionaryFolder, PrayersPath,
        MapsFolder;
    QString HelpFile;

    // Interface language and debug mode.
    QString LanguagePrefix = QStringLiteral("ENGLISH_");
    bool DebugMode = false;

    // Start-up values.
    QString DateFormat = QStringLiteral("dd-MMM-yyyy");
    qint16 ShowSplash = 1;
    QString FavVersesFile;
    QString DEFAULTFONT = QStringLiteral("Times New Roman");

    // Values read by LoadSettings.
    qint32 MAXCountSize = 500;
    quint32 Bib1TC = 0;
    quint32 Bib1BC = 15790320;
    quint32 Bib1H1 = 255;
    quint32 Bib1H2 = 0xFF0000;
    quint32 Bib1H3 = 0xA2B500;
    quint32 Bib1H4 = 44532;
    quint32 Bib1H5 = 16743034;
    quint32 Bib2TC = 0;
    quint32 Bib2BC = 14474460;
    quint8 Bib2Fontsize = 12;
    quint8 Bib1Fontsize = 12;
    quint8 ActiveUpdateBib1 = 0;
    quint8 DeleteTempFilesOnExit = 1;

    // Page setup values.
    quint8 CM_IN = 0;
    double WidthPage = 0, MarginLeft = 0, MarginRight = 0, gTopMargin = 0, gBottomMargin = 0;
    qint16 FitToDesktop = 1;
    qint16 ApplyToAllForms = 0;

    // Catalogues (zero-based; module lists start as one empty entry).
    QVector<qint16> BookNumbers;
    QStringList BookRefNames, BookDisplayNames;
    QStringList BibleNames{QString()}, BibleFiles{QString()};
    QStringList CommentaryNames{QString()}, CommentaryFiles{QString()};
    QString NamesModuleName, NamesModuleFile, DictionaryName, DictionaryFile;

    // The one shared verse index.
    VerseIndexTable VerseIndex{};
    QString CurrentIndexFile;

    WindowPlacement Placement;

    // Identity state.
    QString CurrentIdentity, DefaultIdentity = QStringLiteral("Default");
    bool DiaryOpen = false;

    // Set by anything that ends the program (recovery, the no-Bibles window, a found module
    // root); the main window and main() stop as soon as they see it.
    bool EndRequested = false;

    // Prayer diary and identities (the identity names above are shared with the main
    // window). DateFormat above is the diary's date format as well.
    qint16 IdentityIndex = 0;
    QStringList IdentityNames;
    QString IdentityFolder;
    bool IdentityFromMainMenu = false;

    // Installed layout: where the program folder's files are read and where Tolvane writes.
    // main() sets it; when it is not separate it follows programDir (DataFolders).
    FolderLayout Folders;
};
