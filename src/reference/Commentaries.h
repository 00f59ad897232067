#pragma once
#include <QString>
#include <QVector>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;
struct ProgramState;

// The commentary window: a chapter of an installed commentary below the Bible text of the
// chosen verse or chapter. The lists only choose; "Refresh" shows the choice.
class Commentaries : public QWidget {
    Q_OBJECT
public:
    explicit Commentaries(ProgramState& state, QWidget* parent = nullptr);

    // False when no commentary is installed: the user has been told and the window must not
    // be shown.
    bool Form_Load();

    // Handlers.
    void cboTrans_Click(int index);
    void cboBook_Click(int index);
    void cboChap_Click(int index);
    void cboVs_Click(int index);
    void cboCoMM_Click(int index);
    void chkChap_Click();
    void cmdGo_Click();

    // Window state.
    int CurBook = 1;
    int CurChap = 1;
    int CurVerse = 1;
    QString CurBibleFile;
    QString CurBibleName;
    int CommentaryPos = 0;

    // Controls, named as the program's documentation names them.
    QFrame* frm1 = nullptr;
    QLabel* lbl1 = nullptr;
    QLabel* lbl2 = nullptr;
    QLabel* lbl3 = nullptr;
    QLabel* lbl4 = nullptr;
    QLabel* lbl5 = nullptr;
    QComboBox* cboTrans = nullptr;
    QComboBox* cboBook = nullptr;
    QComboBox* cboChap = nullptr;
    QComboBox* cboVs = nullptr;
    QComboBox* cboCoMM = nullptr;
    QCheckBox* chkChap = nullptr;
    QPushButton* cmdGo = nullptr;
    QTextEdit* RTb = nullptr;
    QTextEdit* RTc = nullptr;

private:
    void buildControls();
    void PopulateChap(int book);
    void PopulateVerse(int book, int chapter);
    void TranslationCombos();
    // Makes the chosen translation's index the loaded one, for the chapter and verse lists.
    bool useBibleIndex();
    void applyLook(QTextEdit* pane);
    void showWaiting(QTextEdit* pane, const QString& text);

    ProgramState& m_state;
};
