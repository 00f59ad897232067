#include "printing/PageSetup.h"

#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"
#include "platform/Named.h"
#include "platform/RichPane.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

PageSetup::PageSetup(ProgramState& state, QTextEdit* pane, QAction* wrapItem, QWidget* parent)
    : QDialog(parent), m_state(state), m_pane(pane), m_wrapItem(wrapItem) {
    setObjectName(QStringLiteral("PageSetup"));
    setModal(true);
    buildControls();
    Form_Load();
}

void PageSetup::buildControls() {
    auto* units = named(new QGroupBox(this), "fraUnits");
    optCM = named(new QRadioButton(QStringLiteral("Millimeters"), units), "optCM");
    optIN = named(new QRadioButton(QStringLiteral("Inches"), units), "optIN");
    optNone = named(new QRadioButton(QStringLiteral("Fit to Form"), units), "optNone");
    auto* unitRow = new QHBoxLayout(units);
    for (QRadioButton* b : {optCM, optIN, optNone})
        unitRow->addWidget(b);

    auto* grid = new QGridLayout;
    auto addRow = [this, grid](QLabel*& label, const char* labelName, QComboBox*& list,
                               const char* listName) {
        label = named(new QLabel(this), labelName);
        list = named(new QComboBox(this), listName);
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setMaxVisibleItems(16);
        list->setMinimumContentsLength(6);
        label->setBuddy(list);
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(list, row, 1);
    };
    addRow(lblWidth, "lblWidth", cboWidth, "cboWidth");
    addRow(lblLeft, "lblLeft", cboLeft, "cboLeft");
    addRow(lblRight, "lblRight", cboRight, "cboRight");
    addRow(lblTop, "lblTop", cboTop, "cboTop");
    addRow(lblBottom, "lblBottom", cboBottom, "cboBottom");
    grid->setColumnStretch(1, 1);

    chkAll = named(new QCheckBox(QStringLiteral("Apply to All Forms"), this), "chkAll");
    cmdINDEX = named(new QPushButton(QStringLiteral("OK"), this), "cmdINDEX");
    cmdINDEX->setDefault(true);
    cmdCancel = named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdINDEX);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(units);
    layout->addLayout(grid);
    layout->addWidget(chkAll);
    layout->addLayout(buttons);
    setSizeGripEnabled(false);

    connect(optCM, &QRadioButton::clicked, this, &PageSetup::optCM_Click);
    connect(optIN, &QRadioButton::clicked, this, &PageSetup::optIN_Click);
    connect(optNone, &QRadioButton::clicked, this, &PageSetup::optNone_Click);
    connect(chkAll, &QCheckBox::clicked, this, &PageSetup::chkAll_Click);
    connect(cmdINDEX, &QPushButton::clicked, this, &PageSetup::cmdINDEX_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &PageSetup::cmdCancel_Click);
    connectList(cboWidth, &ProgramState::WidthPage);
    connectList(cboLeft, &ProgramState::MarginLeft);
    connectList(cboRight, &ProgramState::MarginRight);
    connectList(cboTop, &ProgramState::gTopMargin);
    connectList(cboBottom, &ProgramState::gBottomMargin);
}

void PageSetup::connectList(QComboBox* list, double ProgramState::*value) {
    // A choice from the list is stored at once; so is a number typed into it, which the
    // user expects OK to keep just the same.
    auto store = [this, value](const QString& text) {
        if (m_filling)
            return;
        if (const auto v = PageValues::ParseValue(text))
            m_state.*value = *v;
    };
    connect(list, &QComboBox::textActivated, this, store);
    connect(list, &QComboBox::editTextChanged, this, store);
}

void PageSetup::Form_Load() {
    setWindowTitle(MessageText::Frm(m_state, 19));
    m_original = PageValues::Take(m_state);
    // A stored value that is not a number keeps the value already in force.
    PageValues::Load(m_state);
    const bool inches = PageValues::InInches(m_state);
    (inches ? optIN : optCM)->setChecked(true);
    if (m_state.FitToDesktop == 1)
        optNone->setChecked(true);
    if (!inches)
        PageValues::RoundMillimetres(m_state);
    // Until a width is stored (0 by default) the window offers the usual paper's.
    if (!(m_state.WidthPage > 0))
        m_state.WidthPage = PageValues::DefaultWidth(inches);
    m_shown = PageValues::Take(m_state);
    chkAll->setChecked(m_state.ApplyToAllForms != 0);
    FillLists();
    setSideListsEnabled(!optNone->isChecked());
}

void PageSetup::FillLists() {
    m_filling = true;
    const bool inches = PageValues::InInches(m_state);
    const QStringList widths = PageValues::WidthEntries(inches);
    const QStringList margins = PageValues::MarginEntries(inches);
    struct Row {
        QComboBox* list;
        double value;
        const QStringList* entries;
    };
    for (const Row& r :
         {Row{cboWidth, m_state.WidthPage, &widths}, Row{cboLeft, m_state.MarginLeft, &margins},
          Row{cboRight, m_state.MarginRight, &margins}, Row{cboTop, m_state.gTopMargin, &margins},
          Row{cboBottom, m_state.gBottomMargin, &margins}}) {
        r.list->clear();
        r.list->addItems(*r.entries);
        const QString text = PageValues::FormatValue(r.value);
        const int at = r.list->findText(text);
        r.list->setCurrentIndex(at);
        if (at < 0)
            r.list->setEditText(text);
    }
    const QString unit = inches ? QStringLiteral(" Inch") : QStringLiteral(" mm");
    lblWidth->setText(QStringLiteral("Page Width") + unit);
    lblLeft->setText(QStringLiteral("Left Margin") + unit);
    lblRight->setText(QStringLiteral("Right Margin") + unit);
    lblTop->setText(QStringLiteral("Top Margin") + unit);
    lblBottom->setText(QStringLiteral("Bottom Margin") + unit);
    if (optNone->isChecked())
        for (QLabel* l : {lblWidth, lblLeft, lblRight})
            l->setText(QStringLiteral("Ignored"));
    m_filling = false;
}

void PageSetup::setSideListsEnabled(bool enabled) {
    for (QComboBox* c : {cboWidth, cboLeft, cboRight})
        c->setEnabled(enabled);
    if (!enabled)
        for (QLabel* l : {lblWidth, lblLeft, lblRight})
            l->setText(QStringLiteral("Ignored"));
}

void PageSetup::changeUnit(bool toInches) {
    setSideListsEnabled(true);
    PageValues::ConvertUnits(m_state, toInches);
    FillLists();
}

void PageSetup::optCM_Click() {
    changeUnit(false);
}

void PageSetup::optIN_Click() {
    changeUnit(true);
}

void PageSetup::optNone_Click() {
    setSideListsEnabled(false);
}

void PageSetup::chkAll_Click() {
    m_state.ApplyToAllForms = chkAll->isChecked() ? 1 : 0;
    m_state.settings.writeNumber(SettingsKeys::Settings, SettingsKeys::ApplyToAllForms,
                                 m_state.ApplyToAllForms);
}

void PageSetup::cmdINDEX_Click() {
    if (refuseNarrowWidth())
        return;
    accept();
}

// With the page values in force the pane's line is the width less the side margins; one
// that leaves nothing would break every word into a column of letters.
bool PageSetup::refuseNarrowWidth() {
    if (optNone->isChecked() ||
        PageValues::LeavesALine(m_state.WidthPage, m_state.MarginLeft, m_state.MarginRight))
        return false;
    const bool inches = PageValues::InInches(m_state);
    const QString width = PageValues::FormatValue(m_state.WidthPage) +
                          (inches ? QStringLiteral(" in") : QStringLiteral(" mm"));
    m_state.dialogs.show(Dialogs::Icon::Warning, windowTitle(),
                         MessageText::Std(m_state, 410, width));
    PageValues::Snapshot back = m_shown;
    if (!PageValues::LeavesALine(back.WidthPage, back.MarginLeft, back.MarginRight)) {
        back.WidthPage = PageValues::DefaultWidth(back.CM_IN != 0);
        back.MarginLeft = back.MarginRight = 0;
    }
    // The values go back in the unit now shown.
    const double top = m_state.gTopMargin;
    const double bottom = m_state.gBottomMargin;
    const quint8 unit = m_state.CM_IN;
    const qint16 all = m_state.ApplyToAllForms;
    PageValues::Restore(m_state, back);
    PageValues::ConvertUnits(m_state, unit != 0);
    m_state.gTopMargin = top;
    m_state.gBottomMargin = bottom;
    m_state.ApplyToAllForms = all;
    FillLists();
    return true;
}

void PageSetup::cmdCancel_Click() {
    reject();
}

void PageSetup::done(int result) {
    // Every way of closing (OK, Cancel, Escape, the window's close box) comes through here.
    if (!m_closed) {
        m_closed = true;
        if (result == Accepted) {
            storeValues();
            layOutPane();
        } else {
            const qint16 all = m_state.ApplyToAllForms;
            PageValues::Restore(m_state, m_original);
            if (all != m_original.ApplyToAllForms)
                m_state.settings.writeNumber(SettingsKeys::Settings,
                                             SettingsKeys::ApplyToAllForms,
                                             m_original.ApplyToAllForms);
        }
    }
    QDialog::done(result);
}

void PageSetup::storeValues() {
    m_state.FitToDesktop = optNone->isChecked() ? 1 : 0;
    PageValues::Save(m_state);
}

void PageSetup::layOutPane() {
    const PageValues::PaneLayout p = PageValues::ComputePaneLayout(m_state);
    if (m_pane)
        RichPane::SetLineLayout(m_pane, p.fitToWindow, p.rightMarginTwips, p.indentTwips);
    if (!p.fitToWindow && m_wrapItem)
        m_wrapItem->setEnabled(true);
}
