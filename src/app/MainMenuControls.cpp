// Construction of the main window's controls, tool buttons and menus. The captions set here
// are replaced by the language's texts when the window loads.
#include "app/MainMenu.h"

#include "app/ToolIcons.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
template <typename W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
} // namespace

void MainMenu::buildControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);

    cboTranslation = named(new QComboBox(central), "cboTranslation");
    cboBooks = named(new QComboBox(central), "cboBooks");
    cboBooks->setMaxVisibleItems(24);
    cboSearch = named(new QComboBox(central), "cboSearch");
    cboSearch->setEditable(true);
    cboSearch->setInsertPolicy(QComboBox::NoInsert); // the history decides what is added
    cboSearch->installEventFilter(this);
    cboSearch->lineEdit()->installEventFilter(this);
    Command1 = named(new QPushButton(central), "Command1");
    Command1->setIconSize(QSize(24, 24));
    Command1->setDefault(false);
    cStop = named(new QPushButton(QStringLiteral("Stop"), central), "cStop");
    Command2 = named(new QPushButton(QStringLiteral("Cle&ar"), central), "Command2");

    Frame1 = named(new QGroupBox(central), "Frame1");
    chkNone = named(new QRadioButton(QStringLiteral("None"), Frame1), "chkNone");
    chkAnyOrder = named(new QRadioButton(QStringLiteral("Ignore Order"), Frame1), "chkAnyOrder");
    chkAnyTerms = named(new QRadioButton(QStringLiteral("Any Terms"), Frame1), "chkAnyTerms");
    chkAllverses =
        named(new QRadioButton(QStringLiteral("Entire Selection"), Frame1), "chkAllverses");
    auto* modes = new QHBoxLayout(Frame1);
    modes->setContentsMargins(6, 2, 6, 2);
    for (QRadioButton* b : {chkNone, chkAnyOrder, chkAnyTerms, chkAllverses})
        modes->addWidget(b);
    ChkCase = named(new QCheckBox(QStringLiteral("Ignore Case"), central), "ChkCase");
    chkActiveUpd = named(new QCheckBox(QStringLiteral("Active Update"), central), "chkActiveUpd");
    cboResults = named(new QComboBox(central), "cboResults");
    cboResults->setEditable(true);
    cboResults->lineEdit()->setReadOnly(true);
    // Lists size to the window, not to their longest entry, so the default window fits.
    for (QComboBox* c : {cboTranslation, cboBooks, cboSearch, cboResults}) {
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(6);
    }

    RT = named(new QTextEdit(central), "RT");
    RT->setAcceptRichText(true);
    RT->setTabChangesFocus(false);
    Text1 = named(new QLineEdit(central), "Text1");
    Text1->setReadOnly(true);
    Label1 = named(new QLabel(central), "Label1");
    PBar = named(new QProgressBar(central), "PBar");
    PBar->setTextVisible(false);
    m_timer = named(new QTimer(this), "Timer1");

    // The rows keep the proportions of the original layout: the search box takes two fifths
    // of the width, the translation, book and summary lists a fifth each.
    auto* top = new QHBoxLayout;
    top->addWidget(cboTranslation, 1);
    top->addWidget(cboBooks, 1);
    top->addWidget(cboSearch, 2);
    top->addWidget(Command1);
    top->addWidget(cStop);
    top->addWidget(Command2);
    auto* second = new QHBoxLayout;
    second->addWidget(Frame1, 3);
    auto* checks = new QVBoxLayout;
    checks->setSpacing(0);
    checks->addWidget(ChkCase);
    checks->addWidget(chkActiveUpd);
    second->addLayout(checks);
    second->addWidget(cboResults, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Text1, 2);
    bottom->addWidget(PBar, 2);
    bottom->addWidget(Label1, 1);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addLayout(second);
    layout->addWidget(RT, 1);
    layout->addLayout(bottom);
}

QToolButton* MainMenu::addToolButton(const QString& name, const QString& iconName, QChar glyph) {
    auto* b = new QToolButton(toolBar);
    b->setObjectName(name);
    b->setIcon(ToolIcons::icon(iconName, glyph));
    b->setAutoRaise(true);
    toolBar->addWidget(b);
    return b;
}

void MainMenu::buildToolBar() {
    toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("Toolbar1"));
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(20, 20));
    addToolBar(Qt::TopToolBarArea, toolBar);
    struct Def {
        const char* name;
        const char* icon;
        char16_t glyph;
        bool checkable;
    };
    static const Def notepad[] = {
        {"cmdOpen", "document-open", u'O', false},
        {"CmdSave", "document-save", u'S', false},
        {"cmdPrint", "document-print", u'P', false},
        {"cmdCut", "edit-cut", u'X', false},
        {"cmdCopy", "edit-copy", u'C', false},
        {"cmdPaste", "edit-paste", u'V', false},
        {"cmdUndo", "edit-undo", u'Z', false},
        {"cmdDelete", "edit-delete", u'D', false},
        {"cmdFind", "edit-find", u'F', false},
        {"CmdFindNext", "go-next", u'N', false},
        {"cmdBColour", "", u'B', false},
        {"cmdFColuor", "", u'A', false},
        {"cmdBold", "format-text-bold", u'B', true},
        {"cmdItalic", "format-text-italic", u'I', true},
        {"cmdUnderline", "format-text-underline", u'U', true},
        {"cmdLeftJ", "format-justify-left", u'L', true},
        {"cmdCentreJ", "format-justify-center", u'E', true},
        {"cmdRightJ", "format-justify-right", u'R', true},
        {"cmdIndentLess", "format-indent-less", u'<', false},
        {"cmdIndentMore", "format-indent-more", u'>', false},
        {"cmdBullet", "", u'\u2022', true},
    };
    for (const Def& d : notepad) {
        QToolButton* b = addToolButton(QString::fromLatin1(d.name), QString::fromLatin1(d.icon),
                                       QChar(d.glyph));
        b->setCheckable(d.checkable);
        if (d.name == QByteArray("cmdUndo") || d.name == QByteArray("cmdBColour") ||
            d.name == QByteArray("cmdIndentLess"))
            toolBar->addSeparator();
    }
    // Fonts and the other windows get a second row, so nothing hides behind the overflow.
    addToolBarBreak(Qt::TopToolBarArea);
    toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("Toolbar2"));
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(20, 20));
    addToolBar(Qt::TopToolBarArea, toolBar);
    cboFont = new QComboBox(toolBar);
    cboFont->setObjectName(QStringLiteral("cboFont"));
    cboFont->setEditable(true);
    cboFont->setMinimumContentsLength(14);
    toolBar->addWidget(cboFont);
    cboSize = new QComboBox(toolBar);
    cboSize->setObjectName(QStringLiteral("cboSize"));
    cboSize->setEditable(true);
    cboSize->setMinimumContentsLength(3);
    toolBar->addWidget(cboSize);
    toolBar->addSeparator();
    static const Def windows[] = {
        {"cmdBibMulti", "view-dual", u'M', false},
        {"cmdCommentary", "accessories-text-editor", u'K', false},
        {"cmdDictionary", "accessories-dictionary", u'D', false},
        {"cmdBibNames", "avatar-default", u'N', false},
        {"cmdPrayer", "x-office-calendar", u'J', false},
        {"cmdHlp", "help-browser", u'?', false},
        {"cmdCHM", "", u'H', false},
        {"cmdMP3", "", u'\u266A', false},
    };
    for (const Def& d : windows)
        addToolButton(QString::fromLatin1(d.name), QString::fromLatin1(d.icon), QChar(d.glyph));
}

QAction* MainMenu::addItem(QMenu* menu, const QString& name, const QString& caption,
                           void (MainMenu::*handler)()) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (handler)
        connect(a, &QAction::triggered, this, handler);
    return a;
}

void MainMenu::buildMenus() {
    QMenuBar* bar = menuBar();
    auto menu = [this, bar](QMenu* parent, const char* name, const char* caption) {
        QMenu* m = parent ? parent->addMenu(QString::fromLatin1(caption))
                          : bar->addMenu(QString::fromLatin1(caption));
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };
    menFile = menu(nullptr, "menFile", "&File");
    addItem(menFile, QStringLiteral("NewFile"), QStringLiteral("New"));
    addItem(menFile, QStringLiteral("OpenFile"), QStringLiteral("Open "));
    addItem(menFile, QStringLiteral("Save"), QStringLiteral("Save"));
    addItem(menFile, QStringLiteral("FileSaveAs"), QStringLiteral("Save As"));
    menFile->addSeparator();
    addItem(menFile, QStringLiteral("PrintPreview"), QStringLiteral("Print Preview"));
    addItem(menFile, QStringLiteral("PrintSetup"), QStringLiteral("Print Setup"));
    addItem(menFile, QStringLiteral("Printt"), QStringLiteral("Print"));
    menFile->addSeparator();
    addItem(menFile, QStringLiteral("QuitApp"), QStringLiteral("Exit"), &MainMenu::QuitApp_Click);

    Edit = menu(nullptr, "Edit", "&Edit");
    for (const char* n : {"Cut", "Copy", "Paste", "undo", "Delete"})
        addItem(Edit, QString::fromLatin1(n), QString::fromLatin1(n));
    Edit->addSeparator();
    for (const char* n : {"Find", "FindNext", "SelectAll"})
        addItem(Edit, QString::fromLatin1(n), QString::fromLatin1(n));
    addItem(Edit, QStringLiteral("Wrap"), QStringLiteral("Wrap"))->setCheckable(true);

    Bibles = menu(nullptr, "Bibles", "&View");
    addItem(Bibles, QStringLiteral("VerseByVerse"), QStringLiteral("Multi &Bible"));
    addItem(Bibles, QStringLiteral("Commentary"), QStringLiteral("&Commentary"));
    addItem(Bibles, QStringLiteral("Dictionaries"), QStringLiteral("&Dictionary"));
    addItem(Bibles, QStringLiteral("BMaps"), QStringLiteral("&Maps"));
    addItem(Bibles, QStringLiteral("Two"), QStringLiteral("&Names"));
    addItem(Bibles, QStringLiteral("menIntegrateNames"), QStringLiteral("Integrate Names"))
        ->setCheckable(true);
    QMenu* prayer = menu(Bibles, "PrayerDiary", "&Prayer Diary");
    addItem(prayer, QStringLiteral("OpenPrayerDiary"), QStringLiteral("&Open"));
    addItem(prayer, QStringLiteral("SwitchIdent"), QStringLiteral("&Switch Identity"));
    addItem(Bibles, QStringLiteral("TranslationNotes"), QStringLiteral("&Translation Notes"));

    Formatt = menu(nullptr, "Formatt", "F&ormat");
    addItem(Formatt, QStringLiteral("DateFormat"), QStringLiteral("Date"));
    addItem(Formatt, QStringLiteral("Page_Setup"), QStringLiteral("&Page Setup"));
    addItem(Formatt, QStringLiteral("mBookmark"), QStringLiteral("&Bookmark"));

    menTools = menu(nullptr, "menTools", "&Tools");
    addItem(menTools, QStringLiteral("mLanguage"), QStringLiteral("&Language Editor"));
    addItem(menTools, QStringLiteral("Advanced"), QStringLiteral("Fo&lder Tool [Advanced]"),
            &MainMenu::Advanced_Click);
    addItem(menTools, QStringLiteral("menDebug"), QStringLiteral("Debug Mode"),
            &MainMenu::menDebug_Click)
        ->setCheckable(true);
    addItem(menTools, QStringLiteral("BibDefaults"), QStringLiteral("&Options"));
    addItem(menTools, QStringLiteral("ReIndex"), QStringLiteral("&ReIndex"),
            &MainMenu::ReIndex_Click);
    QMenu* integrity = menu(menTools, "IntegrityCheck", "&Integrity Check");
    addItem(integrity, QStringLiteral("IntegrityBib"), QStringLiteral("&Bibles"));
    addItem(integrity, QStringLiteral("IntegrityCommentary"), QStringLiteral("Co&mmentaries"));
    addItem(integrity, QStringLiteral("IntegrityDict"), QStringLiteral("Dic&tionaries"));
    addItem(integrity, QStringLiteral("IntegrityNames"), QStringLiteral("&Names"));
    addItem(integrity, QStringLiteral("IntegrityAll"), QStringLiteral("&All"));

    Web = menu(nullptr, "Web", "&Web/Email");
    addItem(Web, QStringLiteral("mDiscussionForum"), QStringLiteral("Discussion Forum"));
    addItem(Web, QStringLiteral("GotoWebsite"), QStringLiteral("Web Site"));
    QMenu* list = menu(Web, "Mailinglist", "Mailing List");
    addItem(list, QStringLiteral("mWebSubscribe"), QStringLiteral("Subscribe on the Web"));
    addItem(list, QStringLiteral("mEmailSubscribe"), QStringLiteral("Subscribe by E-mail"));
    QMenu* unsub = menu(Web, "Unsubscribe", "Unsubscribe");
    addItem(unsub, QStringLiteral("mWebUnsubscribe"), QStringLiteral("Unsubscribe on the Web"));
    addItem(unsub, QStringLiteral("mEmailUnsubscribe"),
            QStringLiteral("Unsubscribe by E-mail"));
    QMenu* send = menu(Web, "SendMessage", "Send a Message");
    addItem(send, QStringLiteral("mWebSendmail"), QStringLiteral("Send on the Web"));
    addItem(send, QStringLiteral("mEmailSendMail"), QStringLiteral("Send by E-mail"));

    Help = menu(nullptr, "Help", "&Help");
    // F1 works from every control of the window.
    addItem(Help, QStringLiteral("Contents"), QStringLiteral("&Contents"),
            &MainMenu::Contents_Click)
        ->setShortcut(QKeySequence(Qt::Key_F1));
    addItem(Help, QStringLiteral("LicenceAgreement"), QStringLiteral("&License Agreement"),
            &MainMenu::LicenceAgreement_Click);
    addItem(Help, QStringLiteral("About"), QStringLiteral("&About"), &MainMenu::About_Click);
    addItem(Help, QStringLiteral("SplashScreen"), QStringLiteral("S&plash Screen"),
            &MainMenu::SplashScreen_Click);
    addItem(Help, QStringLiteral("BugReport"), QStringLiteral("Report a &bug"));
}

QList<QWidget*> MainMenu::notepadButtons() const {
    QList<QWidget*> out;
    for (const char* n : {"cmdOpen", "CmdSave", "cmdPrint", "cmdCut", "cmdCopy", "cmdPaste",
                          "cmdUndo", "cmdDelete", "cmdFind", "CmdFindNext", "cmdBColour",
                          "cmdFColuor", "cmdBold", "cmdItalic", "cmdUnderline", "cmdLeftJ",
                          "cmdCentreJ", "cmdRightJ", "cmdIndentLess", "cmdIndentMore",
                          "cmdBullet"})
        if (QWidget* w = findChild<QWidget*>(QString::fromLatin1(n)))
            out << w;
    return out;
}

void MainMenu::AddPicturesToMenu() {
    struct Pic {
        const char* action;
        const char* icon;
        char16_t glyph;
    };
    static const Pic pics[] = {
        {"NewFile", "document-new", u'+'},     {"OpenFile", "document-open", u'O'},
        {"Save", "document-save", u'S'},       {"FileSaveAs", "document-save-as", u'S'},
        {"PrintPreview", "document-print-preview", u'P'}, {"Printt", "document-print", u'P'},
        {"QuitApp", "application-exit", u'Q'}, {"Cut", "edit-cut", u'X'},
        {"Copy", "edit-copy", u'C'},           {"Paste", "edit-paste", u'V'},
        {"undo", "edit-undo", u'Z'},           {"Delete", "edit-delete", u'D'},
        {"Find", "edit-find", u'F'},           {"SelectAll", "edit-select-all", u'A'},
        {"Contents", "help-contents", u'?'},   {"About", "help-about", u'i'},
    };
    for (const Pic& p : pics)
        if (QAction* a = action(QString::fromLatin1(p.action)))
            a->setIcon(ToolIcons::icon(QString::fromLatin1(p.icon), QChar(p.glyph)));
}
