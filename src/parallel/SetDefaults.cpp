#include "parallel/SetDefaults.h"

#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "parallel/OptionValues.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"
#include "platform/Named.h"
#include "platform/RichPane.h"
#include "platform/Twips.h"
#include "platform/WinColour.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kSample = QStringLiteral("Sample Text");
const QString kColourTip =
    QStringLiteral("Select Radio button then click to change selected item.");
constexpr int kFontLow = 6, kFontHigh = 48;
constexpr int kRewriteFailed = 430; // standard message: the catalogue could not be replaced

QLabel* sample(const char* name, QWidget* parent) {
    auto* l = named(new QLabel(kSample, parent), name);
    l->setAutoFillBackground(true);
    l->setFrameShape(QFrame::StyledPanel);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(110);
    return l;
}

QColor textColour(const QLabel* l) {
    return l->palette().color(QPalette::WindowText);
}
QColor backColour(const QLabel* l) {
    return l->palette().color(QPalette::Window);
}

void setColours(QLabel* l, const QColor& text, const QColor& back) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Window, back);
    l->setPalette(p);
}
void setText(QLabel* l, const QColor& c) {
    setColours(l, c, backColour(l));
}
void setBack(QLabel* l, const QColor& c) {
    setColours(l, textColour(l), c);
}

quint32 win(const QColor& c) {
    return WinColour::fromQColor(c);
}
QColor qt(quint32 c) {
    return WinColour::toQColor(c);
}

QColor rowColour(PrecedenceList::Colour c) {
    switch (c) {
    case PrecedenceList::Colour::Green:
        return QColor(0, 255, 0);
    case PrecedenceList::Colour::Yellow:
        return QColor(255, 255, 0);
    case PrecedenceList::Colour::Red:
        break;
    }
    return QColor(255, 0, 0);
}

QString fontSampleText(int size) {
    return QStringLiteral("FontSize ") + QString::number(size) + QStringLiteral(" sample");
}

} // namespace

SetDefaults::SetDefaults(ProgramState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("SetDefaults"));
    setModal(true);
    buildControls();
    Form_Load();
}

SetDefaults::~SetDefaults() = default;

// ---------------------------------------------------------------------------------------
// Controls

void SetDefaults::buildControls() {
    TabStrip1 = named(new QTabWidget(this), "TabStrip1");
    TabStrip1->addTab(buildSingleBiblePage(), QStringLiteral("Single Bible"));
    TabStrip1->addTab(buildMultiBiblePage(), QStringLiteral("Multi-Bible"));
    TabStrip1->addTab(buildPrecedencePage(), QStringLiteral("Bible Precedence"));
    // The commentary and dictionary tabs have no options yet: empty pages.
    TabStrip1->addTab(new QWidget(TabStrip1), QStringLiteral("Commentary"));
    TabStrip1->addTab(new QWidget(TabStrip1), QStringLiteral("Dictionary"));
    TabStrip1->addTab(buildMiscPage(), QStringLiteral("Misc"));

    CmdSave = named(new QPushButton(QStringLiteral("OK"), this), "CmdSave");
    CmdSave->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CmdSave);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TabStrip1, 1);
    layout->addLayout(buttons);

    checkedConnect(TabStrip1, &QTabWidget::currentChanged, this, &SetDefaults::TabStrip1_Click);
    checkedConnect(CmdSave, &QPushButton::clicked, this, &SetDefaults::CmdSave_Click);
}

QWidget* SetDefaults::buildSingleBiblePage() {
    frmSingleBib = named(new QWidget(TabStrip1), "frmSingleBib");
    auto* grid = new QGridLayout(frmSingleBib);
    TT = sample("TT", frmSingleBib);
    TB = sample("TB", frmSingleBib);
    OTT = named(new QRadioButton(QStringLiteral("Text"), frmSingleBib), "OTT");
    OTB = named(new QRadioButton(QStringLiteral("Background"), frmSingleBib), "OTB");
    grid->addWidget(OTT, 0, 0);
    grid->addWidget(TT, 0, 1);
    grid->addWidget(OTB, 1, 0);
    grid->addWidget(TB, 1, 1);
    checkedConnect(OTT, &QRadioButton::clicked, this, [this] { ColourTarget = 1; });
    checkedConnect(OTB, &QRadioButton::clicked, this, [this] { ColourTarget = 2; });
    static const char* const samples[5] = {"TH1", "TH2", "TH3", "TH4", "TH5"};
    static const char* const options[5] = {"OTH1", "OTH2", "OTH3", "OTH4", "OTH5"};
    for (int i = 0; i < 5; ++i) {
        TH[i] = sample(samples[i], frmSingleBib);
        OTH[i] = named(
            new QRadioButton(QStringLiteral("Highlight ") + QString::number(i + 1), frmSingleBib),
            options[i]);
        grid->addWidget(OTH[i], i + 2, 0);
        grid->addWidget(TH[i], i + 2, 1);
        checkedConnect(OTH[i], &QRadioButton::clicked, this, [this, i] { ColourTarget = i + 3; });
    }
    cmdColour = named(new QPushButton(QStringLiteral("Set Colour"), frmSingleBib), "cmdColour");
    cmdColour->setToolTip(kColourTip);
    grid->addWidget(cmdColour, 7, 0, 1, 2);

    Text1 = named(new QLabel(QStringLiteral("Maximum number of \nHighlight Terms \n(10-50,000)"),
                             frmSingleBib),
                  "Text1");
    Text2 = named(new QLineEdit(frmSingleBib), "Text2");
    Text2->setMaxLength(12);
    Text2->installEventFilter(this);
    Text1->setBuddy(Text2);
    chkActiveUpd =
        named(new QCheckBox(QStringLiteral("Active Update"), frmSingleBib), "chkActiveUpd");
    Slider2Font = named(new QSlider(Qt::Horizontal, frmSingleBib), "Slider2Font");
    Slider2Font->setRange(kFontLow, kFontHigh);
    Tbox1Font = named(new QLabel(frmSingleBib), "Tbox1Font");
    Tbox1Font->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* right = new QVBoxLayout;
    right->addWidget(Text1);
    right->addWidget(Text2);
    right->addSpacing(8);
    right->addWidget(chkActiveUpd);
    right->addSpacing(8);
    right->addWidget(Slider2Font);
    right->addWidget(Tbox1Font, 1);
    grid->addLayout(right, 0, 2, 8, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(2, 200);

    checkedConnect(cmdColour, &QPushButton::clicked, this, &SetDefaults::cmdColour_Click);
    checkedConnect(Slider2Font, &QSlider::valueChanged, this, &SetDefaults::Slider2Font_Change);
    checkedConnect(chkActiveUpd, &QCheckBox::clicked, this, &SetDefaults::chkActiveUpd_Click);
    return frmSingleBib;
}

QWidget* SetDefaults::buildMultiBiblePage() {
    frmVerseByVerse = named(new QWidget(TabStrip1), "frmVerseByVerse");
    auto* grid = new QGridLayout(frmVerseByVerse);
    T2T = sample("T2T", frmVerseByVerse);
    T2B = sample("T2B", frmVerseByVerse);
    C2Fore = named(new QRadioButton(QStringLiteral("Text"), frmVerseByVerse), "C2Fore");
    C2Back = named(new QRadioButton(QStringLiteral("Background"), frmVerseByVerse), "C2Back");
    Command1 = named(new QPushButton(QStringLiteral("Set Colour"), frmVerseByVerse), "Command1");
    Command1->setToolTip(kColourTip);
    Slider1Font = named(new QSlider(Qt::Horizontal, frmVerseByVerse), "Slider1Font");
    Slider1Font->setRange(kFontLow, kFontHigh);
    Tboxfont = named(new QLabel(frmVerseByVerse), "Tboxfont");
    Tboxfont->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(C2Fore, 0, 0);
    grid->addWidget(T2T, 0, 1);
    grid->addWidget(C2Back, 1, 0);
    grid->addWidget(T2B, 1, 1);
    grid->addWidget(Command1, 2, 0, 1, 2);
    grid->addWidget(Slider1Font, 0, 2);
    grid->addWidget(Tboxfont, 1, 2, 3, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);
    checkedConnect(C2Fore, &QRadioButton::clicked, this, [this] { MultiColourTarget = 1; });
    checkedConnect(C2Back, &QRadioButton::clicked, this, [this] { MultiColourTarget = 2; });
    checkedConnect(Command1, &QPushButton::clicked, this, &SetDefaults::Command1_Click);
    checkedConnect(Slider1Font, &QSlider::valueChanged, this, &SetDefaults::Slider1Font_Change);
    return frmVerseByVerse;
}

QWidget* SetDefaults::buildPrecedencePage() {
    frmPrecedence = named(new QWidget(TabStrip1), "frmPrecedence");
    LV = named(new QTreeWidget(frmPrecedence), "LV");
    LV->setColumnCount(4);
    LV->setHeaderLabels({QStringLiteral("Bible Name"), QStringLiteral("#"),
                         QStringLiteral("File Name"), QStringLiteral("Status")});
    LV->setRootIsDecorated(false);
    LV->setUniformRowHeights(true);
    LV->setSelectionMode(QAbstractItemView::SingleSelection);
    LV->header()->setSectionsClickable(true);
    LV->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    LV->header()->setStretchLastSection(false);
    // Green, yellow and red rows read best on a dark list.
    QPalette p = LV->palette();
    p.setColor(QPalette::Base, Qt::black);
    p.setColor(QPalette::AlternateBase, Qt::black);
    p.setColor(QPalette::Text, QColor(0, 255, 0));
    LV->setPalette(p);
    cmdUp = named(new QPushButton(frmPrecedence), "cmdUp");
    CmdDown = named(new QPushButton(frmPrecedence), "CmdDown");
    cmdUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    CmdDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    lblPrecedence = named(new QLabel(frmPrecedence), "lblPrecedence");
    lblPrecedence->setWordWrap(true);
    auto* arrows = new QVBoxLayout;
    arrows->addStretch(1);
    arrows->addWidget(cmdUp);
    arrows->addWidget(CmdDown);
    arrows->addStretch(1);
    auto* grid = new QGridLayout(frmPrecedence);
    grid->addWidget(LV, 0, 0);
    grid->addLayout(arrows, 0, 1);
    grid->addWidget(lblPrecedence, 1, 0, 1, 2);
    grid->setRowStretch(0, 1);

    checkedConnect(LV, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (!m_filling && column == 0)
            LV_ItemCheck(LV->indexOfTopLevelItem(item));
    });
    checkedConnect(LV->header(), &QHeaderView::sectionClicked, this, &SetDefaults::LV_ColumnClick);
    checkedConnect(cmdUp, &QPushButton::clicked, this, &SetDefaults::cmdUp_Click);
    checkedConnect(CmdDown, &QPushButton::clicked, this, &SetDefaults::CmdDown_Click);
    return frmPrecedence;
}

QWidget* SetDefaults::buildMiscPage() {
    frmMisc = named(new QWidget(TabStrip1), "frmMisc");
    chkSplash =
        named(new QCheckBox(QStringLiteral("Show Splash Screen on Startup"), frmMisc), "chkSplash");
    chkAutoClearClip =
        named(new QCheckBox(QStringLiteral("Automatically  Place Maps on Clipboard"), frmMisc),
              "chkAutoClearClip");
    chkDeleteOnExit =
        named(new QCheckBox(QStringLiteral("Delete Temporary Files on Exit"), frmMisc),
              "chkDeleteOnExit");
    auto* column = new QVBoxLayout(frmMisc);
    column->addWidget(chkSplash);
    column->addWidget(chkAutoClearClip);
    column->addWidget(chkDeleteOnExit);
    column->addStretch(1);
    checkedConnect(chkAutoClearClip, &QCheckBox::clicked, this,
                   &SetDefaults::chkAutoClearClip_Click);
    checkedConnect(chkDeleteOnExit, &QCheckBox::clicked, this, &SetDefaults::chkDeleteOnExit_Click);
    return frmMisc;
}

// ---------------------------------------------------------------------------------------
// Loading

void SetDefaults::Form_Load() {
    lblPrecedence->setText(
        QStringLiteral("1. Select a Bible from list and change precedence by using UP and "
                       "DOWN arrow keys.\n2. Uncheck the Check Boxes of Bibles you do not wish "
                       "to see."));
    SettingsStore& s = m_state.settings;
    chkSplash->setChecked(s.readInt(SettingsKeys::Settings, SettingsKeys::ShowSplash) != 0);
    m_autoClearClip = s.readInt(SettingsKeys::Settings, SettingsKeys::AutoClearClip);
    chkAutoClearClip->setChecked(m_autoClearClip != 0);
    m_activeUpdate = m_state.ActiveUpdateBib1;
    m_deleteOnExit = m_state.DeleteTempFilesOnExit;

    const double dpi = RichPane::LogicalDpi(nullptr);
    resize(Twips::toPixelsRounded(8400, dpi), Twips::toPixelsRounded(5500, dpi));
    // Wide enough for every tab of the strip, however the style draws them.
    resize(size()
               .expandedTo(sizeHint())
               .expandedTo(QSize(TabStrip1->tabBar()->sizeHint().width() + 40, 0)));
    TabStrip1->setCurrentIndex(0);
    setWindowTitle(MessageText::Frm(m_state, 24, TolvaneRoutines::ProductName()));
    Text2->setText(QString::number(m_state.MAXCountSize));

    for (QLabel* l : {TT, TB})
        setColours(l, qt(m_state.Bib1TC), qt(m_state.Bib1BC));
    const quint32 highlights[5] = {m_state.Bib1H1, m_state.Bib1H2, m_state.Bib1H3, m_state.Bib1H4,
                                   m_state.Bib1H5};
    for (int i = 0; i < 5; ++i)
        setColours(TH[i], qt(highlights[i]), qt(m_state.Bib1BC));
    for (QLabel* l : {T2T, T2B})
        setColours(l, qt(m_state.Bib2TC), qt(m_state.Bib2BC));

    chkDeleteOnExit->setChecked(m_state.DeleteTempFilesOnExit != 0);
    Slider1Font->setValue(m_state.Bib2Fontsize);
    Slider1Font_Change(Slider1Font->value());
    Slider2Font->setValue(m_state.Bib1Fontsize);
    Slider2Font_Change(Slider2Font->value());
    OTT->setChecked(true);
    C2Fore->setChecked(true);
    ColourTarget = 1;
    MultiColourTarget = 1;
    chkActiveUpd->setChecked(m_state.ActiveUpdateBib1 == 1);

    m_list.Load(m_state);
    FillList(0);
}

void SetDefaults::FillList(int selectRow) {
    // The rows are rewritten in place: a tick runs this from the item's own change signal,
    // so the item must outlive it.
    m_filling = true;
    const QVector<PrecedenceList::Row>& rows = m_list.rows();
    while (LV->topLevelItemCount() > rows.size())
        delete LV->takeTopLevelItem(LV->topLevelItemCount() - 1);
    QList<QTreeWidgetItem*> added;
    for (int i = LV->topLevelItemCount(); i < rows.size(); ++i) {
        auto* item = new QTreeWidgetItem;
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        added.append(item);
    }
    LV->addTopLevelItems(added);
    for (int i = 0; i < rows.size(); ++i) {
        const PrecedenceList::Row& r = rows.at(i);
        QTreeWidgetItem* item = LV->topLevelItem(i);
        const QString texts[4] = {r.description, PrecedenceList::NumberText(i), r.code,
                                  PrecedenceList::StatusText(r.status())};
        const QColor colour = rowColour(r.colour());
        for (int c = 0; c < 4; ++c) {
            item->setText(c, texts[c]);
            item->setForeground(c, colour);
        }
        item->setCheckState(0, r.ticked ? Qt::Checked : Qt::Unchecked);
    }
    for (int c = 1; c < 4; ++c)
        LV->resizeColumnToContents(c);
    if (QTreeWidgetItem* item = LV->topLevelItem(qBound(0, selectRow, int(rows.size()) - 1)))
        LV->setCurrentItem(item);
    m_filling = false;
}

int SetDefaults::selectedRow() const {
    return LV->indexOfTopLevelItem(LV->currentItem());
}

void SetDefaults::warn(int message, const QString& argument) {
    m_state.dialogs.show(Dialogs::Icon::Warning, TolvaneRoutines::ProductName(),
                         MessageText::Std(m_state, message, argument));
}

// ---------------------------------------------------------------------------------------
// Appearance, limit and switches

void SetDefaults::TabStrip1_Click(int tab) {
    if (tab == 2)
        LV->setFocus();
}

void SetDefaults::cmdColour_Click() {
    QLabel* const preset = ColourTarget == 1 ? TT : ColourTarget == 2 ? TB : TH[ColourTarget - 3];
    const auto chosen =
        m_state.dialogs.colour(ColourTarget == 2 ? backColour(preset) : textColour(preset));
    if (!chosen)
        return;
    if (ColourTarget == 1) {
        setText(TT, *chosen);
        setText(TB, *chosen);
    } else if (ColourTarget == 2) {
        for (QLabel* l : {TT, TB, TH[0], TH[1], TH[2], TH[3], TH[4]})
            setBack(l, *chosen);
    } else {
        setText(TH[ColourTarget - 3], *chosen);
    }
}

void SetDefaults::Command1_Click() {
    const auto chosen =
        m_state.dialogs.colour(MultiColourTarget == 1 ? textColour(T2T) : backColour(T2T));
    if (!chosen)
        return;
    for (QLabel* l : {T2T, T2B})
        (MultiColourTarget == 1 ? setText : setBack)(l, *chosen);
}

void SetDefaults::Slider1Font_Change(int value) {
    // The multi-Bible view's sample in the face that view uses.
    QFont f(m_state.DEFAULTFONT);
    f.setPointSize(value);
    Tboxfont->setFont(f);
    Tboxfont->setText(fontSampleText(value));
}

void SetDefaults::Slider2Font_Change(int value) {
    QFont f = Tbox1Font->font();
    f.setPointSize(value);
    Tbox1Font->setFont(f);
    Tbox1Font->setText(fontSampleText(value));
}

bool SetDefaults::Text2_LostFocus() {
    if (Text2->text().trimmed().isEmpty())
        Text2->setText(QStringLiteral("0"));
    const OptionValues::LimitCheck check = OptionValues::CheckHighlightLimit(Text2->text());
    if (check.ok)
        return true;
    m_validating = true; // the box takes the focus: that is no leaving of the field
    warn(check.message, check.argument);
    Text2->setFocus();
    m_validating = false;
    return false;
}

bool SetDefaults::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text2 && event->type() == QEvent::FocusOut && !m_validating && !m_closed) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Leaving for "OK" is checked by "OK" itself; a box or another window taking the
        // focus is not the user leaving the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            QApplication::focusWidget() != CmdSave)
            Text2_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void SetDefaults::chkActiveUpd_Click() {
    m_state.ActiveUpdateBib1 = chkActiveUpd->isChecked() ? 1 : 0;
}

void SetDefaults::chkDeleteOnExit_Click() {
    m_state.DeleteTempFilesOnExit = chkDeleteOnExit->isChecked() ? 1 : 0;
}

void SetDefaults::chkAutoClearClip_Click() {
    m_state.settings.writeNumber(SettingsKeys::Settings, SettingsKeys::AutoClearClip.name,
                                 chkAutoClearClip->isChecked() ? 1 : 0);
}

void SetDefaults::CmdSave_Click() {
    if (!Text2_LostFocus())
        return;
    ProgramState& s = m_state;
    s.MAXCountSize = OptionValues::CheckHighlightLimit(Text2->text()).value;
    s.Bib1TC = win(textColour(TT));
    s.Bib1BC = win(backColour(TT));
    quint32* highlights[5] = {&s.Bib1H1, &s.Bib1H2, &s.Bib1H3, &s.Bib1H4, &s.Bib1H5};
    for (int i = 0; i < 5; ++i)
        *highlights[i] = win(textColour(TH[i]));
    s.Bib2TC = win(textColour(T2T));
    s.Bib2BC = win(backColour(T2T));
    s.Bib2Fontsize = quint8(Slider1Font->value());
    s.Bib1Fontsize = quint8(Slider2Font->value());
    OptionValues::Save(s, chkSplash->isChecked() ? 1 : 0);
    accept();
    emit optionsSaved();
}

void SetDefaults::done(int result) {
    // Every way of closing comes through here; only "OK" keeps the switches as changed.
    if (!m_closed) {
        m_closed = true;
        if (result != Accepted) {
            m_state.ActiveUpdateBib1 = m_activeUpdate;
            m_state.DeleteTempFilesOnExit = m_deleteOnExit;
            if (chkAutoClearClip->isChecked() != (m_autoClearClip != 0))
                m_state.settings.writeNumber(SettingsKeys::Settings,
                                             SettingsKeys::AutoClearClip.name,
                                             double(m_autoClearClip));
        }
    }
    QDialog::done(result);
}

// ---------------------------------------------------------------------------------------
// Precedence

void SetDefaults::LV_ItemCheck(int row) {
    QTreeWidgetItem* item = LV->topLevelItem(row);
    if (!item)
        return;
    const bool ticked = item->checkState(0) == Qt::Checked;
    if (ticked == m_list.rows().at(row).ticked)
        return; // another change of the row (its text or colour)
    if (!m_list.SetTicked(row, ticked)) {
        warn(84);
        FillList(row); // the row the event came from is ticked again
        return;
    }
    RewritePrimaryIndex(row);
}

void SetDefaults::moveSelected(int direction) {
    int row = selectedRow();
    if (m_list.MoveRow(row, direction) == PrecedenceList::Move::Disabled)
        m_state.dialogs.show(Dialogs::Icon::None, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 87));
    LV->setFocus();
    RewritePrimaryIndex(row);
}

void SetDefaults::cmdUp_Click() {
    moveSelected(-1);
}

void SetDefaults::CmdDown_Click() {
    moveSelected(+1);
}

void SetDefaults::LV_ColumnClick(int column) {
    SortAscending = !SortAscending;
    const int row = selectedRow();
    const PrecedenceList::Row selected = m_list.rows().value(row);
    m_list.SortBy(column, SortAscending);
    LV->header()->setSortIndicatorShown(true);
    LV->header()->setSortIndicator(column,
                                   SortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
    int at = 0;
    for (int i = 0; i < m_list.size(); ++i)
        if (m_list.rows().at(i).code == selected.code &&
            m_list.rows().at(i).description == selected.description)
            at = i;
    RewritePrimaryIndex(at);
}

void SetDefaults::RewritePrimaryIndex(int selectRow) {
    const PrecedenceList::Write result = m_list.RewritePrimaryIndex(m_state);
    if (result == PrecedenceList::Write::Written) {
        FillList(selectRow);
        emit catalogueReloaded();
        return;
    }
    if (result == PrecedenceList::Write::NoEnabledBible)
        warn(84);
    else
        warn(kRewriteFailed, m_state.SysDefsFolder + QStringLiteral("Translations.txt"));
    // The list shows what the catalogue holds, not the change that was not written.
    m_list.Load(m_state);
    FillList(selectRow);
}
