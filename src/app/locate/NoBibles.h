#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class UrlOpener;
struct ProgramState;

// Shown when no enabled Bible can be found: lets the user point the program at a module root.
// Closing it ends the program.
class NoBibles : public QDialog {
    Q_OBJECT
public:
    NoBibles(ProgramState& state, UrlOpener& opener, QWidget* parent = nullptr);

    void cmdLocate_Click();
    void Command2_Click();
    void Command1_Click();

signals:
    void helpRequested();

private:
    ProgramState& m_state;
    UrlOpener& m_opener;
    QLabel* Label2;
    QLabel* Label3;
};
