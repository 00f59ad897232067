#include "parallel/MultiBib.h"

#include "library/ChapterVerses.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/TolvaneRoutines.h"
#include "library/VerseIndex.h"
#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "platform/Named.h"
#include "platform/RichPane.h"
#include "platform/Twips.h"
#include "printing/PageValues.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

namespace {

const QString kBusy = QStringLiteral("Busy. Please wait...");
const QString kReady = QStringLiteral("Ready");
const QString kListTip = QStringLiteral("Use Up Arrow, Down Arrow and Page up and Page Down");

// The pane reports every click and key release once Qt has moved the caret.
class ClickPane : public QTextEdit {
public:
    using QTextEdit::QTextEdit;
    std::function<void()> released;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        QTextEdit::mouseReleaseEvent(e);
        if (released)
            released();
    }
    void keyReleaseEvent(QKeyEvent* e) override {
        QTextEdit::keyReleaseEvent(e);
        if (released)
            released();
    }
};

QString toPaneText(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

MultiBib::MultiBib(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state), m_passage(state) {
    setObjectName(QStringLiteral("MultiBib"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    Form_Load();
}

MultiBib::~MultiBib() = default;

void MultiBib::buildControls() {
    Picture1 = named(new QWidget(this), "Picture1");
    L1 = named(new QLabel(QStringLiteral("Book"), Picture1), "L1");
    L2 = named(new QLabel(QStringLiteral("Chap"), Picture1), "L2");
    L3 = named(new QLabel(QStringLiteral("Vs"), Picture1), "L3");
    cboBook = named(new QComboBox(Picture1), "cboBook");
    cboChap = named(new QComboBox(Picture1), "cboChap");
    cboVs = named(new QComboBox(Picture1), "cboVs");
    for (QComboBox* list : {cboChap, cboVs}) {
        list->setToolTip(kListTip);
        list->setMaxVisibleItems(20);
    }
    cboBook->setMaxVisibleItems(20);
    L1->setBuddy(cboBook);
    L2->setBuddy(cboChap);
    L3->setBuddy(cboVs);
    cmdGo = named(new QPushButton(QStringLiteral("Refresh"), Picture1), "cmdGo");
    optNone = named(new QRadioButton(QStringLiteral("Verse"), Picture1), "optNone");
    optChap = named(new QRadioButton(QStringLiteral("Chap"), Picture1), "optChap");

    auto* pane = new ClickPane(this);
    pane->released = [this] { RT_Click(); };
    RT = named<QTextEdit>(pane, "RT");
    // The text is read, not edited; the caret still moves with the keyboard.
    RT->setReadOnly(true);
    RT->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    SB1 = named(new QStatusBar(this), "SB1");
    SB1->setSizeGripEnabled(true);
    SB1Panel1 = named(new QLabel(SB1), "SB1Panel1");
    SB1Panel2 = named(new QLabel(SB1), "SB1Panel2");
    optWholeVerse =
        named(new QCheckBox(QStringLiteral("&Whole Verse Select"), SB1), "optWholeVerse");
    SB1->addWidget(SB1Panel1, 1);
    SB1->addWidget(SB1Panel2);
    auto* gap = new QWidget(SB1);
    gap->setFixedWidth(pixels(100));
    SB1->addWidget(gap);
    SB1->addWidget(optWholeVerse);
    setPanel2Width(3000);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Picture1);
    layout->addWidget(RT, 1);
    layout->addWidget(SB1);
    const int rowHeight = cboBook->sizeHint().height();
    Picture1->setFixedHeight(L1->sizeHint().height() + rowHeight + 12);
    setMinimumSize(480, 240);

    checkedConnect(cboBook, QOverload<int>::of(&QComboBox::activated), this,
                   &MultiBib::cboBook_Click);
    checkedConnect(cboChap, QOverload<int>::of(&QComboBox::activated), this,
                   &MultiBib::cboChap_Click);
    checkedConnect(cboVs, QOverload<int>::of(&QComboBox::activated), this, &MultiBib::cboVs_Click);
    checkedConnect(cmdGo, &QPushButton::clicked, this, &MultiBib::cmdGo_Click);
    checkedConnect(optNone, &QRadioButton::clicked, this, &MultiBib::optNone_Click);
    checkedConnect(optChap, &QRadioButton::clicked, this, &MultiBib::optChap_Click);
}

int MultiBib::pixels(double twips) const {
    return Twips::toPixelsRounded(twips, RichPane::LogicalDpi(RT));
}

void MultiBib::setPanel2Width(double twips) {
    SB1Panel2->setFixedWidth(pixels(twips));
}

// ---------------------------------------------------------------------------------------
// Loading, layout and closing

void MultiBib::Form_Load() {
    // The placement "ScreenV1" is applied by the main window's opener, which made this window.
    setWindowTitle(MessageText::Frm(m_state, 20, TolvaneRoutines::ProductName()));
    applyAppearance();
    cboBook->clear();
    cboBook->addItems(m_state.BookDisplayNames.mid(0, 66));
    cboBook->setCurrentIndex(0);
    CurBibleFile = m_state.BibleFiles.value(0);
    CurBook = 1;
    PopulateChap(1);
    CurChap = selectNumber(cboChap, 1);
    PopulateVerse(1, CurChap);
    CurVerse = selectNumber(cboVs, 1);
    optNone->setChecked(true);
    ViewMode = ParallelPassage::ViewMode::Verse;
    if (m_state.ApplyToAllForms == 1) {
        const PageValues::PaneLayout p = PageValues::ComputePaneLayout(m_state);
        RichPane::SetLineLayout(RT, p.fitToWindow, p.rightMarginTwips, p.indentTwips);
    }
    optWholeVerse->setChecked(true);
}

void MultiBib::applyAppearance() {
    RichPane::SetColours(RT, m_state.Bib2BC, m_state.Bib2TC);
    QFont font(m_state.DEFAULTFONT);
    font.setPointSize(qMax(1, int(m_state.Bib2Fontsize)));
    // A new font lays the whole text out again: only when it changed.
    if (RT->document()->defaultFont() != font)
        RT->document()->setDefaultFont(font);
}

void MultiBib::savePlacement() {
    if (isMinimized() || isMaximized())
        return;
    const double dpi = RichPane::LogicalDpi(RT);
    const QRect g = geometry();
    m_state.Placement = WindowPlacement{qint32(std::lround(Twips::fromPixels(g.x(), dpi))),
                                        qint32(std::lround(Twips::fromPixels(g.y(), dpi))),
                                        std::round(Twips::fromPixels(g.width(), dpi)),
                                        std::round(Twips::fromPixels(g.height(), dpi))};
    DataFolders::SaveWindowPlacement(m_state, SettingsKeys::ScreenMultiBible);
}

void MultiBib::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void MultiBib::Form_Resize() {
    // The book list takes 0.3 of the width and the chapter and verse lists 0.08 each (but
    // never too narrow for "150"); the button and the two options follow, labels above.
    const int margin = 6;
    const int inner = qMax(0, Picture1->width() - 2 * margin);
    const int labelHeight = L1->sizeHint().height();
    const int rowTop = margin / 2 + labelHeight;
    const int rowHeight = cboBook->sizeHint().height();
    const int narrow = qMax(int(inner * 0.08),
                            cboChap->fontMetrics().horizontalAdvance(QStringLiteral("1500")) + 36);
    int x = margin;
    auto place = [&](QLabel* label, QWidget* list, int width) {
        label->setGeometry(x, margin / 2, width, labelHeight);
        list->setGeometry(x, rowTop, width, rowHeight);
        x += width + margin;
    };
    place(L1, cboBook, int(inner * 0.3));
    place(L2, cboChap, narrow);
    if (!cboVs->isHidden())
        place(L3, cboVs, narrow);
    const int buttonWidth = cmdGo->sizeHint().width();
    cmdGo->setGeometry(x, rowTop, buttonWidth, rowHeight);
    x += buttonWidth + pixels(100);
    optChap->setGeometry(x, rowTop, optChap->sizeHint().width(), rowHeight);
    x += optChap->sizeHint().width() + margin;
    optNone->setGeometry(x, rowTop, optNone->sizeHint().width(), rowHeight);
}

void MultiBib::closeEvent(QCloseEvent* event) {
    if (m_refreshing) {
        // Closed from an event that ran during a refresh: close once it has finished.
        m_closeAfterRefresh = true;
        event->ignore();
        return;
    }
    savePlacement();
    event->accept();
}

// ---------------------------------------------------------------------------------------
// The lists

int MultiBib::selectNumber(QComboBox* list, int number) {
    const int at = list->findText(QString::number(number));
    list->setCurrentIndex(at >= 0 ? at : 0);
    return list->count() ? list->currentText().toInt() : 0;
}

void MultiBib::PopulateChap(int book) {
    // The lists come from the first translation that holds the book, through its own index
    // (built when missing), never from whatever index another window loaded last.
    auto status = [this](const QString& text, bool) {
        SB1Panel1->setText(text);
        SB1->repaint();
    };
    QVector<int> chapters;
    m_listFile.clear();
    for (const QString& file : m_state.BibleFiles) {
        if (file.isEmpty() || FileFunctions::fileSize(m_state.Folders.moduleFile(m_state.BibleFolder, file)) <= 0)
            continue;
        VerseIndex::PrepareIndex(m_state, m_state.BibleFolder, file, false, status);
        chapters = ChapterVerses::Chapters(m_state.VerseIndex, book);
        if (m_listFile.isEmpty() || !chapters.isEmpty())
            m_listFile = file;
        if (!chapters.isEmpty())
            break;
    }
    cboChap->clear();
    cboChap->addItems(ChapterVerses::Entries(chapters));
    selectNumber(cboChap, 1);
}

void MultiBib::PopulateVerse(int book, int chapter) {
    QVector<int> verses;
    if (!m_listFile.isEmpty()) {
        VerseIndex::PrepareIndex(m_state, m_state.BibleFolder, m_listFile, false, {});
        verses = ChapterVerses::Verses(m_state.VerseIndex,
                                       m_state.Folders.moduleFile(m_state.BibleFolder, m_listFile),
                                       book, chapter);
    }
    cboVs->clear();
    cboVs->addItems(ChapterVerses::Entries(verses));
    selectNumber(cboVs, 1);
}

void MultiBib::catalogueReloaded() {
    const int chapter = CurChap;
    const int verse = CurVerse;
    CurBibleFile = m_state.BibleFiles.value(0);
    PopulateChap(CurBook);
    CurChap = selectNumber(cboChap, chapter);
    PopulateVerse(CurBook, CurChap);
    CurVerse = selectNumber(cboVs, CurChap == chapter ? verse : 1);
}

// ---------------------------------------------------------------------------------------
// Handlers

void MultiBib::cboBook_Click() {
    CurBook = cboBook->currentIndex() + 1;
    PopulateChap(CurBook);
    CurChap = cboChap->count() ? cboChap->currentText().toInt() : 1;
    PopulateVerse(CurBook, CurChap);
    CurVerse = cboVs->count() ? cboVs->currentText().toInt() : 1;
    cmdGo_Click();
}

void MultiBib::cboChap_Click() {
    CurChap = cboChap->currentText().toInt();
    PopulateVerse(CurBook, CurChap);
    CurVerse = cboVs->count() ? cboVs->currentText().toInt() : 1;
    cmdGo_Click();
}

void MultiBib::cboVs_Click() {
    // The verse is the number chosen, not its place in the list: a list may start at 0.
    CurVerse = cboVs->currentText().toInt();
    cmdGo_Click();
}

void MultiBib::optNone_Click() {
    ViewMode = ParallelPassage::ViewMode::Verse;
    cboVs->show();
    L3->show();
    Form_Resize();
}

void MultiBib::optChap_Click() {
    ViewMode = ParallelPassage::ViewMode::Chapter;
    cboVs->hide();
    L3->hide();
    Form_Resize();
}

void MultiBib::UpdSB1(const QString& name) {
    SB1Panel2->setText(ParallelPassage::AddingText(name));
    SB1->repaint();
}

void MultiBib::cmdGo_Click() {
    // Events run while a refresh works (a click, a key): a refresh asked for meanwhile is
    // run once the current one has finished, with the choices as they are then.
    if (m_refreshing) {
        m_refreshAgain = true;
        return;
    }
    m_refreshing = true;
    do {
        m_refreshAgain = false;
        refresh();
    } while (m_refreshAgain && !m_closeAfterRefresh);
    m_refreshing = false;
    if (m_closeAfterRefresh)
        close();
}

void MultiBib::refresh() {
    SB1Panel1->setText(kBusy);
    setPanel2Width(3000);
    SB1->repaint();
    applyAppearance();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The pane is not drawn while the text is assembled (events run between translations,
    // and drawing the previous passage again would cost more than the work), except for
    // the log of the indexes being built.
    RT->setUpdatesEnabled(false);

    bool logStarted = false;
    auto appendLog = [this](const QString& text) {
        RT->moveCursor(QTextCursor::End);
        RT->insertPlainText(toPaneText(text));
        RT->moveCursor(QTextCursor::End);
    };
    ParallelPassage::Progress progress;
    progress.indexStarted = [&](int k, int n, const QString& name) {
        SB1Panel2->setText(ParallelPassage::IndexCountText(k, n, name));
        if (!logStarted)
            RT->clear();
        logStarted = true;
        RT->setUpdatesEnabled(true);
        appendLog(ParallelPassage::IndexLogStart(name));
        repaint();
    };
    progress.indexDone = [&](const QString&) {
        appendLog(ParallelPassage::IndexLogEnd());
        QCoreApplication::processEvents();
    };
    progress.adding = [this](const QString& name) { UpdSB1(name); };
    progress.yield = [] { QCoreApplication::processEvents(); };

    const ParallelPassage::Request request{CurBook, CurChap, CurVerse, ViewMode};
    const ParallelPassage::Result result = m_passage.Build(request, progress);
    CurBibleFile = m_state.CurrentIndexFile;

    QApplication::restoreOverrideCursor();
    // One colour for all of it: the pane's own text colour ("Bib2TC"), set with its palette.
    RT->setPlainText(toPaneText(result.text));
    RT->setUpdatesEnabled(true);
    RT->moveCursor(QTextCursor::Start);
    SB1Panel2->setText(result.statusText());
    SB1Panel1->setText(kReady);
}

void MultiBib::RT_Click() {
    QTextCursor cursor = RT->textCursor();
    if (optWholeVerse->isChecked()) {
        // The block a line belongs to begins at the last translation's name above it (or on
        // it); names are whole lines, so one name inside another never counts.
        QSet<QString> names;
        for (const QString& n : m_state.BibleNames)
            if (!n.isEmpty())
                names.insert(n);
        for (QTextBlock b = cursor.block(); b.isValid(); b = b.previous()) {
            if (names.contains(b.text())) {
                SB1Panel1->setText(b.text());
                break;
            }
        }
        setPanel2Width(1000);
        cursor.movePosition(QTextCursor::StartOfBlock);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        RT->setTextCursor(cursor);
    }
    SB1Panel2->setText(ParallelPassage::FormatNumber(cursor.selectedText().size()) +
                       QStringLiteral(" Bytes"));
}
