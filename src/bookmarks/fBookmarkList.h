#pragma once
#include "bookmarks/Bookmark.h"
#include "bookmarks/BookmarkStore.h"

#include <QDialog>
#include <QVector>

class QPushButton;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class fMenAdd;
struct ProgramState;

// The bookmark list: every bookmark in a five-column list, each with an RTF snapshot of the
// results pane. It is shown modally and only ever hidden; its rows are the master copy, and
// "Bookmarks.txt" is rewritten (atomically) after every change. It works on the pane it is
// given and tells the main window through signals what it did.
class fBookmarkList : public QDialog {
    Q_OBJECT
public:
    fBookmarkList(ProgramState& state, QTextEdit* pane, QWidget* parent = nullptr);

    // Fills the list from "Bookmarks.txt" (start-up). Damaged lines are reported once, kept
    // in the file and not shown.
    void LoadBookmarks();

    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdGoto_Click();
    void cmdUpdate_Click();
    void cmdClose_Click();
    void LV_ColumnClick(int column);
    // True when the dialog's title is taken by another row (that row is then selected).
    bool CheckforDup(int editedRow);

    QVector<Bookmark> rows() const;
    int selectedRow() const;
    // The add/edit dialog (created with the list).
    fMenAdd* dialog() const { return m_dialog; }

    QTreeWidget* LV = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdGoto = nullptr;
    QPushButton* cmdUpdate = nullptr;
    QPushButton* cmdClose = nullptr;

signals:
    // A snapshot was loaded into the pane; the main window shows its path in its caption.
    void snapshotLoaded(const QString& path);
    void helpRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void International();
    void Form_Activate();
    void savePlacement();
    void appendRow(const Bookmark& b);
    void writeRow(QTreeWidgetItem* item, const Bookmark& b);
    Bookmark rowAt(int i) const;
    void selectRow(int i);
    bool requireSelection();
    // Rewrites "Bookmarks.txt"; reports a failure with the context given.
    void saveList(const QString& context);
    bool saveSnapshot(const QString& fileName);

    ProgramState& m_state;
    QTextEdit* m_pane;
    BookmarkStore m_store;
    fMenAdd* m_dialog = nullptr;
    bool m_sortDescending = false;
};
