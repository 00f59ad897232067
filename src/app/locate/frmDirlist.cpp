#include "app/locate/frmDirlist.h"

#include "app/locate/BibleTest.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

using MessageText::Frm;
using MessageText::Std;

frmDirlist::frmDirlist(ProgramState& state, QWidget* parent)
    : QDialog(parent), m_state(state), m_model(new QFileSystemModel(this)) {
    setObjectName(QStringLiteral("frmDirlist"));
    setWindowTitle(QStringLiteral("Locate MODULE Folder"));
    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->addItem(QDir::rootPath(), QDir::rootPath());
    Drive1->addItem(QDir::homePath(), QDir::homePath());
    if (!state.ProgramFolder.isEmpty())
        Drive1->addItem(state.ProgramFolder, state.ProgramFolder);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setRootPath(QDir::rootPath());
    Dir1 = new QTreeView(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        Dir1->hideColumn(c);
    Dir1->header()->hide();
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    auto* cmdDone = new QPushButton(Frm(state, 184), this);
    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    auto* cmsClose = new QPushButton(Frm(state, 185), this);
    cmsClose->setObjectName(QStringLiteral("cmsClose"));

    connect(Drive1, QOverload<int>::of(&QComboBox::activated), this, &frmDirlist::Drive1_Change);
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (index.isValid())
                    setFolder(m_model->filePath(index));
            });
    connect(cmdDone, &QPushButton::clicked, this, &frmDirlist::cmdDone_Click);
    connect(cmsClose, &QPushButton::clicked, this, &frmDirlist::cmsClose_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDone);
    buttons->addStretch();
    buttons->addWidget(cmsClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Drive1);
    layout->addWidget(Dir1, 1);
    layout->addWidget(Text1);
    layout->addLayout(buttons);
    resize(480, 420);

    const QString start = FileFunctions::resolve(state.ProgramFolder + QStringLiteral("Modules"));
    setFolder(QFileInfo(start).isDir() ? start : QDir::homePath());
}

bool frmDirlist::setFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return false;
    m_folder = QDir::cleanPath(info.absoluteFilePath());
    Text1->setText(FileFunctions::withSeparator(m_folder));
    const QModelIndex index = m_model->index(m_folder);
    if (index.isValid() && Dir1->currentIndex() != index) {
        Dir1->setCurrentIndex(index);
        Dir1->scrollTo(index);
    }
    return true;
}

QString frmDirlist::folder() const { return m_folder; }

void frmDirlist::Drive1_Change() {
    if (!setFolder(Drive1->currentData().toString()))
        m_state.dialogs.show(Dialogs::Icon::None, TolvaneRoutines::ProductName(),
                             Std(m_state, 11));
}

void frmDirlist::cmdDone_Click() {
    BibleTest::StoreAndTest(m_state, Text1->text(), windowTitle(),
                            BibleTest::NotFoundStyle::ErrorIconNoValue);
    if (m_state.EndRequested)
        accept();
}

void frmDirlist::cmsClose_Click() { reject(); }
