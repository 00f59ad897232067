#pragma once
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
struct ProgramState;

// The dialog that collects a bookmark's title, category, date and Bible reference for Add and
// Edit. OK refuses an empty title and a double quote (which the list file cannot hold);
// every other way of closing is Cancel.
class fMenAdd : public QDialog {
    Q_OBJECT
public:
    explicit fMenAdd(ProgramState& state, QWidget* parent = nullptr);

    QString sTitle() const;
    void setSTitle(const QString& v);
    QString sDate() const;
    void setSDate(const QString& v);
    QString sCategory() const;
    void setSCategory(const QString& v);
    // "BOOK 001:002": the book, a space, chapter and verse in three digits.
    QString sBookChVs() const;
    void setSBookChVs(const QString& v);

    // For Add: empty fields and today's date in the user's date format.
    void PrepareForAdd();
    bool cancelled() const { return m_cancelled; }

    void cmdOK_Click();
    void cmdCancel_Click();
    void done(int result) override;

    QLineEdit* tTitle = nullptr;
    QLineEdit* tDate = nullptr;
    QLineEdit* tCategory = nullptr;
    QComboBox* cboBook = nullptr;
    QLineEdit* tChapter = nullptr;
    QLineEdit* tVerse = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

signals:
    void helpRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void fillBooks();

    ProgramState& m_state;
    bool m_cancelled = true;
};
