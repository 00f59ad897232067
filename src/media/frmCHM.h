#pragma once
#include "media/HelpFileBibles.h"

#include <QDialog>
#include <QPointer>

class HelpViewer;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class UrlOpener;
struct ProgramState;

// The help-file Bible selector: lists the help-file Bibles of the installed translations and
// opens one in the help window. The program's own help (F1) is never touched.
class frmCHM : public QDialog {
    Q_OBJECT
public:
    frmCHM(ProgramState& state, UrlOpener& opener, QWidget* parent = nullptr);

    void Form_Load();
    void LV_DblClick(QTreeWidgetItem* item);
    void cmdDownload_Click();
    void cmdClose_Click();

    const QVector<HelpFileBibles::Row>& rows() const { return m_rows; }
    // The help window of the Bible opened last, while it is open.
    HelpViewer* viewer() const;

    QTreeWidget* LV = nullptr;
    QLabel* lblCount = nullptr;
    QPushButton* cmdDownload = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void buildControls();

    ProgramState& m_state;
    UrlOpener& m_opener;
    QVector<HelpFileBibles::Row> m_rows;
    QPointer<HelpViewer> m_viewer;
};
