#include "diary/FormatDate.h"

#include "diary/DiaryDate.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
struct Separator {
    const char* caption;
    const char* text;
};
const Separator kSeparators[8] = {
    {"&None \"\"", ""},        {"Dash \"-\"", "-"}, {"Space \" \"", " "}, {"Colon \":\"", ":"},
    {"Underscore \"_\"", "_"}, {"Dot \".\"", "."},  {"Slash \"/\"", "/"}, {"Comma \",\"", ","},
};
} // namespace

FormatDate::FormatDate(ProgramState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("FormatDate"));
    setModal(true);
    lstDate = new QListWidget(this);
    lstDate->setObjectName(QStringLiteral("lstDate"));
    auto* separators = new QGroupBox(QStringLiteral("Separator"), this);
    separators->setObjectName(QStringLiteral("fraSeparator"));
    auto* grid = new QVBoxLayout(separators);
    for (int k = 0; k < 8; ++k) {
        op[size_t(k)] = new QRadioButton(QString::fromLatin1(kSeparators[k].caption), separators);
        op[size_t(k)]->setObjectName(QStringLiteral("op%1").arg(k + 1));
        grid->addWidget(op[size_t(k)]);
    }
    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lstDate, 1);
    layout->addWidget(separators);
    layout->addLayout(buttons);
    checkedConnect(OKButton, &QPushButton::clicked, this, &FormatDate::OKButton_Click);
    checkedConnect(CancelButton, &QPushButton::clicked, this, &FormatDate::CancelButton_Click);
    checkedConnect(lstDate, &QListWidget::itemDoubleClicked, this, &FormatDate::OKButton_Click);
    Form_Load();
}

void FormatDate::Form_Load() {
    setWindowTitle(MessageText::Frm(m_state, 89));
    lstDate->addItems(DiaryDate::Patterns());
    lstDate->setCurrentRow(int(DiaryDate::Patterns().indexOf(QStringLiteral("dd-MMM-yyyy"))));
    op[1]->setChecked(true);
}

QString FormatDate::separator() const {
    for (int k = 0; k < 8; ++k)
        if (op[size_t(k)]->isChecked())
            return QString::fromLatin1(kSeparators[k].text);
    return QStringLiteral("-");
}

void FormatDate::OKButton_Click() {
    const QListWidgetItem* chosen = lstDate->currentItem();
    if (chosen && chosen->isSelected()) {
        m_state.DateFormat = DiaryDate::ApplySeparator(chosen->text(), separator());
        m_state.settings.write(SettingsKeys::Settings, SettingsKeys::DateFormat,
                               m_state.DateFormat);
        m_state.dialogs.show(Dialogs::Icon::Information,
                             QStringLiteral("Settings Updated ") + TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 7, m_state.DateFormat));
    }
    accept();
}

void FormatDate::CancelButton_Click() {
    reject();
}
