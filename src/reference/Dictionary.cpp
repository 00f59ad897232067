#include "reference/Dictionary.h"

#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"
#include "platform/Named.h"
#include "platform/RichPane.h"
#include "platform/WinColour.h"
#include "printing/PageValues.h"

#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

using MessageText::Frm;
using MessageText::Std;

Dictionary::Dictionary(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state) {
    setObjectName(QStringLiteral("Dictionary"));
    buildControls();
}

void Dictionary::buildControls() {
    frm1 = named(new QFrame(this), "frm1");
    auto* grid = new QGridLayout(frm1);
    grid->setContentsMargins(4, 4, 4, 4);
    auto column = [&](QLabel*& label, const char* labelName, int text, QComboBox*& list,
                      const char* listName, int col, int stretch) {
        label = named(new QLabel(Frm(m_state, text), frm1), labelName);
        list = named(new QComboBox(frm1), listName);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(8);
        list->setMaxVisibleItems(20);
        label->setBuddy(list);
        grid->addWidget(label, 0, col);
        grid->addWidget(list, 1, col);
        grid->setColumnStretch(col, stretch);
    };
    column(Label1, "Label1", 958, cboLookup, "cboLookup", 0, 35);
    column(Label2, "Label2", 959, cboAlt, "cboAlt", 1, 35);
    column(Label3, "Label3", 957, cboTranslation, "cboTranslation", 2, 30);
    // Headwords can be typed; a lookup finds only the headword as written, so completion
    // keeps to its letter case.
    cboLookup->setEditable(true);
    cboLookup->setInsertPolicy(QComboBox::NoInsert);
    cboLookup->completer()->setCaseSensitivity(Qt::CaseSensitive);
    cboLookup->completer()->setCompletionMode(QCompleter::PopupCompletion);
    cboLookup->installEventFilter(this);
    cboLookup->lineEdit()->installEventFilter(this);

    RT = named(new QTextEdit(this), "RT");
    RT->setReadOnly(true);
    lbl1 = named(new QLabel(this), "lbl1");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 2);
    layout->setSpacing(2);
    layout->addWidget(frm1);
    layout->addWidget(RT, 1);
    layout->addWidget(lbl1);

    checkedConnect(cboTranslation, &QComboBox::activated, this, &Dictionary::cboTranslation_Click);
    checkedConnect(cboLookup, &QComboBox::activated, this, [this] { cboLookup_Click(); });
    // Enter on the text of the entry already chosen activates nothing by itself.
    checkedConnect(cboLookup->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (cboLookup->currentText() == cboLookup->itemText(cboLookup->currentIndex()))
            cboLookup_Click();
    });
    checkedConnect(cboAlt, &QComboBox::activated, this, &Dictionary::cboAlt_Click);
}

bool Dictionary::Form_Load() {
    QFont font = RT->font();
    font.setFamily(m_state.DEFAULTFONT);
    RT->setFont(font);
    if (m_state.DictionaryFile.isEmpty()) {
        m_state.dialogs.show(Dialogs::Icon::Information, TolvaneRoutines::ProductName(),
                             Std(m_state, 3, TolvaneRoutines::WebAddress()));
        return false;
    }
    setWindowTitle(Frm(m_state, 25, TolvaneRoutines::ProductName()));
    cboTranslation->addItem(m_state.DictionaryName);
    m_loadedIndex = kNoneLoaded;
    applyLook();
    return true;
}

bool Dictionary::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn &&
        (watched == cboLookup || watched == cboLookup->lineEdit()))
        cboLookup_GotFocus();
    return QWidget::eventFilter(watched, event);
}

void Dictionary::cboLookup_GotFocus() {
    LoadCombo(0);
}

void Dictionary::cboTranslation_Click(int index) {
    if (index >= 0)
        LoadCombo(index);
}

void Dictionary::LoadCombo(int index) {
    if (index == m_loadedIndex)
        return;
    lbl1->setText(Std(m_state, 453, m_state.DictionaryName));
    repaint();
    // Cleared first: a second try after a failed load must not list the headwords twice.
    cboLookup->clear();
    const QString file = m_state.Folders.moduleFile(m_state.DictionaryFolder, m_state.DictionaryFile);
    if (!m_dictionary.load(file)) {
        lbl1->setText(Std(m_state, 454, file));
        return;
    }
    cboLookup->addItems(m_dictionary.headwords());
    cboLookup->setCurrentIndex(0);
    lbl1->clear();
    m_loadedIndex = index;
}

void Dictionary::cboLookup_Click() {
    showEntry(cboLookup->currentText());
}

void Dictionary::cboAlt_Click(int index) {
    if (index >= 0)
        showEntry(cboAlt->itemText(index));
}

void Dictionary::showEntry(const QString& headword) {
    applyLook();
    if (!m_dictionary.isLoaded())
        return;
    const std::optional<DictionaryModule::Entry> entry = m_dictionary.find(headword);
    if (!entry)
        return;
    RT->clear();
    const int size = qMax<int>(1, m_state.Bib1Fontsize);
    QTextCharFormat format;
    format.setForeground(WinColour::toQColor(m_state.Bib1TC));
    format.setFontPointSize(size + 2);
    QTextCursor c(RT->document());
    c.insertText(entry->headword, format);
    format.setFontPointSize(size);
    c.insertText(QLatin1Char('\n') + entry->text, format);
    applyLook();
    PopulateAlt(entry->seeAlso);
    RT->moveCursor(QTextCursor::Start);
}

void Dictionary::PopulateAlt(const QStringList& seeAlso) {
    cboAlt->clear();
    cboAlt->addItems(seeAlso);
}

void Dictionary::applyLook() {
    RichPane::SetColours(RT, m_state.Bib1BC, m_state.Bib1TC);
    if (m_state.ApplyToAllForms == 1) {
        const PageValues::PaneLayout l = PageValues::ComputePaneLayout(m_state);
        RichPane::SetLineLayout(RT, l.fitToWindow, l.rightMarginTwips, l.indentTwips);
    }
}
