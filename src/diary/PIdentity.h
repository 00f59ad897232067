#pragma once
#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
struct ProgramState;

// The identity window: adds, renames, deletes and switches the identities of the prayer
// diary. Opened from the main window it only switches. Changes are stored as they are made.
class PIdentity : public QDialog {
    Q_OBJECT
public:
    PIdentity(ProgramState& state, bool fromMainMenu, QWidget* parent = nullptr);

    void Form_Load();
    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdEdit_Click();
    void lstUsers_DblClick();
    void cmdSetDefault_Click();
    void cmdUpdate_Click();
    void cmdHelp_Click();

    // The three name rules; each shows its own message when the name fails it.
    bool CheckforDup(const QString& name);
    bool NameLenError(const QString& name);
    bool ValidChars(const QString& name);
    // The current identity's password in plain text, the no-password marker, or nothing when
    // the stored value is damaged.
    std::optional<QString> GetCurrentPWD();

    void done(int result) override;

    QListWidget* lstUsers = nullptr;
    QLabel* lbl = nullptr;
    QLineEdit* txtName = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdSetDefault = nullptr;
    QPushButton* cmdUpdate = nullptr;
    QPushButton* cmdHelp = nullptr;

signals:
    // The caption the main window's "&Switch Identity" item should show now.
    void switchIdentityCaption(const QString& caption);
    void helpRequested();

private:
    bool namePasses(const QString& name);
    QStringList listedNames() const;
    void rebuildNames();
    void rewrite(const QVector<int>& previousNumbers);

    ProgramState& m_state;
    int m_addClicks = 0;
    bool m_renaming = false;
    int m_renameRow = -1;
    bool m_closed = false;
};
