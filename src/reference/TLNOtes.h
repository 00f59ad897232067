#pragma once
#include "reference/TranslationNotesFile.h"

#include <QVector>
#include <QWidget>

class PrintService;
class QComboBox;
class QPushButton;
class QTextEdit;
struct ProgramState;

// The translation notes window: the article titles of the notes file and the chosen article,
// printed from this window's own pane through the print preview.
class TLNOtes : public QWidget {
    Q_OBJECT
public:
    TLNOtes(ProgramState& state, PrintService& printing, QWidget* parent = nullptr);

    // Lists the titles and shows the first article.
    void Form_Load();
    void Combo1_Click();
    void PrintPreview_Click();

    // Controls, named as the program's documentation names them.
    QComboBox* Combo1 = nullptr;
    QTextEdit* RT = nullptr;
    QPushButton* PrintPreview = nullptr;

private:
    void applyLook();

    ProgramState& m_state;
    PrintService& m_printing;
    QVector<TranslationNotesFile::Article> m_articles;
};
