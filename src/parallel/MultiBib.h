#pragma once
#include "parallel/ParallelPassage.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTextEdit;
struct ProgramState;

// The multi-Bible view: one verse, or one whole chapter, in every enabled translation in the
// order of precedence, in one pane with one colour and font. Not modal; it deletes itself
// when closed, storing its placement under "ScreenV1" (which the opener applies).
class MultiBib : public QWidget {
    Q_OBJECT
public:
    explicit MultiBib(ProgramState& state, QWidget* parent = nullptr);
    ~MultiBib() override;

    void Form_Load();
    void Form_Resize();

    // Handlers.
    void cboBook_Click();
    void cboChap_Click();
    void cboVs_Click();
    void cmdGo_Click();
    void optNone_Click();
    void optChap_Click();
    void RT_Click();

    void PopulateChap(int book);
    void PopulateVerse(int book, int chapter);
    void UpdSB1(const QString& name);

    // The translation catalogue was reloaded (the precedence changed): the lists are filled
    // again from the new first translation, keeping the book, chapter and verse shown where
    // they still exist. The pane changes at the next refresh.
    void catalogueReloaded();

    bool isRefreshing() const { return m_refreshing; }
    // Scratch copies cut by the last refresh (the others were read again).
    int copiesCut() const { return m_passage.copiesCut(); }

    // Window state.
    int CurBook = 1;
    int CurChap = 1;
    int CurVerse = 1;
    QString CurBibleFile;
    ParallelPassage::ViewMode ViewMode = ParallelPassage::ViewMode::Verse;

    // Controls, named as the program's documentation names them.
    QWidget* Picture1 = nullptr;
    QLabel* L1 = nullptr;
    QLabel* L2 = nullptr;
    QLabel* L3 = nullptr;
    QComboBox* cboBook = nullptr;
    QComboBox* cboChap = nullptr;
    QComboBox* cboVs = nullptr;
    QPushButton* cmdGo = nullptr;
    QRadioButton* optNone = nullptr;
    QRadioButton* optChap = nullptr;
    QCheckBox* optWholeVerse = nullptr;
    QTextEdit* RT = nullptr;
    QStatusBar* SB1 = nullptr;
    QLabel* SB1Panel1 = nullptr;
    QLabel* SB1Panel2 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void refresh();
    void applyAppearance();
    void savePlacement();
    void setPanel2Width(double twips);
    int pixels(double twips) const;
    // Selects the entry with that number, or the first entry; returns the number selected
    // (0 when the list is empty).
    static int selectNumber(QComboBox* list, int number);

    ProgramState& m_state;
    ParallelPassage m_passage;
    QString m_listFile; // the translation whose index filled the chapter and verse lists
    bool m_refreshing = false;
    bool m_refreshAgain = false;
    bool m_closeAfterRefresh = false;
};
