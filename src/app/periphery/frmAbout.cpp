#include "app/periphery/frmAbout.h"

#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSysInfo>
#include <QVBoxLayout>

using MessageText::Frm;

frmAbout::frmAbout(ProgramState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(Frm(state, 900, TolvaneRoutines::ProductName()));
    auto* product = new QLabel(TolvaneRoutines::ProductName(), this);
    QFont f = product->font();
    f.setPointSize(f.pointSize() * 2);
    f.setBold(true);
    product->setFont(f);
    auto* version = new QLabel(TolvaneRoutines::VersionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* web = new QLabel(TolvaneRoutines::WebAddress(), this);
    web->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* sysInfo = new QPushButton(Frm(state, 901), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    auto* ok = new QPushButton(Frm(state, 902), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(sysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sysInfo);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(product);
    layout->addWidget(version);
    layout->addWidget(web);
    layout->addSpacing(10);
    layout->addLayout(buttons);
}

QString frmAbout::SystemInformation() {
    QStringList lines;
    lines << QSysInfo::prettyProductName() << QSysInfo::kernelType() + ' ' +
                                                  QSysInfo::kernelVersion();
    lines << QSysInfo::currentCpuArchitecture();
    lines << QStringLiteral("Qt ") + QString::fromLatin1(qVersion());
    lines << QGuiApplication::platformName();
    if (QScreen* s = QGuiApplication::primaryScreen())
        lines << QStringLiteral("%1 x %2, %3 dpi")
                     .arg(s->size().width())
                     .arg(s->size().height())
                     .arg(s->logicalDotsPerInch());
    return lines.join(QStringLiteral("\r\n"));
}

void frmAbout::cmdSysInfo_Click() {
    m_state.dialogs.show(Dialogs::Icon::Information, Frm(m_state, 901), SystemInformation());
}
