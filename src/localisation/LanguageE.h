#pragma once
#include "localisation/LanguageBooks.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
struct ProgramState;

// The language editor: the 72 book names and short names of each language's book list, the
// choice of the active list, and the interface language for the next start. Modal; it tells
// the main window through signals when the book catalogue was reloaded and when the program
// should end (through its normal shut-down).
class LanguageE : public QDialog {
    Q_OBJECT
public:
    explicit LanguageE(ProgramState& state, QWidget* parent = nullptr);

    void Form_Load();
    void LSel_Click(int row);
    void LV_DblClick(QTreeWidgetItem* item);
    void cSave_Click();
    void cDefault_Click();
    void cDisaster_Click();
    void cQuit_Click();
    void GetLang(const QString& language);

    void done(int result) override;

    QString chosenFile() const { return m_chosenFile; }
    bool unsaved() const { return m_unsaved; }
    QVector<LanguageBooks::Entry> entries() const;

    QListWidget* LSel = nullptr;
    QTreeWidget* LV = nullptr;
    QLabel* lbl = nullptr;
    QLabel* lbla = nullptr;
    QPushButton* cSave = nullptr;
    QPushButton* cDefault = nullptr;
    QPushButton* cDisaster = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* cQuit = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;

signals:
    // "BOOKS.TXT" changed and the book catalogue was loaded again: refill the book list.
    void bookListChanged();
    // The interface language was switched: end the program as the user would.
    void endProgramRequested();
    void helpRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void International();
    bool createLanguage();
    void chooseLanguage(const QString& language);
    void restoreChoice();
    bool saveChosen(bool askAndTell);
    bool writeActiveList(const QByteArray& bytes);
    QString sysDefs(const QString& file) const;

    ProgramState& m_state;
    QString m_chosenFile;
    int m_chosenRow = -1;
    bool m_unsaved = false;
    bool m_ending = false;
    bool m_closed = false;
};
