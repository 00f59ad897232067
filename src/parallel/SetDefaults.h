#pragma once
#include "parallel/PrecedenceList.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
struct ProgramState;

// The options window: the colours and font sizes of the main pane and the multi-Bible view,
// the highlight limit, three switches, and the Bible precedence. Modal. "OK" stores the
// values; closing it any other way leaves every value as it found it. Precedence changes are
// written to the translation catalogue at once, each time, and announced with
// catalogueReloaded() so that the main window and the open windows follow the new order.
class SetDefaults : public QDialog {
    Q_OBJECT
public:
    explicit SetDefaults(ProgramState& state, QWidget* parent = nullptr);
    ~SetDefaults() override;

    void Form_Load();
    void TabStrip1_Click(int tab);
    void CmdSave_Click();
    void cmdColour_Click();
    void Command1_Click();
    void Slider1Font_Change(int value);
    void Slider2Font_Change(int value);
    // False when the value was refused (the box was shown and the focus put back).
    bool Text2_LostFocus();
    void chkActiveUpd_Click();
    void chkDeleteOnExit_Click();
    void chkAutoClearClip_Click();
    void LV_ItemCheck(int row);
    void LV_ColumnClick(int column);
    void cmdUp_Click();
    void CmdDown_Click();

    void done(int result) override;

    const PrecedenceList& precedence() const { return m_list; }

    // Window state.
    int ColourTarget = 1;      // 1 text, 2 background, 3-7 highlight 1-5
    int MultiColourTarget = 1; // 1 text, 2 background
    bool SortAscending = false;

    // Controls, named as the program's documentation names them.
    QTabWidget* TabStrip1 = nullptr;
    QWidget* frmSingleBib = nullptr;
    QWidget* frmVerseByVerse = nullptr;
    QWidget* frmPrecedence = nullptr;
    QWidget* frmMisc = nullptr;
    QLabel* TT = nullptr;
    QLabel* TB = nullptr;
    QLabel* TH[5] = {};
    QRadioButton* OTT = nullptr;
    QRadioButton* OTB = nullptr;
    QRadioButton* OTH[5] = {};
    QPushButton* cmdColour = nullptr;
    QLabel* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QCheckBox* chkActiveUpd = nullptr;
    QSlider* Slider2Font = nullptr;
    QLabel* Tbox1Font = nullptr;
    QLabel* T2T = nullptr;
    QLabel* T2B = nullptr;
    QRadioButton* C2Fore = nullptr;
    QRadioButton* C2Back = nullptr;
    QPushButton* Command1 = nullptr;
    QSlider* Slider1Font = nullptr;
    QLabel* Tboxfont = nullptr;
    QTreeWidget* LV = nullptr;
    QPushButton* cmdUp = nullptr;
    QPushButton* CmdDown = nullptr;
    QLabel* lblPrecedence = nullptr;
    QCheckBox* chkSplash = nullptr;
    QCheckBox* chkAutoClearClip = nullptr;
    QCheckBox* chkDeleteOnExit = nullptr;
    QPushButton* CmdSave = nullptr;

signals:
    // "Translations.txt" was rewritten and the translation lists reloaded.
    void catalogueReloaded();
    // "OK" stored the values.
    void optionsSaved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildSingleBiblePage();
    QWidget* buildMultiBiblePage();
    QWidget* buildPrecedencePage();
    QWidget* buildMiscPage();
    void FillList(int selectRow);
    void RewritePrimaryIndex(int selectRow);
    void moveSelected(int direction);
    int selectedRow() const;
    void warn(int message, const QString& argument = QString());

    ProgramState& m_state;
    PrecedenceList m_list;
    bool m_filling = false;
    bool m_validating = false;
    bool m_closed = false;
    // The switches as the window found them, put back unless "OK" closes it.
    quint8 m_activeUpdate = 0;
    quint8 m_deleteOnExit = 1;
    qint64 m_autoClearClip = 0;
};
