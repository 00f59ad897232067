#pragma once
#include <QDialog>
#include <array>

class QListWidget;
class QPushButton;
class QRadioButton;
struct ProgramState;

// The date-format window: one of twelve orders of day, month and year, and the separator
// between them. OK stores the format as the diary's date format (setting "DF").
class FormatDate : public QDialog {
    Q_OBJECT
public:
    FormatDate(ProgramState& state, QWidget* parent = nullptr);

    void Form_Load();
    void OKButton_Click();
    void CancelButton_Click();
    // The separator the chosen option button stands for ("" for "&None").
    QString separator() const;

    QListWidget* lstDate = nullptr;
    std::array<QRadioButton*, 8> op{}; // op1 ... op8
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    ProgramState& m_state;
};
