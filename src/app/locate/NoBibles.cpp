#include "app/locate/NoBibles.h"

#include "app/locate/frmLocate.h"
#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"
#include "platform/UrlOpener.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using MessageText::Frm;
using MessageText::Std;

NoBibles::NoBibles(ProgramState& state, UrlOpener& opener, QWidget* parent)
    : QDialog(parent), m_state(state), m_opener(opener) {
    setObjectName(QStringLiteral("NoBibles"));
    setWindowTitle(Frm(state, 8, TolvaneRoutines::ProductName()));
    Label3 = new QLabel(Std(state, 60), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setWordWrap(true);
    const QString web = TolvaneRoutines::WebAddress();
    Label2 = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(web.toHtmlEscaped()), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(Label2, &QLabel::linkActivated, this, [this](const QString& link) {
        m_opener.open(link);
    });
    auto* cmdLocate = new QPushButton(Frm(state, 196), this);
    cmdLocate->setObjectName(QStringLiteral("cmdLocate"));
    auto* Command2 = new QPushButton(Frm(state, 197), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    auto* Command1 = new QPushButton(Frm(state, 198), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(cmdLocate, &QPushButton::clicked, this, &NoBibles::cmdLocate_Click);
    connect(Command2, &QPushButton::clicked, this, &NoBibles::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &NoBibles::Command1_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdLocate);
    buttons->addWidget(Command2);
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label3);
    layout->addWidget(Label2);
    layout->addLayout(buttons);
    setMinimumWidth(440);
}

void NoBibles::cmdLocate_Click() {
    const auto answer = m_state.dialogs.show(Dialogs::Icon::Question, windowTitle(),
                                             Std(m_state, 59), Dialogs::Buttons::YesNo,
                                             Dialogs::Answer::No);
    if (answer != Dialogs::Answer::Yes)
        return;
    frmLocate locate(m_state, this);
    locate.exec();
    if (m_state.EndRequested)
        accept();
}

void NoBibles::Command2_Click() { emit helpRequested(); }

void NoBibles::Command1_Click() {
    m_state.EndRequested = true;
    reject();
}
