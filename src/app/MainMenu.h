#pragma once
#include <QMainWindow>
#include <QIcon>
#include <QPointer>
#include <QVector>
#include <QSet>
#include <QStringList>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QTimer;
class QToolBar;
class QToolButton;
class HighlightPlan;
class UrlOpener;
enum class SearchMode;
struct ProgramState;

// The main window: loading it starts the program and unloading it ends it. It holds the
// search controls, the results pane that doubles as a notepad, and the menus and tool
// buttons that open every other window.
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

    // Busy state and timer, used by every long operation.
    void menDisable();
    void menEnable();
    void Timer1_Timer();
    void CheckClipboard();
    void International();

    // Reading windows report themselves so shut-down can store their placement.
    void registerReadingWindow(const QString& placementName, QWidget* window);
    // Keeps a control disabled whatever the busy state says (its feature is not built yet).
    void markUnavailable(QObject* control, bool unavailable = true);

    // Handlers.
    void cboTranslation_Click();
    void cboBooks_Click();
    void Command1_Click();
    void cStop_Click();
    void Command2_Click();
    void cboSearch_KeyPress();
    void cboSearch_LostFocus();
    void menDebug_Click();
    void QuitApp_Click();
    void Contents_Click();
    void About_Click();
    void LicenceAgreement_Click();
    void SplashScreen_Click();
    void Advanced_Click();
    void ReIndex_Click();
    void OpenAddress(const QString& address);

    // Search history and highlighting (MainMenuSearch.cpp).
    void PopulateHistoryCombo();
    void SaveComboHistory();
    // recolourFirst: give the whole pane the text colour before colouring the terms.
    void HighlightText(const HighlightPlan& plan, bool recolourFirst = true);
    SearchMode chosenMode() const;

    // Notepad and page setup (MainMenuNotepad.cpp).
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
    // The text last searched for, where the next search starts (a character position from
    // 0) and where the last match began (-1 for none).
    QString FindText;
    qint32 FindStart = 0;
    qint32 FindPos = -1;
    // The notepad's file: the last one chosen in an open or save dialog.
    QString NotepadFileName;

    // Print, print setup and print preview (MainMenuPrint.cpp).
    // The printing service of this window; windows opened from here print through it too,
    // so the printer chosen in print setup holds for all of them.
    class PrintService* printService() const;
    void PrintPreview_Click();
    void PrintSetup_Click();
    void Printt_Click();

    // Window state shared with the search, highlighting and notepad.
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

    ProgramState& state() { return m_state; }
    QAction* action(const QString& name) const;
    int animationFrame() const { return m_frame; }
    int animationCycles() const { return m_cycles; }
    QTimer* timer() const { return m_timer; }
    bool isBusy() const { return m_busy; }

signals:
    // Emitted when a step of start-up, activation or shut-down runs; tests follow the order.
    void stepRun(const QString& step);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction of the controls and menus (MainMenuControls.cpp).
    void buildControls();
    void buildToolBar();
    void buildMenus();
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption,
                     void (MainMenu::*handler)() = nullptr);
    QToolButton* addToolButton(const QString& name, const QString& iconName, QChar glyph);
    void AddPicturesToMenu();
    QList<QWidget*> notepadButtons() const;

    // Wiring of the notepad and printing commands to their controls.
    void connectNotepad();
    void connectPrinting();

    // Start-up pieces.
    void applyPlacementFromSettings();
    void fillBookList();
    void fillTranslationList();
    void fillFontLists();
    bool applyPageSetupValues();
    void ShowSplash();
    void ShowNoBibles();
    void restoreChoices();
    void LoadBookmarks();
    void QuitDiary();
    void savePlacements();
    void setStatusBold(bool bold);
    void showStatus(const QString& text, bool bold);
    void endSearch();

    ProgramState& m_state;
    UrlOpener& m_opener;
    std::function<void()> m_endHandler;
    int m_splashMilliseconds = 4000;
    bool m_loaded = false;
    bool m_busy = false;
    bool m_ending = false;
    int m_frame = 8;
    int m_cycles = 0;
    QSet<QObject*> m_unavailable;
    QVector<QIcon> m_frames; // the animation pictures b1..b8, read once
    QList<QPair<QString, QPointer<QWidget>>> m_readingWindows;

public:
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
    QLineEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;
    QProgressBar* PBar = nullptr;
    QTimer* m_timer = nullptr;
    QComboBox* cboFont = nullptr;
    QComboBox* cboSize = nullptr;
    QToolBar* toolBar = nullptr;
    QMenu* menFile = nullptr;
    QMenu* Edit = nullptr;
    QMenu* Bibles = nullptr;
    QMenu* Formatt = nullptr;
    QMenu* menTools = nullptr;
    QMenu* Web = nullptr;
    QMenu* Help = nullptr;
};
