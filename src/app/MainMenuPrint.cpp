// Printing the results pane: print setup, print preview and print.
#include "app/MainMenu.h"

#include "printing/PrintService.h"

#include <QAction>
#include <QTextEdit>
#include <QToolButton>

void MainMenu::connectPrinting() {
    new PrintService(m_state, this);
    connect(action(QStringLiteral("PrintPreview")), &QAction::triggered, this,
            &MainMenu::PrintPreview_Click);
    connect(action(QStringLiteral("PrintSetup")), &QAction::triggered, this,
            &MainMenu::PrintSetup_Click);
    connect(action(QStringLiteral("Printt")), &QAction::triggered, this, &MainMenu::Printt_Click);
    if (auto* button = findChild<QToolButton*>(QStringLiteral("cmdPrint")))
        connect(button, &QToolButton::clicked, this, &MainMenu::Printt_Click);
}

PrintService* MainMenu::printService() const {
    return findChild<PrintService*>(QStringLiteral("PrintService"), Qt::FindDirectChildrenOnly);
}

void MainMenu::PrintPreview_Click() { printService()->PrintPreview(RT, this); }

void MainMenu::PrintSetup_Click() { printService()->PrintSetup(); }

void MainMenu::Printt_Click() { printService()->Print(RT); }
