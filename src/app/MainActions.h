#pragma once

class QAction;
class QMenu;

// Every command of the main window, one QAction each, grouped as the menus are. A command
// that has both a menu item and a tool button is one action shown in both places, so it is
// enabled, checked and captioned once. The action's objectName is the menu item's name
// ("Save"); its tool button carries the button's name ("CmdSave"). Commands with a tool
// button only (the formatting buttons, the help-file and audio Bibles) are named after the
// button.
struct MainActions {
    struct File {
        QAction* newFile = nullptr;      // NewFile
        QAction* open = nullptr;         // OpenFile, cmdOpen
        QAction* save = nullptr;         // Save, CmdSave
        QAction* saveAs = nullptr;       // FileSaveAs
        QAction* printPreview = nullptr; // PrintPreview
        QAction* printSetup = nullptr;   // PrintSetup
        QAction* print = nullptr;        // Printt, cmdPrint
        QAction* exit = nullptr;         // QuitApp
    } file;

    struct Edit {
        QAction* cut = nullptr;       // Cut, cmdCut
        QAction* copy = nullptr;      // Copy, cmdCopy
        QAction* paste = nullptr;     // Paste, cmdPaste
        QAction* undo = nullptr;      // undo, cmdUndo
        QAction* remove = nullptr;    // Delete, cmdDelete
        QAction* find = nullptr;      // Find, cmdFind
        QAction* findNext = nullptr;  // FindNext, CmdFindNext
        QAction* selectAll = nullptr; // SelectAll
        QAction* wrap = nullptr;      // Wrap (checkable)
    } edit;

    // The "View" menu.
    struct View {
        QAction* multiBible = nullptr;       // VerseByVerse, cmdBibMulti
        QAction* commentary = nullptr;       // Commentary, cmdCommentary
        QAction* dictionary = nullptr;       // Dictionaries, cmdDictionary
        QAction* maps = nullptr;             // BMaps
        QAction* names = nullptr;            // Two, cmdBibNames
        QAction* integrateNames = nullptr;   // menIntegrateNames (checkable)
        QAction* openDiary = nullptr;        // OpenPrayerDiary, cmdPrayer
        QAction* switchIdentity = nullptr;   // SwitchIdent
        QAction* translationNotes = nullptr; // TranslationNotes
    } view;

    // The "Format" menu and the formatting tool buttons.
    struct Format {
        QAction* date = nullptr;       // DateFormat
        QAction* pageSetup = nullptr;  // Page_Setup
        QAction* bookmark = nullptr;   // mBookmark
        QAction* backColour = nullptr; // cmdBColour
        QAction* foreColour = nullptr; // cmdFColuor
        QAction* bold = nullptr;       // cmdBold (checkable, as are the next five)
        QAction* italic = nullptr;     // cmdItalic
        QAction* underline = nullptr;  // cmdUnderline
        QAction* left = nullptr;       // cmdLeftJ
        QAction* centre = nullptr;     // cmdCentreJ
        QAction* right = nullptr;      // cmdRightJ
        QAction* indentLess = nullptr; // cmdIndentLess
        QAction* indentMore = nullptr; // cmdIndentMore
        QAction* bullet = nullptr;     // cmdBullet (checkable)
    } format;

    struct Tools {
        QAction* language = nullptr;              // mLanguage
        QAction* folderTool = nullptr;            // Advanced
        QAction* debug = nullptr;                 // menDebug (checkable)
        QAction* options = nullptr;               // BibDefaults
        QAction* reIndex = nullptr;               // ReIndex
        QAction* integrityBibles = nullptr;       // IntegrityBib
        QAction* integrityCommentaries = nullptr; // IntegrityCommentary
        QAction* integrityDictionaries = nullptr; // IntegrityDict
        QAction* integrityNames = nullptr;        // IntegrityNames
        QAction* integrityAll = nullptr;          // IntegrityAll
        QAction* importModule = nullptr;          // ImportModule
    } tools;

    // The "Web/Email" menu: our web site, or a mail to us.
    struct Web {
        QAction* forum = nullptr;            // mDiscussionForum
        QAction* website = nullptr;          // GotoWebsite
        QAction* subscribeWeb = nullptr;     // mWebSubscribe
        QAction* subscribeEmail = nullptr;   // mEmailSubscribe
        QAction* unsubscribeWeb = nullptr;   // mWebUnsubscribe
        QAction* unsubscribeEmail = nullptr; // mEmailUnsubscribe
        QAction* sendWeb = nullptr;          // mWebSendmail
        QAction* sendEmail = nullptr;        // mEmailSendMail
        QAction* bugReport = nullptr;        // BugReport (in the Help menu)
    } web;

    struct Help {
        QAction* contents = nullptr; // Contents, cmdHlp
        QAction* licence = nullptr;  // LicenceAgreement
        QAction* about = nullptr;    // About
        QAction* splash = nullptr;   // SplashScreen
    } help;

    // Tool buttons that open the Bibles kept outside the library.
    struct Media {
        QAction* helpFileBibles = nullptr; // cmdCHM
        QAction* audioBibles = nullptr;    // cmdMP3
    } media;
};

// The menus, named as their menu items are.
struct MainMenus {
    QMenu* file = nullptr;        // menFile
    QMenu* edit = nullptr;        // Edit
    QMenu* view = nullptr;        // Bibles
    QMenu* prayerDiary = nullptr; // PrayerDiary
    QMenu* format = nullptr;      // Formatt
    QMenu* tools = nullptr;       // menTools
    QMenu* integrity = nullptr;   // IntegrityCheck
    QMenu* web = nullptr;         // Web
    QMenu* mailingList = nullptr; // Mailinglist
    QMenu* unsubscribe = nullptr; // Unsubscribe
    QMenu* sendMessage = nullptr; // SendMessage
    QMenu* help = nullptr;        // Help
};
