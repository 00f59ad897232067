#pragma once
#include "printing/PageValues.h"

#include <QDialog>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTextEdit;
struct ProgramState;

// The page setup window: the page width and the four margins, in millimetres or inches, that
// set the results pane's line width and the printed page. Opened modally; OK stores the
// values and lays the pane out again, Cancel puts back what the window found. A page width
// that leaves no line between the side margins is refused on OK: the window says so, puts
// back the width and margins it showed at first and stays open.
class PageSetup : public QDialog {
    Q_OBJECT
public:
    // The pane is laid out again on closing; the Wrap menu item is enabled when the page
    // values (not "Fit to Form") are in force. Either may be null.
    PageSetup(ProgramState& state, QTextEdit* pane, QAction* wrapItem, QWidget* parent = nullptr);

    void Form_Load();
    void optCM_Click();
    void optIN_Click();
    void optNone_Click();
    void chkAll_Click();
    void cmdINDEX_Click();
    void cmdCancel_Click();

    void done(int result) override;

    QRadioButton* optCM = nullptr;
    QRadioButton* optIN = nullptr;
    QRadioButton* optNone = nullptr;
    QComboBox* cboWidth = nullptr;
    QComboBox* cboLeft = nullptr;
    QComboBox* cboRight = nullptr;
    QComboBox* cboTop = nullptr;
    QComboBox* cboBottom = nullptr;
    QLabel* lblWidth = nullptr;
    QLabel* lblLeft = nullptr;
    QLabel* lblRight = nullptr;
    QLabel* lblTop = nullptr;
    QLabel* lblBottom = nullptr;
    QCheckBox* chkAll = nullptr;
    QPushButton* cmdINDEX = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void buildControls();
    void connectList(QComboBox* list, double ProgramState::*value);
    void FillLists();
    void changeUnit(bool toInches);
    void setSideListsEnabled(bool enabled);
    bool refuseNarrowWidth();
    void storeValues();
    void layOutPane();

    ProgramState& m_state;
    QTextEdit* m_pane;
    QAction* m_wrapItem;
    PageValues::Snapshot m_original;
    PageValues::Snapshot m_shown; // as the window first showed them
    bool m_filling = false;
    bool m_closed = false;
};
