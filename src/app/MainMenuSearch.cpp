// The main window's search: translation and book choice, the search itself, highlighting and
// the search history. The work is done by the search models; this file moves their results
// into the controls and keeps the window responsive while they run.
#include "app/MainMenu.h"

#include "app/search/HighlightPlan.h"
#include "app/search/ScriptureSearch.h"
#include "app/search/SearchHistory.h"
#include "library/GlobalSTRINGFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "library/VerseIndex.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"
#include "platform/RichPane.h"
#include "platform/Win1252.h"
#include "platform/WinColour.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace {

QStringList listItems(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}
} // namespace

void MainMenu::setStatusBold(bool bold) {
    QFont f = Text1->font();
    f.setBold(bold);
    Text1->setFont(f);
}

void MainMenu::showStatus(const QString& text, bool bold) {
    setStatusBold(bold);
    Text1->setText(text);
    Text1->repaint();
}

void MainMenu::cboBooks_Click() {
    SelectedBook = cboBooks->currentIndex() + 1;
    m_state.settings.writeNumber(SettingsKeys::Settings, SettingsKeys::CBOBookmark.name,
                                 cboBooks->currentIndex());
}

void MainMenu::cboTranslation_Click() {
    // The list holds BibleNames in order: its position is the translation's, which stays
    // right when two translations share a description.
    const int chosen = cboTranslation->currentIndex();
    if (chosen >= 0 && chosen < m_state.BibleFiles.size())
        CurrentBibleFile = m_state.BibleFiles.at(chosen);
    VerseIndex::PrepareIndex(m_state, m_state.BibleFolder, CurrentBibleFile, true,
                             [this](const QString& text, bool bold) { showStatus(text, bold); });
    m_state.settings.writeNumber(SettingsKeys::Settings, SettingsKeys::WhichBib.name,
                                 cboTranslation->currentIndex());
}

SearchMode MainMenu::chosenMode() const {
    if (chkAnyOrder->isChecked())
        return SearchMode::AllTerms;
    if (chkAnyTerms->isChecked())
        return SearchMode::AnyTerm;
    if (chkAllverses->isChecked())
        return SearchMode::EntireSelection;
    return SearchMode::Pattern;
}

void MainMenu::Command1_Click() {
    if (Searching || m_busy || !MayReplaceNotes())
        return;
    Searching = true;
    StopRequested = false;
    menDisable();
    ApplyPaneLayout();
    setWindowTitle(TolvaneRoutines::ProductName());
    for (QAction* a : {m_actions.format.left, m_actions.format.centre, m_actions.format.right,
                       m_actions.format.bullet})
        a->setChecked(false);
    DayLabel = GlobalSTRINGFunctions::DayText();
    Label1->hide();

    const QFont paneFont(m_state.DEFAULTFONT, m_state.Bib1Fontsize);
    RT->document()->setDefaultFont(paneFont);
    RT->setCurrentFont(paneFont);
    cboResults->clear();
    MatchCount = 0;

    ScriptureSearch search(m_state);
    const SearchRequest request{CurrentBibleFile, SelectedBook, chosenMode(), ChkCase->isChecked(),
                                cboSearch->currentText()};
    if (!search.prepare(request, [this](const QString& t, bool b) { showStatus(t, b); })) {
        showStatus(search.statusText(0), false);
        endSearch();
        return;
    }
    SearchTerms = QStringList(31, QStringLiteral(" "));
    const QVector<QByteArray> terms = search.highlightTerms();
    TermCount = int(terms.size());
    for (int k = 0; k < TermCount && k + 1 < SearchTerms.size(); ++k)
        SearchTerms[k + 1] = Win1252::decode(terms.at(k));

    // The pane holds results now, not a document: nothing of the search is undoable.
    const PaneFill fill(m_fillingPane);
    RT->setUndoRedoEnabled(false);
    RT->clear();
    RichPane::SetColours(RT, m_state.Bib1BC, m_state.Bib1TC);
    PBar->setRange(0, ScriptureSearch::kProgressMaximum);
    PBar->setValue(0);
    PBar->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    search.run(
        [this](int lines) {
            PBar->setValue(qMin(lines, PBar->maximum()));
            Timer1_Timer();
        },
        StopRequested);
    // The whole result reaches the pane in one assignment.
    RT->setPlainText(search.paneText());
    PBar->hide();
    // The text just set carries no colour of its own, so it already shows in Bib1TC.
    HighlightText(search.highlightPlan(), false);
    showStatus(search.statusText(MatchCount), false);
    QApplication::restoreOverrideCursor();
    RT->setUndoRedoEnabled(true);
    RT->moveCursor(QTextCursor::Start);
    RT->setFocus();
    endSearch();
}

// The results replace the pane: notes typed there and not saved are offered a save first, as
// opening a file does (results, and notes already saved, are replaced without a question).
bool MainMenu::MayReplaceNotes() {
    if (!DocumentChanged)
        return true;
    const Dialogs::Answer a = m_state.dialogs.show(
        Dialogs::Icon::Question,
        QStringLiteral("Current File not saved ") + TolvaneRoutines::ProductName(),
        MessageText::Std(m_state, 46, NotepadFileName), Dialogs::Buttons::YesNoCancel,
        Dialogs::Answer::Yes);
    if (a == Dialogs::Answer::No)
        return true;
    if (a == Dialogs::Answer::Yes)
        Save_Click();
    // Cancel, or a save that was cancelled or failed: the notes stay and the search waits.
    return a == Dialogs::Answer::Yes && !DocumentChanged;
}

void MainMenu::endSearch() {
    Label1->show();
    DocumentChanged = false;
    menEnable();
    Searching = false;
}

void MainMenu::HighlightText(const HighlightPlan& plan, bool recolourFirst) {
    const bool wasBusy = m_busy;
    const PaneFill fill(m_fillingPane);
    menDisable();
    PBar->setRange(0, m_state.MAXCountSize + 30);
    PBar->setValue(0);
    PBar->show();
    if (recolourFirst) {
        RT->setUpdatesEnabled(false);
        RichPane::ColourAll(RT, m_state.Bib1TC);
        RT->setUpdatesEnabled(true);
    }
    LimitReached = false;

    QTextCursor cursor(RT->document());
    const QVector<HighlightPlan::Span>& spans = plan.spans();
    int applied = 0;
    bool stopped = false;
    for (const HighlightPlan::Term& term : plan.terms()) {
        m_state.ActiveUpdateBib1 = chkActiveUpd->isChecked() ? 1 : 0;
        // Unless "Active Update" is ticked the pane is not redrawn while a term is coloured.
        RT->setUpdatesEnabled(m_state.ActiveUpdateBib1 == 1);
        showStatus(HighlightPlan::HighlightingText(term.text), true);
        QTextCharFormat format;
        format.setForeground(WinColour::toQColor(term.colour));
        // Without "Active Update" the pane is laid out once per term, not after each match.
        const bool batch = m_state.ActiveUpdateBib1 == 0;
        if (batch)
            cursor.beginEditBlock();
        for (int i = term.firstSpan; i < term.firstSpan + term.spanCount; ++i) {
            if (StopRequested) {
                StopRequested = false;
                stopped = true;
                break;
            }
            const HighlightPlan::Span& s = spans.at(i);
            cursor.setPosition(s.position);
            cursor.setPosition(s.position + s.length, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(format);
            ++applied;
            PBar->setValue(qMin(applied, PBar->maximum()));
            if (applied % HighlightPlan::kEventInterval == 0)
                Timer1_Timer();
        }
        if (batch)
            cursor.endEditBlock();
        RT->setUpdatesEnabled(true);
        if (stopped)
            break;
    }

    const HighlightPlan::Outcome outcome = plan.outcomeAfter(applied);
    MatchCount = outcome.MatchCount;
    LimitReached = outcome.LimitReached;
    QPalette pal = cboResults->palette();
    pal.setColor(QPalette::Text, WinColour::toQColor(outcome.summaryColour));
    cboResults->setPalette(pal);
    cboResults->clear();
    cboResults->addItems(outcome.summaryItems);
    cboResults->setEditText(HighlightPlan::SummaryText());

    PBar->hide();
    setStatusBold(false);
    RT->moveCursor(QTextCursor::Start);
    if (!wasBusy)
        menEnable();
}

void MainMenu::cStop_Click() {
    StopRequested = true;
}

void MainMenu::cboSearch_KeyPress() {
    SaveComboHistory();
    Command1_Click();
}

void MainMenu::cboSearch_LostFocus() {
    SaveComboHistory();
}

void MainMenu::PopulateHistoryCombo() {
    cboSearch->clear();
    cboSearch->addItems(SearchHistory(m_state.settings).PopulateHistoryCombo());
    cboSearch->setEditText(SearchHistory::InitialText());
}

void MainMenu::SaveComboHistory() {
    QStringList list = listItems(cboSearch);
    const QString text = cboSearch->currentText();
    if (SearchHistory(m_state.settings).SaveComboHistory(list, text)) {
        cboSearch->addItem(text);
        cboSearch->setEditText(text);
    }
}

void MainMenu::Command2_Click() {
    QStringList list = listItems(cboSearch);
    if (!SearchHistory(m_state.settings)
             .ClearHistory(m_state.dialogs, MessageText::Std(m_state, 43), list))
        return;
    cboSearch->clear();
    cboSearch->setEditText(SearchHistory::InitialText());
}

void MainMenu::ReIndex_Click() {
    VerseIndex::ReIndex(m_state);
}
