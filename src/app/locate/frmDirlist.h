#pragma once
#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QTreeView;
struct ProgramState;

// Chooses a module root by folder. Instead of a drive list it offers the places a folder
// can start from (the file system root, the home folder, the program folder).
class frmDirlist : public QDialog {
    Q_OBJECT
public:
    explicit frmDirlist(ProgramState& state, QWidget* parent = nullptr);

    // Moves the folder list; false, with nothing changed, when the folder cannot be read
    // (choosing a place, Drive1_Change, then shows the unreadable-place message).
    bool setFolder(const QString& folder);
    QString folder() const;

    void Drive1_Change();
    void cmdDone_Click();
    void cmsClose_Click();

private:
    ProgramState& m_state;
    QComboBox* Drive1;
    QTreeView* Dir1;
    QLineEdit* Text1;
    QFileSystemModel* m_model;
    QString m_folder;
};
