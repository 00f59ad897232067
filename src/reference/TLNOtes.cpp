#include "reference/TLNOtes.h"

#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "platform/RichPane.h"
#include "printing/PageValues.h"
#include "printing/PrintService.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

TLNOtes::TLNOtes(ProgramState& state, PrintService& printing, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state), m_printing(printing) {
    setObjectName(QStringLiteral("TLNOtes"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo1->setMinimumContentsLength(16);
    PrintPreview = new QPushButton(MessageText::Frm(m_state, 960), this);
    PrintPreview->setObjectName(QStringLiteral("PrintPreview"));
    RT = new QTextEdit(this);
    RT->setObjectName(QStringLiteral("RT"));
    RT->setReadOnly(true);

    auto* row = new QHBoxLayout;
    row->addWidget(Combo1, 1);
    row->addWidget(PrintPreview);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(13); // 200 twips between the list and the pane
    layout->addLayout(row);
    layout->addWidget(RT, 1);

    checkedConnect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    checkedConnect(PrintPreview, &QPushButton::clicked, this, &TLNOtes::PrintPreview_Click);
}

void TLNOtes::Form_Load() {
    setWindowTitle(MessageText::Frm(m_state, 961, TolvaneRoutines::ProductName()));
    // A missing notes file leaves the list empty; the menu item is off then anyway.
    TranslationNotesFile::Read(TranslationNotesFile::Path(m_state), m_articles);
    for (const TranslationNotesFile::Article& a : m_articles)
        Combo1->addItem(a.title);
    applyLook();
    if (Combo1->count()) {
        Combo1->setCurrentIndex(0);
        Combo1_Click();
    }
}

void TLNOtes::Combo1_Click() {
    if (const TranslationNotesFile::Article* a =
            TranslationNotesFile::Find(m_articles, Combo1->currentText()))
        RT->setPlainText(a->text);
    applyLook();
    RT->moveCursor(QTextCursor::Start);
    RT->setFocus();
}

// Prints this window's own text: the main window's pane and whatever the user has in it
// are not involved.
void TLNOtes::PrintPreview_Click() {
    m_printing.PrintPreview(RT, this);
}

void TLNOtes::applyLook() {
    QFont font = RT->font();
    font.setFamily(m_state.DEFAULTFONT);
    font.setPointSize(qMax<int>(1, m_state.Bib1Fontsize));
    RT->setFont(font);
    RT->document()->setDefaultFont(font);
    RichPane::SetColours(RT, m_state.Bib1BC, m_state.Bib1TC);
    RichPane::ColourAll(RT, m_state.Bib1TC);
    // The page's line layout always applies here, whatever "Apply to All Forms" says.
    const PageValues::PaneLayout l = PageValues::ComputePaneLayout(m_state);
    RichPane::SetLineLayout(RT, l.fitToWindow, l.rightMarginTwips, l.indentTwips);
}
