#pragma once
#include <QDialog>

struct ProgramState;

// The licence agreement, read from the program folder's "License.txt".
class frmAgreement : public QDialog {
    Q_OBJECT
public:
    explicit frmAgreement(const ProgramState& state, QWidget* parent = nullptr);
    QString text() const { return m_text; }

private:
    QString m_text;
};
