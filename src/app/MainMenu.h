#pragma once
#include "app/MainActions.h"
#include "app/ModuleAvailability.h"
#include "integrity/IntegrityCheck.h"
#include "reference/IntegrateNames.h"

#include <QHash>
#include <QIcon>
#include <QLatin1String>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTextDocument;
class QTextEdit;
class QTimer;
class QToolBar;
class QToolButton;
class BibNAMES;
class Commentaries;
class Dictionary;
class fBookmarkList;
class frmMP3;
class HelpViewer;
class HighlightPlan;
class Maps;
class MultiBib;
class PaneEvents;
class PrayerPopup;
class PrintService;
class TLNOtes;
class UrlOpener;
enum class SearchMode;
struct ProgramState;

// The main window: loading it starts the program and unloading it ends it. It holds the
// search controls, the results pane that doubles as a notepad, and the menus and tool
// buttons that open every other window (MainMenuWindows.cpp).
//
// Its procedures keep the names the program's documentation gives them; they are public so
// that tests and the benchmark can run them as the controls do. Its controls and state are
// its own: other code reads the state through the accessors and finds controls, if it must
// (tests), by their object names.
class MainMenu : public QMainWindow {
    Q_OBJECT
public:
    MainMenu(ProgramState& state, UrlOpener& opener, QWidget* parent = nullptr);
    ~MainMenu() override;

    // How the program ends (main() quits the application; tests record the request).
    void setEndHandler(std::function<void()> handler) { m_endHandler = std::move(handler); }
    // How long the splash screen stays up on its own.
    void setSplashMilliseconds(int ms) { m_splashMilliseconds = ms; }

    // Start-up, activation and shut-down.
    void Form_Load();
    void Form_Activate();
    bool Form_Unload(); // false when the user cancelled
    void EndProgram();

    // Busy state and timer, used by every long operation. While busy the pane is read-only
    // and nothing but the stop button can start or change work.
    void menDisable();
    void menEnable();
    bool isBusy() const { return m_busy; }
    void Timer1_Timer();
    void CheckClipboard();
    void International();

    // Handlers of the search controls (MainMenuSearch.cpp).
    void cboTranslation_Click();
    void cboBooks_Click();
    void Command1_Click();
    void cStop_Click();
    void Command2_Click();
    void cboSearch_KeyPress();
    void cboSearch_LostFocus();
    void PopulateHistoryCombo();
    void SaveComboHistory();
    // recolourFirst: give the whole pane the text colour before colouring the terms.
    void HighlightText(const HighlightPlan& plan, bool recolourFirst = true);
    void ReIndex_Click();

    // Handlers of the windows and menu items that open something (MainMenuWindows.cpp).
    void Contents_Click();
    void cmdCHM_Click();
    void cmdMP3_Click();
    void Commentary_Click();
    void Dictionaries_Click();
    void Two_Click();
    void menIntegrateNames_Click();
    void BMaps_Click();
    void TranslationNotes_Click();
    void About_Click();
    void LicenceAgreement_Click();
    void SplashScreen_Click();
    void Advanced_Click();
    void VerseByVerse_Click();
    void BibDefaults_Click();
    void ImportModule_Click();
    void menDebug_Click();
    void OpenPrayerDiary_Click();
    void SwitchIdent_Click();
    void DateFormat_Click();
    void QuitApp_Click();
    void mBookmark_Click();
    void mLanguage_Click();
    void IntegrityBib_Click();
    void IntegrityCommentary_Click();
    void IntegrityDict_Click();
    void IntegrityNames_Click();
    void IntegrityAll_Click();
    void OpenAddress(const QString& address);

    // Notepad commands (MainMenuNotepad.cpp).
    bool AskToSave(); // false when the user cancels
    void OpenPageSetup();
    void ApplyPaneLayout();
    void NewFile_Click();
    void OpenFile_Click();
    void Save_Click();
    void FileSaveAs_Click();
    void Cut_Click();
    void Copy_Click();
    void Paste_Click();
    void undo_Click();
    void Delete_Click();
    void SelectAll_Click();
    void Find_Click();
    void FindNext_Click();
    void Wrap_Click();
    void cmdBold_Click();
    void cmdItalic_Click();
    void cmdUnderline_Click();
    void cmdLeftJ_Click();
    void cmdCentreJ_Click();
    void cmdRightJ_Click();
    void cmdIndentMore_Click();
    void cmdIndentLess_Click();
    void cmdBullet_Click();
    void cmdFColuor_Click();
    void cmdBColour_Click();
    void cboFont_Click(int index);
    void cboSize_Click(int index);
    void UpdateButtons();

    // Print, print setup and print preview (MainMenuPrint.cpp). Windows opened from here
    // print through the same service, so the printer chosen in print setup holds for all.
    PrintService& printService() { return *m_print; }
    void PrintPreview_Click();
    void PrintSetup_Click();
    void Printt_Click();

    // The window's state, read-only from outside.
    const MainActions& actions() const { return m_actions; }
    int selectedBook() const { return SelectedBook; }
    const QString& currentBibleFile() const { return CurrentBibleFile; }
    bool isSearching() const { return Searching; }
    // The terms of the last search, from index 1 (index 0 and unused places hold " ").
    const QStringList& searchTerms() const { return SearchTerms; }
    int termCount() const { return TermCount; }
    bool stopRequested() const { return StopRequested; }
    const QString& dayLabel() const { return DayLabel; }
    int animationFrame() const { return m_frame; }
    int animationCycles() const { return m_cycles; }
    QTimer* timer() const { return m_timer; }
    // The notepad's document: whether it holds changes not saved, and its file.
    bool documentChanged() const { return DocumentChanged; }
    void setDocumentChanged(bool changed) { DocumentChanged = changed; }
    const QString& notepadFileName() const { return NotepadFileName; }
    // Find: the text last searched for, where the next search starts (a character position
    // from 0) and where the last match began (-1 for none).
    const QString& findText() const { return FindText; }
    qint32 findStart() const { return FindStart; }
    qint32 findPosition() const { return FindPos; }

signals:
    // Emitted when a step of start-up, activation or shut-down runs; tests follow the order.
    void stepRun(const QString& step);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction (MainMenuControls.cpp).
    void buildControls();
    void buildActions();
    void buildToolBars();
    void buildMenus();
    QAction* command(const char* name, const QString& caption,
                     void (MainMenu::*handler)() = nullptr);
    void showOnToolBar(QToolBar* bar, QAction* action, const char* buttonName,
                       const QString& iconName, QChar glyph);
    void AddPicturesToMenu();
    void connectControls();
    void connectNotepad();
    void connectPrinting();

    // The commands' enabled state: each command is enabled when the window is not busy and
    // its rule (if it has one) allows it. Rules come from the window table, the notepad's
    // selection, the clipboard and the undo state.
    void setRule(QAction* action, std::function<bool()> rule);
    void updateCommands();
    void updateCommand(QAction* action);
    void updateSelectionCommands();
    void offerUndo();

    // The window opener (MainMenuWindows.cpp).
    void connectWindows();
    template <typename W, typename Make>
    W* openWindow(QPointer<W>& slot, QLatin1String placementName, Make make);
    void applyPlacement(QWidget* window, QLatin1String placementName);
    void registerReadingWindow(QLatin1String placementName, QWidget* window);
    void enableReadingWindows(bool enabled);
    void closeReadingWindows();
    void savePlacements();
    void savePlacement(const QLatin1String& placementName, const QWidget* window);

    // Start-up pieces.
    void applyPlacementFromSettings();
    void fillBookList();
    void fillTranslationList();
    // After the translation catalogue was reloaded: the list again, the translation shown
    // before chosen again (or the first) and its handler run, so that the search never
    // works on another translation than the one the list shows.
    void refillTranslationList();
    void catalogueReloaded();
    void fillFontLists();
    bool applyPageSetupValues();
    void ShowSplash();
    void ShowNoBibles();
    void restoreChoices();
    void LoadBookmarks();
    void bookmarkLoaded(const QString& path);
    void runIntegrityCheck(std::optional<IntegrityCheck::Kind> kind);
    // Tells a loaded diary that the program ends (it saves a changed entry) and stores its
    // font; false when its entry could not be saved, so the program stays open.
    bool QuitDiary();

    // Search pieces.
    SearchMode chosenMode() const;
    void setStatusBold(bool bold);
    void showStatus(const QString& text, bool bold);
    void endSearch();
    void closeWhenIdle();
    bool MayReplaceNotes();

    // Notepad pieces.
    bool loadPlainText(const QString& text, QTextDocument* document);
    void adoptDocument(QTextDocument* document);
    void paneKeyReleased();
    void paneContentsChanged(int position, int charsRemoved, int charsAdded);
    void paneClicked();
    void setSelectionButtons();

    ProgramState& m_state;
    UrlOpener& m_opener;
    PrintService* m_print = nullptr;
    std::function<void()> m_endHandler;
    int m_splashMilliseconds = 4000;
    bool m_loaded = false;
    bool m_busy = false;
    bool m_ending = false;
    bool m_closeWhenIdle = false; // closing was asked for while busy
    int m_frame = 8;
    int m_cycles = 0;
    QVector<QIcon> m_frames; // the animation pictures b1..b8, read once

    MainActions m_actions;
    QList<QAction*> m_commands; // every action of m_actions
    MainMenus m_menus;
    QHash<QAction*, std::function<bool()>> m_rules;
    ModuleAvailability m_available;
    bool m_clipboardUsable = false;
    bool m_undoOffered = false;
    // True while the window itself fills the pane (results, an opened file, New): those
    // changes are not the user's edits.
    bool m_fillingPane = false;
    struct PaneFill {
        explicit PaneFill(bool& flag) : m_flag(flag), m_was(flag) { flag = true; }
        ~PaneFill() { m_flag = m_was; }
        bool& m_flag;
        bool m_was;
    };

    // Windows opened from here. A reading window is registered with its placement name so
    // that shut-down stores its geometry; each slot empties itself when its window closes.
    struct ReadingWindow {
        QLatin1String placementName;
        QPointer<QWidget> window;
    };
    QList<ReadingWindow> m_readingWindows;
    QPointer<HelpViewer> m_help;
    // Made by LoadBookmarks and hidden between uses; a window of its own, not a child, as the
    // main window's children are only the dialogs open at the moment.
    std::unique_ptr<fBookmarkList> m_bookmarks;
    QPointer<frmMP3> m_audio;
    QPointer<MultiBib> m_multiBible;
    QPointer<PrayerPopup> m_diary;
    QPointer<Commentaries> m_commentaries;
    QPointer<Dictionary> m_dictionary;
    QPointer<BibNAMES> m_names;
    QPointer<Maps> m_maps;
    QPointer<TLNOtes> m_notes;
    // Integrate Names: fed the pane's selection changes while its menu item is ticked.
    IntegrateNames m_integrateNames{m_state};

    // Window state shared by the search, the highlighting and the notepad.
    int SelectedBook = 1;
    QString CurrentBibleFile;
    QStringList SearchTerms;
    int TermCount = 0;
    qint32 MatchCount = 0;
    bool LimitReached = false;
    bool StopRequested = false;
    bool Searching = false;
    bool DocumentChanged = false;
    QString DayLabel;
    QString FindText;
    qint32 FindStart = 0;
    qint32 FindPos = -1;
    QString NotepadFileName;
    QString m_lastFolder; // where the file dialogs open: the documents folder, then the last used

    // Controls, named as the program's documentation names them.
    QComboBox* cboTranslation = nullptr;
    QComboBox* cboBooks = nullptr;
    QComboBox* cboSearch = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* cStop = nullptr;
    QPushButton* Command2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* chkNone = nullptr;
    QRadioButton* chkAnyOrder = nullptr;
    QRadioButton* chkAnyTerms = nullptr;
    QRadioButton* chkAllverses = nullptr;
    QCheckBox* ChkCase = nullptr;
    QCheckBox* chkActiveUpd = nullptr;
    QComboBox* cboResults = nullptr;
    QTextEdit* RT = nullptr;
    PaneEvents* m_paneEvents = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;
    QProgressBar* PBar = nullptr;
    QTimer* m_timer = nullptr;
    QComboBox* cboFont = nullptr;
    QComboBox* cboSize = nullptr;
    QToolBar* m_notepadBar = nullptr; // Toolbar1
    QToolBar* m_windowBar = nullptr;  // Toolbar2
    QToolButton* cmdCHM = nullptr;
    QToolButton* cmdMP3 = nullptr;
};
