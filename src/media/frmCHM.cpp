#include "media/frmCHM.h"

#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "media/ChmHelpSource.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"
#include "platform/HelpViewer.h"
#include "platform/Named.h"
#include "platform/UrlOpener.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using MessageText::Frm;
using MessageText::Std;

frmCHM::frmCHM(ProgramState& state, UrlOpener& opener, QWidget* parent)
    : QDialog(parent), m_state(state), m_opener(opener) {
    setObjectName(QStringLiteral("frmCHM"));
    setModal(true);
    buildControls();
}

void frmCHM::buildControls() {
    LV = named(new QTreeWidget(this), "LV");
    lblCount = named(new QLabel(this), "lblCount");
    cmdDownload = named(new QPushButton(this), "cmdDownload");
    cmdClose = named(new QPushButton(this), "cmdClose");
    LV->setColumnCount(2);
    LV->setRootIsDecorated(false);
    LV->setUniformRowHeights(true);
    LV->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    LV->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    LV->header()->setStretchLastSection(false);
    checkedConnect(LV, &QTreeWidget::itemDoubleClicked, this, &frmCHM::LV_DblClick);
    checkedConnect(LV, &QTreeWidget::itemActivated, this, &frmCHM::LV_DblClick);
    checkedConnect(cmdDownload, &QPushButton::clicked, this, &frmCHM::cmdDownload_Click);
    checkedConnect(cmdClose, &QPushButton::clicked, this, &frmCHM::cmdClose_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LV, 1);
    auto* bar = new QHBoxLayout;
    bar->addWidget(lblCount, 1);
    bar->addWidget(cmdDownload);
    bar->addWidget(cmdClose);
    layout->addLayout(bar);
    resize(520, 300);
}

void frmCHM::Form_Load() {
    setWindowTitle(Frm(m_state, 1010));
    LV->setHeaderLabels({Frm(m_state, 1011), Frm(m_state, 1012)});
    cmdDownload->setText(Frm(m_state, 1013));
    cmdClose->setText(Frm(m_state, 1014));
    LV->clear();
    m_rows = HelpFileBibles::find(m_state);
    for (int i = 0; i < m_rows.size(); ++i) {
        auto* item = new QTreeWidgetItem(LV, {m_rows.at(i).description, m_rows.at(i).fileName});
        item->setData(0, Qt::UserRole, i);
    }
    if (LV->topLevelItemCount() > 0)
        LV->setCurrentItem(LV->topLevelItem(0));
    lblCount->setText(Std(m_state, 512, QString::number(m_rows.size())));
}

void frmCHM::LV_DblClick(QTreeWidgetItem* item) {
    if (!item)
        return;
    const int row = item->data(0, Qt::UserRole).toInt();
    if (row < 0 || row >= m_rows.size())
        return;
    const HelpFileBibles::Row& r = m_rows.at(row);
    auto file = std::make_unique<ChmFile>();
    if (!file->open(r.path)) {
        const int text = file->failure() == ChmFile::Failure::NoPages ? 516 : 515;
        m_state.dialogs.show(Dialogs::Icon::Warning, windowTitle(), Std(m_state, text, r.fileName));
        return;
    }
    const QString title = file->title().isEmpty() ? r.description : file->title();
    const HelpViewer::Texts texts{title, Frm(m_state, 906), Frm(m_state, 904),
                                  Std(m_state, 516, QStringLiteral("%1"))};
    if (m_viewer)
        m_viewer->close();
    auto* viewer = new HelpViewer(std::make_unique<ChmHelpSource>(std::move(file), title), texts,
                                  Frm(m_state, 1023), m_opener, this);
    if (!viewer->isLoaded()) { // the file lists pages that cannot be read
        delete viewer;
        m_state.dialogs.show(Dialogs::Icon::Warning, windowTitle(), Std(m_state, 515, r.fileName));
        return;
    }
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    m_viewer = viewer;
    viewer->open();
}

HelpViewer* frmCHM::viewer() const { return m_viewer; }

void frmCHM::cmdDownload_Click() { m_opener.open(TolvaneRoutines::WebAddress()); }

void frmCHM::cmdClose_Click() { accept(); }
