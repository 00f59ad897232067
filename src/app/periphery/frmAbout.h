#pragma once
#include <QDialog>

struct ProgramState;

// The about box: product, version, web address and a system-information button.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(ProgramState& state, QWidget* parent = nullptr);
    void cmdSysInfo_Click();
    // What the system-information box shows.
    static QString SystemInformation();

private:
    ProgramState& m_state;
};
