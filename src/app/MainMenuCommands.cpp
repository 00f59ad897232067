// Which commands the main window offers, and when: the busy state of long operations, the
// rules of each command (installed modules, selection, clipboard, undo), and the timer that
// lets pending events run during long loops.
#include "app/MainMenu.h"

#include "app/notepad/PaneEvents.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

void MainMenu::setRule(QAction* action, std::function<bool()> rule) {
    m_rules.insert(action, std::move(rule));
}

void MainMenu::updateCommand(QAction* action) {
    const auto rule = m_rules.constFind(action);
    action->setEnabled(!m_busy && (rule == m_rules.constEnd() || (*rule)()));
}

void MainMenu::updateCommands() {
    for (QAction* a : qAsConst(m_commands))
        updateCommand(a);
    for (QMenu* m : {m_menus.file, m_menus.edit, m_menus.view, m_menus.format, m_menus.tools,
                     m_menus.web, m_menus.help})
        m->menuAction()->setEnabled(!m_busy);
    // The controls that would start or change a search.
    for (QWidget* w : std::initializer_list<QWidget*>{Command1, Command2, cboTranslation, cboBooks,
                                                      cboSearch, Frame1, ChkCase, cboFont, cboSize})
        w->setEnabled(!m_busy);
}

void MainMenu::updateSelectionCommands() {
    for (QAction* a : {m_actions.edit.cut, m_actions.edit.copy, m_actions.edit.remove})
        updateCommand(a);
}

void MainMenu::offerUndo() {
    m_undoOffered = true;
    updateCommand(m_actions.edit.undo);
}

// ---------------------------------------------------------------------------------------
// Busy state

void MainMenu::menDisable() {
    m_busy = true;
    // Typing now would move the text under the colouring that is being applied.
    RT->setReadOnly(true);
    m_paneEvents->setCommandsActive(false);
    cStop->show();
    updateCommands();
    enableReadingWindows(false);
}

void MainMenu::menEnable() {
    m_busy = false;
    RT->setReadOnly(false);
    m_paneEvents->setCommandsActive(true);
    cStop->hide();
    updateCommands();
    enableReadingWindows(true);
    // The formatting buttons follow the selection again.
    UpdateButtons();
    closeWhenIdle();
}

// ---------------------------------------------------------------------------------------
// Timer and clipboard

void MainMenu::Timer1_Timer() {
    QCoreApplication::processEvents();
    Label1->setText(QDateTime::currentDateTime().toString(m_state.DateFormat) + ' ' + DayLabel);
    // The pictures are read once; long loops call this procedure every few lines.
    if (m_frames.isEmpty()) {
        for (int i = 1; i <= 8; ++i) {
            const QString frame = m_state.ProgramFolder + QStringLiteral("b%1.bmp").arg(i);
            m_frames.append(FileFunctions::FileExists(frame) ? QIcon(FileFunctions::resolve(frame))
                                                             : QIcon());
        }
    }
    if (!m_frames.at(m_frame - 1).isNull())
        Command1->setIcon(m_frames.at(m_frame - 1));
    if (--m_frame < 1) {
        m_frame = 8;
        if (++m_cycles > 10)
            m_cycles = 9;
    }
    if (m_cycles > 8 && m_timer->interval() != 1000)
        m_timer->setInterval(1000);
    CheckClipboard();
}

void MainMenu::CheckClipboard() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    m_clipboardUsable = data && (data->hasText() || data->hasImage() || data->hasHtml() ||
                                 data->hasFormat(QStringLiteral("text/rtf")) ||
                                 data->hasFormat(QStringLiteral("application/rtf")) ||
                                 data->hasFormat(QStringLiteral("text/richtext")));
    updateCommand(m_actions.edit.paste);
}
