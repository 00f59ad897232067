#include "diary/Password.h"

#include "diary/EncryptDecrypt.h"
#include "diary/IdentityList.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Password::Password(ProgramState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("Password"));
    setModal(true);
    setWindowTitle(QStringLiteral("Login"));
    chkUsePwd = new QCheckBox(QStringLiteral("Use a Password"), this);
    chkUsePwd->setObjectName(QStringLiteral("chkUsePwd"));
    lbl1_0 = new QLabel(this);
    lbl1_0->setObjectName(QStringLiteral("lbl1_0"));
    lbl1_1 = new QLabel(this);
    lbl1_1->setObjectName(QStringLiteral("lbl1_1"));
    txtPassword1 = new QLineEdit(this);
    txtPassword1->setObjectName(QStringLiteral("txtPassword1"));
    txtPassword2 = new QLineEdit(this);
    txtPassword2->setObjectName(QStringLiteral("txtPassword2"));
    for (QLineEdit* e : {txtPassword1, txtPassword2}) {
        e->setEchoMode(QLineEdit::Password);
        e->setMinimumWidth(220);
    }
    lbl1_0->setBuddy(txtPassword1);
    lbl1_1->setBuddy(txtPassword2);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* grid = new QGridLayout;
    grid->addWidget(lbl1_0, 0, 0);
    grid->addWidget(txtPassword1, 0, 1);
    grid->addWidget(lbl1_1, 1, 0);
    grid->addWidget(txtPassword2, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkUsePwd);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    checkedConnect(chkUsePwd, &QCheckBox::clicked, this, &Password::chkUsePwd_Click);
    checkedConnect(cmdOK, &QPushButton::clicked, this, &Password::cmdOK_Click);
    checkedConnect(cmdCancel, &QPushButton::clicked, this, &Password::cmdCancel_Click);
    Form_Load();
}

void Password::Form_Load() {
    lbl1_0->setText(MessageText::Frm(m_state, 159));
    lbl1_1->setText(MessageText::Frm(m_state, 160));
    chkUsePwd->setChecked(
        m_state.settings.readInt(SettingsKeys::Settings, SettingsKeys::PasswordProtected) != 0);
    if (!chkUsePwd->isChecked()) {
        txtPassword1->setEnabled(false);
        txtPassword2->setEnabled(false);
        setWindowTitle(MessageText::Frm(m_state, 5, m_state.CurrentIdentity));
    }
}

void Password::chkUsePwd_Click() {
    const bool use = chkUsePwd->isChecked();
    txtPassword1->setEnabled(use);
    txtPassword2->setEnabled(use);
    if (use)
        txtPassword1->setFocus();
}

void Password::cmdOK_Click() {
    const QString product = TolvaneRoutines::ProductName();
    if (chkUsePwd->isChecked()) {
        const QString typed = txtPassword1->text();
        if (EncryptDecrypt::CheckNewPassword(typed, txtPassword2->text()) !=
            EncryptDecrypt::PasswordProblem::None) {
            m_state.dialogs.show(Dialogs::Icon::None, product + QStringLiteral(" Password Error"),
                                 MessageText::Std(m_state, 63));
            txtPassword1->setFocus();
            txtPassword1->selectAll();
            return;
        }
        IdentityList::FindIdentityIndex(m_state);
        IdentityList::StorePassword(m_state, EncryptDecrypt::EncipherPassword(typed));
        accept();
        m_state.dialogs.show(Dialogs::Icon::Warning, QStringLiteral("REMINDER!!! ") + product,
                             MessageText::Std(m_state, 62, typed));
        return;
    }
    IdentityList::FindIdentityIndex(m_state);
    IdentityList::StoreNoPassword(m_state);
    accept();
    m_state.dialogs.show(Dialogs::Icon::Information, QStringLiteral("No Password ") + product,
                         MessageText::Std(m_state, 61));
}

void Password::cmdCancel_Click() {
    reject();
}
