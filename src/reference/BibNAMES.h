#pragma once
#include "reference/NamesFile.h"

#include <QVector>
#include <QWidget>

class QComboBox;
class QPlainTextEdit;
struct ProgramState;

// The names window: the names of the installed names module and the meaning of the one
// chosen. A name is found only as written (letter case counts), the first of equal names.
class BibNAMES : public QWidget {
    Q_OBJECT
public:
    explicit BibNAMES(ProgramState& state, QWidget* parent = nullptr);

    // False when no names module is installed: the user has been told and the window must
    // not be shown.
    bool Form_Load();
    void cboWord_Click();

    // Controls, named as the program's documentation names them.
    QComboBox* cboWord = nullptr;
    QComboBox* cboWhichNames = nullptr;
    QPlainTextEdit* Text1 = nullptr;

private:
    void applyLook();

    ProgramState& m_state;
    QVector<NamesFile::Entry> m_entries;
};
