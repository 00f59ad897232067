// Printing the results pane: print setup, print preview and print. The pane stays as it is
// while a job runs (the busy state), so what is printed is what was asked for.
#include "app/MainMenu.h"

#include "platform/CheckedConnect.h"
#include "printing/PrintService.h"

#include <QAction>
#include <QTextEdit>

void MainMenu::connectPrinting() {
    checkedConnect(m_actions.file.printPreview, &QAction::triggered, this,
                   &MainMenu::PrintPreview_Click);
    checkedConnect(m_actions.file.printSetup, &QAction::triggered, this,
                   &MainMenu::PrintSetup_Click);
    checkedConnect(m_actions.file.print, &QAction::triggered, this, &MainMenu::Printt_Click);
}

void MainMenu::PrintPreview_Click() {
    menDisable();
    m_print->PrintPreview(RT, this);
    menEnable();
}

void MainMenu::PrintSetup_Click() {
    m_print->PrintSetup();
}

void MainMenu::Printt_Click() {
    menDisable();
    m_print->Print(RT);
    menEnable();
}
