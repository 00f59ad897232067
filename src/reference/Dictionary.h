#pragma once
#include "reference/DictionaryModule.h"

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QTextEdit;
struct ProgramState;

// The dictionary window: the installed dictionary's headwords, the chosen entry, and the
// entries it refers to under "See Also". The headword list is read the first time the
// lookup list gets the focus.
class Dictionary : public QWidget {
    Q_OBJECT
public:
    explicit Dictionary(ProgramState& state, QWidget* parent = nullptr);

    // False when no dictionary is installed: the user has been told and the window must not
    // be shown.
    bool Form_Load();

    // Handlers.
    void cboLookup_GotFocus();
    void cboTranslation_Click(int index);
    void cboLookup_Click();
    void cboAlt_Click(int index);
    // Fills the headword list from dictionary `index` unless it is loaded already.
    void LoadCombo(int index);

    const DictionaryModule& dictionary() const { return m_dictionary; }

    // Controls, named as the program's documentation names them.
    QFrame* frm1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* cboLookup = nullptr;
    QComboBox* cboAlt = nullptr;
    QComboBox* cboTranslation = nullptr;
    QTextEdit* RT = nullptr;
    QLabel* lbl1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    // Shows the first entry with that headword; nothing changes when there is none.
    void showEntry(const QString& headword);
    void PopulateAlt(const QStringList& seeAlso);
    void applyLook();

    static constexpr int kNoneLoaded = 255;
    ProgramState& m_state;
    DictionaryModule m_dictionary;
    int m_loadedIndex = kNoneLoaded;
};
