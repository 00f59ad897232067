#include "app/locate/frmLocate.h"

#include "app/locate/BibleTest.h"
#include "app/locate/frmDirlist.h"
#include "library/DataFolders.h"
#include "library/ProgramState.h"
#include "localisation/MessageText.h"
#include "platform/Named.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using MessageText::Frm;
using MessageText::Std;

frmLocate::frmLocate(ProgramState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmLocate"));
    setWindowTitle(QStringLiteral("Locate MODULE folder"));
    auto label = [this](const char* name, const QString& text) {
        auto* l = named(new QLabel(text, this), name);
        l->setWordWrap(true);
        return l;
    };
    QLabel* Label2 = label("Label2", Frm(state, 200));
    QLabel* Label3 = label("Label3", Std(state, 103));
    QLabel* Label5 = label("Label5", Std(state, 104));
    Label1 = label("Label1", state.ModulePath);
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto button = [this](const char* name, const QString& text) {
        return named(new QPushButton(text, this), name);
    };
    QPushButton* cmdDefault = button("cmdDefault", Frm(state, 181));
    QPushButton* cmdLocate = button("cmdLocate", Frm(state, 182));
    QPushButton* cmdClose = button("cmdClose", Frm(state, 183));
    connect(cmdDefault, &QPushButton::clicked, this, &frmLocate::cmdDefault_Click);
    connect(cmdLocate, &QPushButton::clicked, this, &frmLocate::cmdLocate_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmLocate::cmdClose_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDefault);
    buttons->addWidget(cmdLocate);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    for (QLabel* l : {Label2, Label1, Label3, Label5})
        layout->addWidget(l);
    layout->addLayout(buttons);
    setMinimumWidth(460);
}

void frmLocate::cmdDefault_Click() {
    // "DEFAULT" is the program folder's own module folder.
    BibleTest::StoreAndTest(m_state, DataFolders::DefaultModulePath(m_state),
                            windowTitle(), BibleTest::NotFoundStyle::PlainWithPath);
    Label1->setText(m_state.ModulePath);
    if (m_state.EndRequested)
        accept();
}

void frmLocate::cmdLocate_Click() {
    frmDirlist dirlist(m_state, this);
    dirlist.exec();
    Label1->setText(m_state.ModulePath);
    if (m_state.EndRequested)
        accept();
}

void frmLocate::cmdClose_Click() { reject(); }
