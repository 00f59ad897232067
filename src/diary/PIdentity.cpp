#include "diary/PIdentity.h"

#include "diary/DiaryFolder.h"
#include "diary/EncryptDecrypt.h"
#include "diary/IdentityList.h"
#include "diary/Password.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kMarker = SettingsKeys::NoPasswordMarker;
constexpr int kMsgAddCaption = 107;
constexpr int kMsgRenameFailed = 477;
QString product() {
    return TolvaneRoutines::ProductName();
}
} // namespace

PIdentity::PIdentity(ProgramState& state, bool fromMainMenu, QWidget* parent)
    : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("PIdentity"));
    setModal(true);
    m_state.IdentityFromMainMenu = fromMainMenu;

    auto* usersHeading = new QLabel(QStringLiteral("Current list of User Names"), this);
    usersHeading->setObjectName(QStringLiteral("lblUsers"));
    lstUsers = new QListWidget(this);
    lstUsers->setObjectName(QStringLiteral("lstUsers"));
    auto* currentHeading = new QLabel(QStringLiteral("Current Identity"), this);
    currentHeading->setObjectName(QStringLiteral("lblCurrent"));
    lbl = new QLabel(this);
    lbl->setObjectName(QStringLiteral("lbl"));
    lbl->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont bold = lbl->font();
    bold.setBold(true);
    lbl->setFont(bold);
    txtName = new QLineEdit(this);
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setMaxLength(60);
    txtName->setText(QStringLiteral("Enter New Name then click \"ADD\""));
    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    cmdAdd = button("cmdAdd", QStringLiteral("Add NEW"));
    cmdDelete = button("cmdDelete", QStringLiteral("Delete"));
    cmdEdit = button("cmdEdit", QStringLiteral("Rename"));
    cmdSetDefault = button("cmdSetDefault", QStringLiteral("Switch To"));
    cmdUpdate = button("cmdUpdate", QStringLiteral("Close"));
    cmdHelp = button("cmdHelp", QStringLiteral("Help"));

    auto* left = new QVBoxLayout;
    left->addWidget(usersHeading);
    left->addWidget(lstUsers, 1);
    left->addWidget(txtName);
    left->addWidget(currentHeading);
    left->addWidget(lbl);
    auto* right = new QVBoxLayout;
    for (QPushButton* b : {cmdAdd, cmdDelete, cmdEdit, cmdSetDefault})
        right->addWidget(b);
    right->addStretch(1);
    right->addWidget(cmdUpdate);
    right->addWidget(cmdHelp);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    checkedConnect(cmdAdd, &QPushButton::clicked, this, &PIdentity::cmdAdd_Click);
    checkedConnect(cmdDelete, &QPushButton::clicked, this, &PIdentity::cmdDelete_Click);
    checkedConnect(cmdEdit, &QPushButton::clicked, this, &PIdentity::cmdEdit_Click);
    checkedConnect(cmdSetDefault, &QPushButton::clicked, this, &PIdentity::cmdSetDefault_Click);
    checkedConnect(cmdUpdate, &QPushButton::clicked, this, &PIdentity::cmdUpdate_Click);
    checkedConnect(cmdHelp, &QPushButton::clicked, this, &PIdentity::cmdHelp_Click);
    checkedConnect(lstUsers, &QListWidget::itemDoubleClicked, this, &PIdentity::lstUsers_DblClick);
    checkedConnect(txtName, &QLineEdit::returnPressed, this, [this] {
        if (m_renaming)
            cmdEdit_Click();
        else if (m_addClicks == 1)
            cmdAdd_Click();
    });
    if (fromMainMenu)
        for (QPushButton* b : {cmdAdd, cmdDelete, cmdEdit})
            b->setVisible(false);
    Form_Load();
}

void PIdentity::Form_Load() {
    txtName->setVisible(false);
    m_state.DefaultIdentity =
        m_state.settings.read(SettingsKeys::IdentitySection, SettingsKeys::DefaultIdentity,
                              SettingsKeys::DefaultIdentityDefault);
    setWindowTitle(MessageText::Frm(m_state, 11, product()));
    m_state.IdentityNames = IdentityList::Names(m_state.settings);
    lstUsers->addItems(m_state.IdentityNames);
    if (m_state.IdentityNames.isEmpty()) {
        m_state.IdentityNames.append(m_state.DefaultIdentity);
        lstUsers->addItem(m_state.DefaultIdentity);
    }
    lbl->setText(m_state.DefaultIdentity);
}

QStringList PIdentity::listedNames() const {
    QStringList names;
    for (int i = 0; i < lstUsers->count(); ++i)
        names.append(lstUsers->item(i)->text());
    return names;
}

void PIdentity::rebuildNames() {
    m_state.IdentityNames = listedNames();
    m_state.IdentityNames.append(QString());
}

void PIdentity::rewrite(const QVector<int>& previousNumbers) {
    IdentityList::RewriteIdentityList(m_state, previousNumbers);
}

bool PIdentity::CheckforDup(const QString& name) {
    if (!IdentityList::CheckforDup(name, listedNames()))
        return true;
    m_state.dialogs.show(Dialogs::Icon::Warning, QStringLiteral("Duplicate Name ") + product(),
                         MessageText::Std(m_state, 71));
    return false;
}

bool PIdentity::NameLenError(const QString& name) {
    if (!IdentityList::NameLenError(name))
        return true;
    m_state.dialogs.show(Dialogs::Icon::Information, QStringLiteral("Add NEW user. ") + product(),
                         MessageText::Std(m_state, 72));
    return false;
}

bool PIdentity::ValidChars(const QString& name) {
    if (IdentityList::ValidChars(name))
        return true;
    m_state.dialogs.show(Dialogs::Icon::Warning, QStringLiteral("Error ") + product(),
                         MessageText::Std(m_state, 73));
    return false;
}

// All three rules run, so the user learns every reason at once.
bool PIdentity::namePasses(const QString& name) {
    const bool unique = CheckforDup(name);
    const bool length = NameLenError(name);
    const bool chars = ValidChars(name);
    return unique && length && chars;
}

void PIdentity::cmdAdd_Click() {
    txtName->setVisible(true);
    txtName->selectAll();
    txtName->setFocus();
    if (m_addClicks == 0) {
        cmdAdd->setText(MessageText::Std(m_state, kMsgAddCaption));
        m_addClicks = 1;
        return;
    }
    const QString name = txtName->text();
    if (!namePasses(name))
        return;
    QVector<int> previous;
    for (int i = 0; i < lstUsers->count(); ++i)
        previous.append(i);
    previous.append(-1);
    m_state.CurrentIdentity = name;
    m_state.DefaultIdentity = name;
    lbl->setText(name);
    lstUsers->addItem(name);
    m_state.IdentityNames = listedNames();
    rewrite(previous);
    DiaryFolder::MakeOwnerOnlyFolder(m_state.PrayersPath + name);
    IdentityList::FindIdentityIndex(m_state);
    IdentityList::StoreNoPassword(m_state);
    Password password(m_state, this);
    password.exec();
    cmdAdd->setText(MessageText::Frm(m_state, 10));
    txtName->setText(QStringLiteral("Type New Name then click \"Password\""));
    txtName->setVisible(false);
    m_addClicks = 0;
}

void PIdentity::cmdDelete_Click() {
    QListWidgetItem* item = lstUsers->currentItem();
    if (!item || !item->isSelected()) {
        m_state.dialogs.show(Dialogs::Icon::Information,
                             QStringLiteral("Nothing selected ") + product(),
                             MessageText::Std(m_state, 64));
        return;
    }
    const QString name = item->text();
    if (name == m_state.DefaultIdentity) {
        m_state.dialogs.show(Dialogs::Icon::Warning, QStringLiteral("Delete Error ") + product(),
                             MessageText::Std(m_state, 66));
        return;
    }
    if (m_state.dialogs.show(Dialogs::Icon::Question, QStringLiteral("Confirm Delete ") + product(),
                             MessageText::Std(m_state, 65, name), Dialogs::Buttons::YesNo,
                             Dialogs::Answer::No) != Dialogs::Answer::Yes)
        return;
    const int row = lstUsers->row(item);
    delete lstUsers->takeItem(row);
    QVector<int> previous;
    for (int i = 0; i < lstUsers->count(); ++i)
        previous.append(i < row ? i : i + 1);
    rebuildNames();
    rewrite(previous);
}

void PIdentity::cmdEdit_Click() {
    if (!m_renaming) {
        QListWidgetItem* item = lstUsers->currentItem();
        if (!item || !item->isSelected()) {
            m_state.dialogs.show(Dialogs::Icon::Information,
                                 QStringLiteral("Nothing selected ") + product(),
                                 MessageText::Std(m_state, 67));
            return;
        }
        m_renameRow = lstUsers->row(item);
        txtName->setText(item->text());
        txtName->setVisible(true);
        txtName->selectAll();
        txtName->setFocus();
        m_renaming = true;
        return;
    }
    if (m_renameRow < 0 || m_renameRow >= lstUsers->count()) {
        m_renaming = false;
        txtName->setVisible(false);
        return;
    }
    const QString name = txtName->text();
    if (!namePasses(name))
        return; // the box stays open for another try
    const QString old = lstUsers->item(m_renameRow)->text();
    // The folder moves first, in one step; the list changes only when it could.
    switch (DiaryFolder::RenameDirectory(m_state.PrayersPath, old, name)) {
    case DiaryFolder::RenameResult::TargetExists:
        m_state.dialogs.show(Dialogs::Icon::Warning, QStringLiteral("Duplicate Name ") + product(),
                             MessageText::Std(m_state, 71));
        return;
    case DiaryFolder::RenameResult::Failed:
        m_state.dialogs.show(Dialogs::Icon::Warning, QStringLiteral("Error ") + product(),
                             MessageText::Std(m_state, kMsgRenameFailed, name));
        m_renaming = false;
        txtName->setVisible(false);
        return;
    case DiaryFolder::RenameResult::Renamed:
    case DiaryFolder::RenameResult::Unchanged:
        break;
    }
    m_renaming = false;
    if (old == m_state.DefaultIdentity)
        m_state.DefaultIdentity = name;
    if (old == m_state.CurrentIdentity)
        m_state.CurrentIdentity = name;
    lbl->setText(m_state.DefaultIdentity);
    lstUsers->item(m_renameRow)->setText(name);
    rebuildNames();
    txtName->setVisible(false);
    QVector<int> same;
    for (int i = 0; i < lstUsers->count(); ++i)
        same.append(i);
    rewrite(same);
}

void PIdentity::lstUsers_DblClick() {
    cmdEdit_Click();
}

std::optional<QString> PIdentity::GetCurrentPWD() {
    if (IdentityList::StoredPassword(m_state, m_state.IdentityIndex, QStringLiteral("0")) ==
        kMarker)
        return QString(kMarker);
    return EncryptDecrypt::DecipherPassword(m_state);
}

void PIdentity::cmdSetDefault_Click() {
    QListWidgetItem* item = lstUsers->currentItem();
    if (!item || !item->isSelected()) {
        m_state.dialogs.show(Dialogs::Icon::Warning, QStringLiteral("Error. ") + product(),
                             MessageText::Std(m_state, 68));
        return;
    }
    const QString name = item->text();
    const QString previous = m_state.CurrentIdentity;
    m_state.CurrentIdentity = name;
    IdentityList::FindIdentityIndex(m_state);
    const std::optional<QString> password = GetCurrentPWD();
    const bool open = password && *password == kMarker;
    if (!open) {
        const std::optional<QString> typed =
            password ? m_state.dialogs.input(QStringLiteral("Enter Password for \"") + name +
                                                 QLatin1Char('"'),
                                             QStringLiteral("Password required"), QString())
                     : std::nullopt;
        if (!password || !typed || *typed != *password) {
            if (password)
                m_state.dialogs.show(Dialogs::Icon::Warning, QStringLiteral("Bad Password"),
                                     MessageText::Std(m_state, 69));
            m_state.CurrentIdentity = previous;
            IdentityList::FindIdentityIndex(m_state);
            return;
        }
    }
    const QString stored = open ? QString(kMarker) : EncryptDecrypt::EncipherPassword(*password);
    m_state.dialogs.show(Dialogs::Icon::Information,
                         QStringLiteral("Switch Identity. ") + product(),
                         MessageText::Std(m_state, 70, name));
    lbl->setText(name);
    m_state.DefaultIdentity = name;
    QVector<int> same;
    for (int i = 0; i < lstUsers->count(); ++i)
        same.append(i);
    m_state.IdentityNames = listedNames();
    rewrite(same);
    m_state.CurrentIdentity = m_state.DefaultIdentity;
    IdentityList::FindIdentityIndex(m_state);
    if (open)
        IdentityList::StoreNoPassword(m_state);
    else
        IdentityList::StorePassword(m_state, stored);
}

void PIdentity::cmdUpdate_Click() {
    m_state.CurrentIdentity = m_state.DefaultIdentity;
    m_state.IdentityFolder = m_state.CurrentIdentity + QLatin1Char('/');
    accept();
}

void PIdentity::cmdHelp_Click() {
    emit helpRequested();
}

void PIdentity::done(int result) {
    // Every way of closing comes through here, the window's close box included.
    if (!m_closed) {
        m_closed = true;
        // However the window closes, the identity in use is the default one, as "Close" says.
        m_state.CurrentIdentity = m_state.DefaultIdentity;
        m_state.IdentityFolder = m_state.CurrentIdentity + QLatin1Char('/');
        m_state.IdentityFromMainMenu = false;
        emit switchIdentityCaption(MessageText::Frm(
            m_state, 12,
            m_state.settings.read(SettingsKeys::IdentitySection, SettingsKeys::DefaultIdentity,
                                  SettingsKeys::DefaultIdentityDefault)));
    }
    QDialog::done(result);
}
