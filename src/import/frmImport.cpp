#include "import/frmImport.h"

#include "import/ImportTexts.h"
#include "import/ModuleImporter.h"
#include "import/SwordLibrary.h"
#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"
#include "platform/Named.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using MessageText::Frm;

frmImport::frmImport(ProgramState& state, QWidget* parent)
    : frmImport(state, SwordLibrary::StandardFolders(), parent) {}

frmImport::frmImport(ProgramState& state, const QStringList& folders, QWidget* parent)
    : QDialog(parent), m_state(state), m_folders(folders) {
    setObjectName(QStringLiteral("frmImport"));
    buildControls();
    Form_Load();
}

frmImport::~frmImport() = default;

void frmImport::buildControls() {
    lblFolders = named(new QLabel(this), "lblFolders");
    lblFolders->setWordWrap(true);
    LV = named(new QTreeWidget(this), "LV");
    LV->setColumnCount(5);
    LV->setRootIsDecorated(false);
    LV->setUniformRowHeights(true);
    LV->setAlternatingRowColors(true);
    LV->header()->setStretchLastSection(true);
    lblStatus = named(new QLabel(this), "lblStatus");
    lblStatus->setWordWrap(true);
    ProgressBar1 = named(new QProgressBar(this), "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    cmdFolder = named(new QPushButton(this), "cmdFolder");
    cmdImport = named(new QPushButton(this), "cmdImport");
    cmdStop = named(new QPushButton(this), "cmdStop");
    cmdClose = named(new QPushButton(this), "cmdClose");
    cmdImport->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdFolder);
    buttons->addStretch(1);
    buttons->addWidget(cmdImport);
    buttons->addWidget(cmdStop);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblFolders);
    layout->addWidget(LV, 1);
    layout->addWidget(lblStatus);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);
    resize(1060, 460);

    checkedConnect(cmdFolder, &QPushButton::clicked, this, &frmImport::cmdFolder_Click);
    checkedConnect(cmdImport, &QPushButton::clicked, this, &frmImport::cmdImport_Click);
    checkedConnect(cmdStop, &QPushButton::clicked, this, &frmImport::cmdStop_Click);
    checkedConnect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

void frmImport::International() {
    setWindowTitle(Frm(m_state, 1030));
    LV->setHeaderLabels({Frm(m_state, 1031), Frm(m_state, 1032), Frm(m_state, 1033),
                         Frm(m_state, 1034), Frm(m_state, 1035)});
    cmdFolder->setText(Frm(m_state, 1041));
    cmdImport->setText(Frm(m_state, 1042));
    cmdStop->setText(Frm(m_state, 1043));
    cmdClose->setText(Frm(m_state, 1044));
}

void frmImport::Form_Load() {
    International();
    m_chosen = m_state.settings.read(SettingsKeys::Settings, SettingsKeys::ImportFolder, QString());
    fillList();
    setBusy(false);
}

QStringList frmImport::folders() const {
    QStringList out = m_folders;
    if (!m_chosen.isEmpty() && SwordLibrary::IsSwordFolder(m_chosen) && !out.contains(m_chosen))
        out.append(m_chosen);
    return out;
}

void frmImport::fillList() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList searched = folders();
    m_library = std::make_unique<SwordLibrary>(searched);
    LV->clear();
    for (const SwordModuleInfo& info : m_library->modules()) {
        auto* item = new QTreeWidgetItem(LV, ImportTexts::Row(m_state, info));
        item->setToolTip(ImportColumn, item->text(ImportColumn));
        item->setToolTip(DescriptionColumn, info.folder);
        if (info.importable()) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(NameColumn, Qt::Unchecked);
        } else {
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable));
        }
    }
    for (int c = NameColumn; c < ImportColumn; ++c)
        LV->resizeColumnToContents(c);
    LV->setColumnWidth(DescriptionColumn, qMin(LV->columnWidth(DescriptionColumn), 300));
    QStringList shown;
    for (const QString& f : searched)
        shown.append(QDir::toNativeSeparators(f));
    lblFolders->setText(Frm(m_state, 1045, shown.join(QStringLiteral("; "))));
    if (!SwordLibrary::Available())
        lblStatus->setText(Frm(m_state, 1048));
    else if (m_library->modules().isEmpty())
        lblStatus->setText(Frm(m_state, 1047));
    else
        lblStatus->clear();
    QApplication::restoreOverrideCursor();
}

void frmImport::setBusy(bool busy) {
    m_busy = busy;
    LV->setEnabled(!busy);
    cmdFolder->setEnabled(!busy);
    cmdImport->setEnabled(!busy && SwordLibrary::Available());
    cmdStop->setEnabled(busy);
}

void frmImport::cmdFolder_Click() {
    const std::optional<QString> folder = m_state.dialogs.folder(
        Frm(m_state, 1030), m_chosen.isEmpty() ? QDir::homePath() : m_chosen);
    if (!folder)
        return;
    if (!SwordLibrary::IsSwordFolder(*folder)) {
        m_state.dialogs.show(
            Dialogs::Icon::Warning, TolvaneRoutines::ProductName(),
            ImportTexts::NotSwordFolder(m_state, QDir::toNativeSeparators(*folder)));
        return;
    }
    m_chosen = QDir::cleanPath(*folder);
    m_state.settings.write(SettingsKeys::Settings, SettingsKeys::ImportFolder, m_chosen);
    fillList();
}

void frmImport::cmdStop_Click() {
    m_stop = true;
}

void frmImport::cmdImport_Click() {
    QStringList chosen;
    for (int i = 0; i < LV->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = LV->topLevelItem(i);
        if (item->checkState(NameColumn) == Qt::Checked)
            chosen.append(item->text(NameColumn));
    }
    if (chosen.isEmpty() || m_busy)
        return;
    setBusy(true);
    m_stop = false;
    ModuleImporter importer(m_state);
    QStringList report;
    bool changed = false;
    for (const QString& name : chosen) {
        if (m_stop)
            break;
        const int at = m_library->indexOf(name);
        lblStatus->setText(Frm(m_state, 1046, m_library->modules().at(at).description));
        ProgressBar1->setValue(0);
        const ModuleImporter::Progress progress = [this](qint64 done, qint64 total) {
            ProgressBar1->setValue(total > 0 ? int(done * 100 / total) : 0);
            QApplication::processEvents();
            return !m_stop;
        };
        ModuleImporter::Outcome outcome = importer.Import(*m_library, name, false, progress);
        if (outcome.status == ModuleImporter::Status::Exists &&
            m_state.dialogs.show(Dialogs::Icon::Question, TolvaneRoutines::ProductName(),
                                 ImportTexts::ReplaceQuestion(m_state, outcome),
                                 Dialogs::Buttons::YesNo,
                                 Dialogs::Answer::No) == Dialogs::Answer::Yes)
            outcome = importer.Import(*m_library, name, true, progress);
        if (outcome.status == ModuleImporter::Status::Exists)
            continue; // the user kept the module as it is
        report.append(ImportTexts::Outcome(m_state, outcome));
        if (outcome.status == ModuleImporter::Status::Imported) {
            changed = true;
            ProgressBar1->setValue(100);
            emit catalogueReloaded();
        }
    }
    lblStatus->clear();
    ProgressBar1->setValue(0);
    setBusy(false);
    if (!report.isEmpty())
        m_state.dialogs.show(changed ? Dialogs::Icon::Information : Dialogs::Icon::Warning,
                             TolvaneRoutines::ProductName(),
                             report.join(QStringLiteral("\r\n\r\n")));
    if (m_closeWhenStopped)
        QDialog::done(m_closeResult);
}

void frmImport::done(int result) {
    if (m_busy) {
        m_stop = true;
        m_closeWhenStopped = true;
        m_closeResult = result;
        return;
    }
    QDialog::done(result);
}
