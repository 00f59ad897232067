#include "reference/Commentaries.h"

#include "library/ChapterVerses.h"
#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"
#include "platform/Named.h"
#include "platform/RichPane.h"
#include "platform/WinColour.h"
#include "printing/PageValues.h"
#include "reference/CommentaryText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

using MessageText::Frm;
using MessageText::Std;

namespace {

// The hourglass for the length of a refresh, given back however the refresh ends.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// Fills a number list and selects `preferred` when it is there, else the first entry;
// returns the number selected (`preferred` when the list stays empty).
int fillNumbers(QComboBox* list, const QVector<int>& numbers, int preferred) {
    list->clear();
    for (int n : numbers)
        list->addItem(QString::number(n), n);
    const int at = list->findData(preferred);
    list->setCurrentIndex(at >= 0 ? at : 0);
    return list->count() ? list->currentData().toInt() : preferred;
}

} // namespace

Commentaries::Commentaries(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state) {
    setObjectName(QStringLiteral("Commentaries"));
    buildControls();
}

void Commentaries::buildControls() {
    frm1 = named(new QFrame(this), "frm1");
    auto* row = new QHBoxLayout(frm1);
    row->setContentsMargins(4, 4, 4, 4);
    auto column = [&](QLabel*& label, const char* labelName, int text, QComboBox*& list,
                      const char* listName, int stretch) {
        label = named(new QLabel(Frm(m_state, text), frm1), labelName);
        list = named(new QComboBox(frm1), listName);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(3);
        list->setMaxVisibleItems(20);
        label->setBuddy(list);
        auto* col = new QVBoxLayout;
        col->addWidget(label);
        col->addWidget(list);
        row->addLayout(col, stretch);
    };
    column(lbl1, "lbl1", 950, cboTrans, "cboTrans", 30);
    column(lbl2, "lbl2", 951, cboBook, "cboBook", 20);
    column(lbl3, "lbl3", 952, cboChap, "cboChap", 10);
    column(lbl4, "lbl4", 953, cboVs, "cboVs", 10);
    column(lbl5, "lbl5", 954, cboCoMM, "cboCoMM", 29);
    cmdGo = named(new QPushButton(Frm(m_state, 956), frm1), "cmdGo");
    chkChap = named(new QCheckBox(Frm(m_state, 955), frm1), "chkChap");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(chkChap);
    buttons->addWidget(cmdGo);
    row->addLayout(buttons);

    RTb = named(new QTextEdit(this), "RTb");
    RTc = named(new QTextEdit(this), "RTc");
    for (QTextEdit* pane : {RTb, RTc})
        pane->setReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(frm1);
    layout->addWidget(RTb, 1);
    layout->addWidget(RTc, 3);

    checkedConnect(cboTrans, &QComboBox::activated, this, &Commentaries::cboTrans_Click);
    checkedConnect(cboBook, &QComboBox::activated, this, &Commentaries::cboBook_Click);
    checkedConnect(cboChap, &QComboBox::activated, this, &Commentaries::cboChap_Click);
    checkedConnect(cboVs, &QComboBox::activated, this, &Commentaries::cboVs_Click);
    checkedConnect(cboCoMM, &QComboBox::activated, this, &Commentaries::cboCoMM_Click);
    checkedConnect(chkChap, &QCheckBox::clicked, this, &Commentaries::chkChap_Click);
    checkedConnect(cmdGo, &QPushButton::clicked, this, &Commentaries::cmdGo_Click);
}

bool Commentaries::Form_Load() {
    setWindowTitle(Frm(m_state, 2, TolvaneRoutines::ProductName()));
    if (m_state.CommentaryFiles.value(0).isEmpty()) {
        m_state.dialogs.show(Dialogs::Icon::Information,
                             QStringLiteral("No Commentary ") + TolvaneRoutines::ProductName(),
                             Std(m_state, 2));
        return false;
    }
    CurBibleFile = m_state.BibleFiles.value(0);
    CurBibleName = m_state.BibleNames.value(0);
    TranslationCombos();
    for (int b = 0; b < 66 && b < m_state.BookDisplayNames.size(); ++b)
        cboBook->addItem(m_state.BookDisplayNames.at(b));
    CurBook = 1;
    PopulateChap(CurBook);
    PopulateVerse(CurBook, CurChap);
    for (QTextEdit* pane : {RTb, RTc})
        applyLook(pane);
    return true;
}

void Commentaries::TranslationCombos() {
    cboTrans->clear();
    for (int i = 0; i < m_state.BibleNames.size(); ++i)
        if (!m_state.BibleNames.at(i).isEmpty())
            cboTrans->addItem(m_state.BibleNames.at(i), m_state.BibleFiles.value(i));
    cboCoMM->clear();
    for (int i = 0; i < m_state.CommentaryNames.size(); ++i)
        if (!m_state.CommentaryNames.at(i).isEmpty())
            cboCoMM->addItem(m_state.CommentaryNames.at(i), m_state.CommentaryFiles.value(i));
    CommentaryPos = 0;
}

bool Commentaries::useBibleIndex() {
    return CommentaryText::LoadBibleIndex(m_state, CurBibleFile, CurBibleName,
                                          [this](const QString& text) { showWaiting(RTb, text); });
}

// Without the translation's index the table belongs to another text: the lists stay empty.
void Commentaries::PopulateChap(int book) {
    const bool ready = useBibleIndex();
    CurChap = fillNumbers(
        cboChap, ready ? ChapterVerses::Chapters(m_state.VerseIndex, book) : QVector<int>(), 1);
}

void Commentaries::PopulateVerse(int book, int chapter) {
    const bool ready = useBibleIndex();
    CurVerse =
        fillNumbers(cboVs,
                    ready ? ChapterVerses::Verses(
                                m_state.VerseIndex,
                                m_state.Folders.moduleFile(m_state.BibleFolder, CurBibleFile), book,
                                chapter)
                          : QVector<int>(),
                    1);
}

// The file goes with each item, so a list filled before the options window changed the
// translations still names the file it shows.
void Commentaries::cboTrans_Click(int index) {
    if (index < 0)
        return;
    CurBibleName = cboTrans->itemText(index);
    CurBibleFile = cboTrans->itemData(index).toString();
    // Another translation may lack a chapter or a verse title of the one chosen before.
    const int chapter = CurChap, verse = CurVerse;
    PopulateChap(CurBook);
    if (cboChap->findData(chapter) >= 0) {
        cboChap->setCurrentIndex(cboChap->findData(chapter));
        CurChap = chapter;
    }
    PopulateVerse(CurBook, CurChap);
    if (cboVs->findData(verse) >= 0) {
        cboVs->setCurrentIndex(cboVs->findData(verse));
        CurVerse = verse;
    }
}

void Commentaries::cboBook_Click(int index) {
    if (index < 0)
        return;
    CurBook = index + 1;
    PopulateChap(CurBook);
    PopulateVerse(CurBook, CurChap);
}

void Commentaries::cboChap_Click(int index) {
    if (index < 0)
        return;
    CurChap = cboChap->itemData(index).toInt();
    PopulateVerse(CurBook, CurChap);
}

void Commentaries::cboVs_Click(int index) {
    if (index >= 0)
        CurVerse = cboVs->itemData(index).toInt();
}

void Commentaries::cboCoMM_Click(int index) {
    if (index >= 0)
        CommentaryPos = index;
}

void Commentaries::chkChap_Click() {
    const bool whole = chkChap->isChecked();
    cboVs->setVisible(!whole);
    lbl4->setVisible(!whole);
}

void Commentaries::showWaiting(QTextEdit* pane, const QString& text) {
    pane->setPlainText(text);
    pane->repaint();
}

// Both texts are put together before either pane changes, so each pane is laid out once;
// a refresh that fails reports it after the pointer and the panes are back to normal.
void Commentaries::cmdGo_Click() {
    CommentaryText::Pane bible, commentary;
    {
        BusyPointer busy;
        const CommentaryText::BibleRequest request{
            CurBibleFile, CurBibleName, CurBook, CurChap, CurVerse, chkChap->isChecked()};
        bible = CommentaryText::BiblePane(m_state, request,
                                          [this](const QString& text) { showWaiting(RTb, text); });
        if (!bible.error) {
            // The commentary's file goes with its list item, as the translations' do.
            const QString file = cboCoMM->itemData(CommentaryPos).toString();
            commentary = CommentaryText::CommentaryPane(
                m_state, int(m_state.CommentaryFiles.indexOf(file)), CurBook, CurChap,
                [this](const QString& text) { showWaiting(RTc, text); });
        }
        RTb->setPlainText(bible.text);
        RTc->setPlainText(commentary.text);
        for (QTextEdit* pane : {RTb, RTc})
            applyLook(pane);
    }
    const CommentaryText::Pane& failed = bible.error ? bible : commentary;
    if (failed.error) {
        TolvaneRoutines::ReportError(m_state.dialogs, failed.error, QStringLiteral("cmdGo_Click"),
                                     CurBibleFile + QStringLiteral("\r\n") + failed.detail);
        return;
    }
    RTc->setFocus();
}

// The reader's font, colours and page layout as they are in force now; each is set only when
// it differs, since every change lays the pane's text out again.
void Commentaries::applyLook(QTextEdit* pane) {
    QFont font = pane->font();
    font.setFamily(m_state.DEFAULTFONT);
    font.setPointSize(qMax<int>(1, m_state.Bib1Fontsize));
    if (font != pane->font())
        pane->setFont(font);
    const QColor base = WinColour::toQColor(m_state.Bib1BC);
    const QColor text = WinColour::toQColor(m_state.Bib1TC);
    if (pane->palette().color(QPalette::Base) != base ||
        pane->palette().color(QPalette::Text) != text)
        RichPane::SetColours(pane, m_state.Bib1BC, m_state.Bib1TC);
    if (m_state.ApplyToAllForms == 1) {
        const PageValues::PaneLayout l = PageValues::ComputePaneLayout(m_state);
        RichPane::SetLineLayout(pane, l.fitToWindow, l.rightMarginTwips, l.indentTwips);
    }
}
