#include "app/periphery/frmAgreement.h"

#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "localisation/MessageText.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmAgreement::frmAgreement(const ProgramState& state, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAgreement"));
    setWindowTitle(MessageText::Frm(state, 903));
    QByteArray bytes;
    const QString path = state.ProgramFolder + QStringLiteral("License.txt");
    m_text = FileFunctions::readWholeFile(path, bytes) ? QString::fromUtf8(bytes)
                                                       : MessageText::Std(state, 900, path);
    auto* view = new QPlainTextEdit(m_text, this);
    view->setObjectName(QStringLiteral("txtAgreement"));
    view->setReadOnly(true);
    auto* close = new QPushButton(MessageText::Frm(state, 904), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addLayout(buttons);
    resize(620, 480);
}
