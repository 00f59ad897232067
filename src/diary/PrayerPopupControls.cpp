// The diary window's controls, menus, tool bars and status bars.
#include "app/ToolIcons.h"
#include "diary/PrayerPopup.h"
#include "library/ProgramState.h"
#include "platform/CheckedConnect.h"
#include "platform/Named.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel* panel(QWidget* parent, const QString& name, int minWidth) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setMinimumWidth(minWidth);
    l->setAlignment(Qt::AlignCenter);
    return l;
}
} // namespace

void PrayerPopup::buildControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);

    DT1 = named(new QDateEdit(central), "DT1");
    DT1->setCalendarPopup(true);
    DT1->setToolTip(QStringLiteral("Diary Entry Date. Use Mouse or Arrow keys to navigate."));
    DT1->installEventFilter(this);

    cboPrayerT = named(new QComboBox(central), "cboPrayerT");
    cboPrayerT->setEditable(true);
    cboPrayerT->setInsertPolicy(QComboBox::NoInsert);
    cboPrayerT->setToolTip(
        QStringLiteral("Prayer Heading. [Select, Delete (DEL) or Add New (ENTER)]"));
    lblType = named(new QLabel(central), "lblType");
    CboResult = named(new QComboBox(central), "CboResult");
    CboResult->setEditable(true);
    CboResult->setInsertPolicy(QComboBox::NoInsert);
    CboResult->setToolTip(
        QStringLiteral("Prayer Response. [Select, Delete (DEL) or Add New (ENTER)]"));
    lblResults = named(new QLabel(central), "lblResults");
    for (QComboBox* c : {cboPrayerT, CboResult}) {
        c->setMinimumContentsLength(16);
        c->installEventFilter(this);
        c->lineEdit()->installEventFilter(this);
    }
    for (QLabel* l : {lblType, lblResults}) {
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setMinimumWidth(130);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }

    RT = named(new QTextEdit(central), "RT");
    RT->setAcceptRichText(true);
    RT->setMouseTracking(true);
    RT->installEventFilter(this);
    RT->viewport()->installEventFilter(this);

    SbPics = named(new QFrame(central), "SbPics");
    SbPics->setMouseTracking(true);
    SbPics->installEventFilter(this);
    auto* pics = new QHBoxLayout(SbPics);
    pics->setContentsMargins(0, 0, 0, 0);
    pics->setSpacing(2);
    for (int k = 0; k < 6; ++k) {
        SbPicsPanels[size_t(k)] = panel(SbPics, QStringLiteral("SbPics%1").arg(k + 1), 40);
        SbPicsPanels[size_t(k)]->setMinimumHeight(36);
        pics->addWidget(SbPicsPanels[size_t(k)], k < 5 ? 1 : 0);
    }

    CmdClear = named(new QPushButton(QStringLiteral("&Clear"), central), "CmdClear");
    CmdClear->setToolTip(QStringLiteral("Clear the Pictures"));
    CmdSave = named(new QPushButton(QStringLiteral("&Save "), central), "CmdSave");
    CmdSave->setToolTip(QStringLiteral("Save this Entry"));
    cmdSaveExit = named(new QPushButton(QStringLiteral("Save && E&xit"), central), "cmdSaveExit");
    cndDelete = named(new QPushButton(QStringLiteral("&Delete"), central), "cndDelete");
    cndDelete->setToolTip(QStringLiteral("Delete this Entry"));

    auto* top = new QHBoxLayout;
    top->addWidget(DT1);
    top->addSpacing(8);
    top->addWidget(cboPrayerT, 1);
    top->addWidget(lblType);
    top->addSpacing(8);
    top->addWidget(CboResult, 1);
    top->addWidget(lblResults);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(SbPics, 1);
    bottom->addSpacing(8);
    for (QPushButton* b : {CmdClear, CmdSave, cmdSaveExit, cndDelete})
        bottom->addWidget(b);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(RT, 1);
    layout->addLayout(bottom);

    buildMenus();
    buildToolBars();
    buildStatusBars();

    checkedConnect(CmdClear, &QPushButton::clicked, this, &PrayerPopup::CmdClear_Click);
    checkedConnect(CmdSave, &QPushButton::clicked, this, &PrayerPopup::CmdSave_Click);
    checkedConnect(cmdSaveExit, &QPushButton::clicked, this, &PrayerPopup::cmdSaveExit_Click);
    checkedConnect(cndDelete, &QPushButton::clicked, this, &PrayerPopup::cndDelete_Click);
    checkedConnect(cboPrayerT, &QComboBox::activated, this, &PrayerPopup::cboPrayerT_Click);
    checkedConnect(CboResult, &QComboBox::activated, this, &PrayerPopup::CboResult_Click);
    checkedConnect(RT, &QTextEdit::cursorPositionChanged, this, &PrayerPopup::RT_SelChange);
    checkedConnect(RT, &QTextEdit::selectionChanged, this, &PrayerPopup::RT_SelChange);
    checkedConnect(RT, &QTextEdit::textChanged, this, [this] {
        if (!m_loading)
            Dirty = true;
    });
    checkedConnect(DT1, &QDateEdit::dateChanged, this, [this] {
        if (!m_loading)
            DT1_Change();
    });
}

QAction* PrayerPopup::addMenuItem(QMenu* menu, const char* name, const QString& caption,
                                  void (PrayerPopup::*handler)(), const QKeySequence& keys) {
    auto* a = named(new QAction(caption, this), name);
    if (!keys.isEmpty())
        a->setShortcut(keys);
    menu->addAction(a);
    checkedConnect(a, &QAction::triggered, this, handler);
    return a;
}

void PrayerPopup::buildMenus() {
    mfile = named(menuBar()->addMenu(QStringLiteral("&File")), "mfile");
    mSave = addMenuItem(mfile, "mSave", QStringLiteral("&Save"), &PrayerPopup::mSave_Click,
                        QKeySequence::Save);
    mPrint = addMenuItem(mfile, "mPrint", QStringLiteral("&Print"), &PrayerPopup::mPrint_Click, {});
    mSwitchIdentity = addMenuItem(mfile, "mSwitchIdentity", QStringLiteral("&Manage Identities"),
                                  &PrayerPopup::mSwitchIdentity_Click, {});
    Search = named(menuBar()->addMenu(QStringLiteral("&Search")), "Search");
    mFind = addMenuItem(Search, "mFind", QStringLiteral("&Find"), &PrayerPopup::mFind_Click,
                        QKeySequence(Qt::CTRL | Qt::Key_F));
    mFindAgain = addMenuItem(Search, "mFindAgain", QStringLiteral("Find &Next"),
                             &PrayerPopup::mFindAgain_Click, QKeySequence(Qt::Key_F3));
    mPowerS = addMenuItem(Search, "mPowerS", QStringLiteral("&Power Search"),
                          &PrayerPopup::mPowerS_Click, {});
    Tools = named(menuBar()->addMenu(QStringLiteral("&Tools")), "Tools");
    mDateFormat = addMenuItem(Tools, "mDateFormat", QStringLiteral("&Date Format"),
                              &PrayerPopup::mDateFormat_Click, QKeySequence(Qt::CTRL | Qt::Key_D));
    mPassword = addMenuItem(Tools, "mPassword", QStringLiteral("&Password"),
                            &PrayerPopup::mPassword_Click, QKeySequence(Qt::CTRL | Qt::Key_P));
    Help = named(menuBar()->addMenu(QStringLiteral("&Help")), "Help");
    mHelpContents = addMenuItem(Help, "mHelpContents", QStringLiteral("&Contents"),
                                &PrayerPopup::mHelpContents_Click, QKeySequence::HelpContents);
}

void PrayerPopup::addToolButton(const QString& key, const QString& tip, const QString& themeIcon,
                                QChar glyph, bool checkable) {
    auto* a = new QAction(ToolIcons::icon(themeIcon, glyph), key, this);
    a->setObjectName(key);
    a->setToolTip(tip.isEmpty() ? key : tip);
    a->setCheckable(checkable);
    tbMenu->addAction(a);
    checkedConnect(a, &QAction::triggered, this, [this, key] { tbMenu_ButtonClick(key); });
}

QAction* PrayerPopup::tool(const QString& key) const {
    for (QAction* a : tbMenu->actions())
        if (a->objectName() == key)
            return a;
    return nullptr;
}

void PrayerPopup::buildToolBars() {
    tbMenu = named(addToolBar(QStringLiteral("tbMenu")), "tbMenu");
    tbMenu->setIconSize(QSize(20, 20));
    tbMenu->setMouseTracking(true);
    tbMenu->installEventFilter(this);
    struct Button {
        const char* key;
        const char* tip;
        const char* icon;
        char16_t glyph;
        bool checkable;
    };
    const Button buttons[] = {
        {"Save", "Save File", "document-save", u'S', false},
        {"Print", "Print File", "document-print", u'P', false},
        {"Cut", "", "edit-cut", u'X', false},
        {"Copy", "", "edit-copy", u'C', false},
        {"Paste", "", "edit-paste", u'V', false},
        {"Undo", "", "edit-undo", u'Z', false},
        {"Delete", "", "edit-delete", u'D', false},
        {"Find", "", "edit-find", u'F', false},
        {"Find Again", "", "go-next", u'N', false},
        {"Power Search", "Power Search!", "system-search", u'Q', false},
        {"Foreground Colour", "", "format-text-color", u'A', false},
        {"Background Colour", "", "color-fill", u'K', false},
        {"Bold", "", "format-text-bold", u'B', true},
        {"Italic", "", "format-text-italic", u'I', true},
        {"Underline", "", "format-text-underline", u'U', true},
        {"Left Justify", "", "format-justify-left", u'L', true},
        {"Center Justify", "", "format-justify-center", u'E', true},
        {"Right Justify", "", "format-justify-right", u'R', true},
        {"Indent Less", "", "format-indent-less", u'<', false},
        {"Indent More", "", "format-indent-more", u'>', false},
        {"Bullet", "", "format-list-unordered", u'*', true},
        {"Password", "", "dialog-password", u'W', false},
        {"Clock", "Date Format", "x-office-calendar", u'T', false},
        {"Help", "", "help-contents", u'?', false},
    };
    for (const Button& b : buttons) {
        addToolButton(QString::fromLatin1(b.key), QString::fromLatin1(b.tip),
                      QString::fromLatin1(b.icon), QChar(b.glyph), b.checkable);
        if (QLatin1String(b.key) == QLatin1String("Help") ||
            QLatin1String(b.key) == QLatin1String("Bullet"))
            tbMenu->addSeparator();
    }
    // The colour buttons look as they do in the main window.
    tool(QStringLiteral("Foreground Colour"))->setIcon(ToolIcons::textColour());
    tool(QStringLiteral("Background Colour"))->setIcon(ToolIcons::backgroundColour());
    cboFont = named(new QComboBox(tbMenu), "cboFont");
    cboFont->setEditable(true);
    cboFont->setInsertPolicy(QComboBox::NoInsert);
    cboFont->setMinimumContentsLength(14);
    cboFontSize = named(new QComboBox(tbMenu), "cboFontSize");
    cboFontSize->setEditable(true);
    cboFontSize->setMinimumContentsLength(3);
    tbMenu->addWidget(cboFont);
    tbMenu->addWidget(cboFontSize);
    checkedConnect(cboFont, &QComboBox::activated, this, &PrayerPopup::cboFont_Click);
    checkedConnect(cboFontSize, &QComboBox::activated, this, &PrayerPopup::cboFontSize_Click);

    addToolBarBreak();
    tbIcons = named(addToolBar(QStringLiteral("tbIcons")), "tbIcons");
    tbIcons->setIconSize(QSize(28, 28));
    tbIcons->setMouseTracking(true);
    tbIcons->installEventFilter(this);
    for (int k = 1; k <= EntryExtras::kPictures; ++k) {
        auto* a = new QAction(QIcon(m_pictures.value(k - 1)), QString::number(k), this);
        a->setObjectName(QStringLiteral("tbIcons%1").arg(k));
        tbIcons->addAction(a);
        checkedConnect(a, &QAction::triggered, this, [this, k] { tbIcons_ButtonClick(k); });
    }
}

void PrayerPopup::buildStatusBars() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("SbMain"));
    bar->setSizeGripEnabled(true);
    const int widths[3] = {260, 150, 220};
    for (int k = 0; k < 3; ++k) {
        SbMainPanels[size_t(k)] = panel(bar, QStringLiteral("SbMain%1").arg(k + 1), widths[k]);
        SbMainPanels[size_t(k)]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        bar->addPermanentWidget(SbMainPanels[size_t(k)], k == 0 ? 1 : 0);
    }
}
