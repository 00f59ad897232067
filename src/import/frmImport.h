#pragma once
#include <QDialog>
#include <QStringList>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class SwordLibrary;
struct ProgramState;

// The import window (Tools menu, "Import Module..."): every SWORD module installed on the
// machine, in the system's and the user's SWORD folders and in a folder the user chooses,
// with its description, kind, language and whether it can be imported (and why not). The
// user ticks modules and imports them with a progress bar and a stop button; a module imported
// before is replaced only when the user says so. Each import that changes the catalogue is
// announced by catalogueReloaded(), so every window can offer the new module at once.
class frmImport : public QDialog {
    Q_OBJECT
public:
    // folders: the SWORD folders to list (the system's and the user's unless given); the
    // folder chosen last (a setting) is added to them.
    frmImport(ProgramState& state, const QStringList& folders, QWidget* parent = nullptr);
    explicit frmImport(ProgramState& state, QWidget* parent = nullptr);
    ~frmImport() override;

    void Form_Load();
    void cmdFolder_Click();
    void cmdImport_Click();
    void cmdStop_Click();

    // Closing while an import runs stops it first.
    void done(int result) override;

    QTreeWidget* LV = nullptr;
    QLabel* lblFolders = nullptr;
    QLabel* lblStatus = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* cmdFolder = nullptr;
    QPushButton* cmdImport = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdClose = nullptr;

    enum Column { NameColumn, DescriptionColumn, KindColumn, LanguageColumn, ImportColumn };

signals:
    // The translation catalogue was reloaded after a module came into the library.
    void catalogueReloaded();

private:
    void buildControls();
    void International();
    void fillList();
    void setBusy(bool busy);
    QStringList folders() const;

    ProgramState& m_state;
    QStringList m_folders;
    QString m_chosen;
    std::unique_ptr<SwordLibrary> m_library;
    bool m_busy = false;
    bool m_stop = false;
    bool m_closeWhenStopped = false;
    int m_closeResult = 0;
};
