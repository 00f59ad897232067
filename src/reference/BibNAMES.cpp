#include "reference/BibNAMES.h"

#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"
#include "platform/WinColour.h"

#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

BibNAMES::BibNAMES(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state) {
    setObjectName(QStringLiteral("BibNAMES"));
    cboWord = new QComboBox(this);
    cboWord->setObjectName(QStringLiteral("cboWord"));
    cboWord->setEditable(true);
    cboWord->setInsertPolicy(QComboBox::NoInsert);
    cboWord->completer()->setCaseSensitivity(Qt::CaseSensitive);
    cboWord->completer()->setCompletionMode(QCompleter::PopupCompletion);
    cboWord->setMaxVisibleItems(20);
    cboWhichNames = new QComboBox(this);
    cboWhichNames->setObjectName(QStringLiteral("cboWhichNames"));
    for (QComboBox* box : {cboWord, cboWhichNames}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(8);
    }
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);

    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(cboWord, 3);
    row->addWidget(cboWhichNames, 7);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 7);
    layout->addLayout(row);
    auto* text = new QHBoxLayout;
    text->setContentsMargins(7, 0, 7, 0); // 100 twips each side
    text->addWidget(Text1);
    layout->addLayout(text, 1);
    resize(480, 200);

    checkedConnect(cboWord, &QComboBox::activated, this, [this] { cboWord_Click(); });
    // Enter on the text of the entry already chosen activates nothing by itself.
    checkedConnect(cboWord->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (cboWord->currentText() == cboWord->itemText(cboWord->currentIndex()))
            cboWord_Click();
    });
}

bool BibNAMES::Form_Load() {
    if (m_state.NamesModuleFile.isEmpty()) {
        m_state.dialogs.show(Dialogs::Icon::Information, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 1, TolvaneRoutines::WebAddress()));
        return false;
    }
    setWindowTitle(MessageText::Frm(m_state, 1));
    cboWhichNames->addItem(m_state.NamesModuleName);
    // A names file that is missing or unreadable leaves the list empty.
    NamesFile::Read(NamesFile::Path(m_state), m_entries);
    for (const NamesFile::Entry& e : m_entries)
        cboWord->addItem(e.name);
    cboWord->setCurrentIndex(cboWord->count() ? 0 : -1);
    applyLook();
    return true;
}

void BibNAMES::cboWord_Click() {
    applyLook();
    if (const NamesFile::Entry* e = NamesFile::Find(m_entries, cboWord->currentText()))
        Text1->setPlainText(e->meaning);
}

void BibNAMES::applyLook() {
    QPalette pal = Text1->palette();
    pal.setColor(QPalette::Base, WinColour::toQColor(m_state.Bib1BC));
    pal.setColor(QPalette::Text, WinColour::toQColor(m_state.Bib1TC));
    Text1->setPalette(pal);
    QFont font = Text1->font();
    font.setPointSize(qMax<int>(1, m_state.Bib1Fontsize));
    Text1->setFont(font);
}
