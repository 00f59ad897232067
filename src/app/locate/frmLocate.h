#pragma once
#include <QDialog>

class QLabel;
struct ProgramState;

// Lets the user set the module root to the program's own "Modules" folder or to a folder
// chosen in frmDirlist.
class frmLocate : public QDialog {
    Q_OBJECT
public:
    explicit frmLocate(ProgramState& state, QWidget* parent = nullptr);

    void cmdDefault_Click();
    void cmdLocate_Click();
    void cmdClose_Click();

private:
    ProgramState& m_state;
    QLabel* Label1;
};
