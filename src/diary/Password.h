#pragma once
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct ProgramState;

// The password window of the identity in use: sets a password (typed twice) or removes it.
// Nothing is stored unless OK accepts what was typed.
class Password : public QDialog {
    Q_OBJECT
public:
    Password(ProgramState& state, QWidget* parent = nullptr);

    void Form_Load();
    void chkUsePwd_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    QCheckBox* chkUsePwd = nullptr;
    QLineEdit* txtPassword1 = nullptr;
    QLineEdit* txtPassword2 = nullptr;
    QLabel* lbl1_0 = nullptr;
    QLabel* lbl1_1 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    ProgramState& m_state;
};
