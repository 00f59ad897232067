#pragma once
#include "diary/DiaryFolder.h"
#include "diary/EntryExtras.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>

class PrintService;
class QAction;
class QComboBox;
class PrayerList;
class QDateEdit;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTextEdit;
class QToolBar;
class QToolButton;
class SearchPopup;
struct ProgramState;

// The prayer diary: one rich-text entry per day of the current identity, with a prayer
// heading, an answer state, up to five pictures and a background colour. Entries are read and
// written through DiaryFolder, enciphered, for the identity the window was loaded for.
//
// Constructing the window runs its load step (it stays hidden); OpenPrayerDiary asks the
// password and shows it. Closing it in any way runs Form_Unload.
class PrayerPopup : public QMainWindow {
    Q_OBJECT
public:
    PrayerPopup(ProgramState& state, PrintService& print, QWidget* parent = nullptr);
    ~PrayerPopup() override;

    // "&Open" of the main window: brings a shown diary to the front, otherwise asks the
    // identity's password and shows the window. A wrong password unloads the window again
    // (false).
    bool OpenPrayerDiary();

    // How the results of SaveFile went.
    enum class SaveOutcome { Saved, GivenUp, Cancelled, Failed };

    void Form_Load();
    void Form_Activate();
    void DT1_Change();
    // newName != 0: the entry takes the day in DT1; 0: it keeps CurrentFile.
    SaveOutcome SaveFile(int newName);
    EntryExtras SaveExtras() const;
    void GetExtras(const EntryExtras& extras, int fields);
    void Upgrade();
    // cancel: the program is exiting or "Save && E&xit" was cancelled. False when the window
    // stays open (the entry could not be saved, or its overwrite question was cancelled).
    bool Form_Unload(bool cancel);
    // Set by the main window when the program ends: runs the exit form of the unload. False
    // when the entry could not be saved.
    bool setCheckQuit(bool quitting);
    // Stores the font of the text at the caret as the diary's font, while the window shows.
    void SavePrayerFontSettings();
    void International();

    // Control handlers.
    void cboPrayerT_Click();
    void CboResult_Click();
    void UpdatePtype();
    void UpdatePresults();
    void tbIcons_ButtonClick(int picture);
    void tbMenu_ButtonClick(const QString& key);
    void CmdClear_Click();
    void CmdSave_Click();
    void cmdSaveExit_Click();
    void cndDelete_Click();
    void mSave_Click();
    void mPrint_Click();
    void mSwitchIdentity_Click();
    void mFind_Click();
    void mFindAgain_Click();
    void mPowerS_Click();
    void mDateFormat_Click();
    void mPassword_Click();
    void mHelpContents_Click();
    void RT_SelChange();
    void cboFont_Click();
    void cboFontSize_Click();

    // Used by the diary search: shows an entry found (a changed entry is offered for saving
    // first), without the date-change steps; then selects the hit.
    void ShowFoundEntry(const QString& entryName);
    void SelectFound(int position, int length);
    QString PaneText() const;
    // Paints the entry's part of the window now (the menus and tool bars do not change).
    void RepaintEntry();
    const DiaryFolder& Folder() const { return m_folder; }
    SearchPopup* searchWindow() const;

    // After the identity window: saves nothing, loads anew for the default identity.
    void ReloadForDefaultIdentity();
    // DT1 shows dates in the diary date format as it is now.
    void applyDateFormat();

    // Per-window state.
    QString CurrentFile;
    std::array<quint8, EntryExtras::kMarks> PictureMarks{};
    bool Dirty = false;
    bool CancelExit = false;
    int NextSlot = 0; // 0-4: the slot the next picture goes to, minus one
    QString FindText;
    int FindPos = 0;

    // Controls, named as the diary's documentation names them.
    QTextEdit* RT = nullptr;
    QDateEdit* DT1 = nullptr;
    QComboBox* cboPrayerT = nullptr;
    QLabel* lblType = nullptr;
    QComboBox* CboResult = nullptr;
    QLabel* lblResults = nullptr;
    QToolBar* tbMenu = nullptr;
    QToolBar* tbIcons = nullptr;
    QComboBox* cboFont = nullptr;
    QComboBox* cboFontSize = nullptr;
    QFrame* SbPics = nullptr;
    std::array<QLabel*, 6> SbPicsPanels{};
    std::array<QLabel*, 3> SbMainPanels{};
    QPushButton* CmdClear = nullptr;
    QPushButton* CmdSave = nullptr;
    QPushButton* cmdSaveExit = nullptr;
    QPushButton* cndDelete = nullptr;
    QMenu* mfile = nullptr;
    QMenu* Search = nullptr;
    QMenu* Tools = nullptr;
    QMenu* Help = nullptr;
    QAction* mSave = nullptr;
    QAction* mPrint = nullptr;
    QAction* mSwitchIdentity = nullptr;
    QAction* mFind = nullptr;
    QAction* mFindAgain = nullptr;
    QAction* mPowerS = nullptr;
    QAction* mDateFormat = nullptr;
    QAction* mPassword = nullptr;
    QAction* mHelpContents = nullptr;

    // The image list: picture k (1-24) of the program folder's "diary" pictures.
    static QString PicturePath(const ProgramState& state, int picture);

signals:
    // The diary was loaded (true) or unloaded (false): the main window's "&Switch Identity"
    // is disabled while it is loaded.
    void diaryLoadedChanged(bool loaded);
    // The caption the main window's "&Switch Identity" item should show.
    void switchIdentityCaption(const QString& caption);
    void helpRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addTypedText(PrayerList list, QStringList& items, QComboBox* box);
    bool saveChangedEntryIfWanted();

    // Construction of the controls (PrayerPopupControls.cpp).
    void buildControls();
    void buildMenus();
    void buildToolBars();
    void buildStatusBars();
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                         void (PrayerPopup::*handler)(), const QKeySequence& keys);
    void addToolButton(const QString& key, const QString& tip, const QString& themeIcon,
                       QChar glyph, bool checkable = false);
    QAction* tool(const QString& key) const;

    void loadIdentity();
    void fillLists();
    void loadEntry();
    void showMark(int slot, int picture);
    void clearPictures();
    void setBackground(qint32 colour);
    qint32 background() const;
    void setStatus(int panel, const QString& text);
    void setDateQuietly(const QDate& date);
    void showHint(const QString& text);
    bool findFrom(int from);
    void updateFormatButtons();
    void updatePasteButton();
    void applyNewTextFont();
    void listKey(QComboBox* list, bool headings, int key);
    void printPlainText();
    QString dateText(const QString& entryName) const;

    ProgramState& m_state;
    PrintService& m_print;
    DiaryFolder m_folder;
    QStringList m_headings;
    QStringList m_answers;
    QPointer<SearchPopup> m_search;
    QList<QPixmap> m_pictures;
    bool m_activated = false;
    bool m_loading = false;
    bool m_unloaded = false;
    bool m_quitting = false;
};
