// Construction of the main window's controls, commands, tool bars and menus. The captions set
// here are replaced by the language's texts when the window loads (MainMenuTexts.cpp).
#include "app/MainMenu.h"

#include "app/ToolIcons.h"
#include "platform/CheckedConnect.h"
#include "platform/Named.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

void MainMenu::buildControls() {
    auto* central = named(new QWidget(this), "centralWidget");
    setCentralWidget(central);

    cboTranslation = named(new QComboBox(central), "cboTranslation");
    cboBooks = named(new QComboBox(central), "cboBooks");
    cboBooks->setMaxVisibleItems(24);
    cboSearch = named(new QComboBox(central), "cboSearch");
    cboSearch->setEditable(true);
    cboSearch->setInsertPolicy(QComboBox::NoInsert); // the history decides what is added
    // Past searches are offered in a list as the user types, matching letter case; the text
    // typed is never completed in place, so Enter searches exactly what was typed.
    cboSearch->completer()->setCaseSensitivity(Qt::CaseSensitive);
    cboSearch->completer()->setCompletionMode(QCompleter::PopupCompletion);
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

QAction* MainMenu::command(const char* name, const QString& caption, void (MainMenu::*handler)()) {
    auto* a = named(new QAction(caption, this), name);
    // Menu pictures come with the start-up's menu-picture step, not before.
    a->setIconVisibleInMenu(false);
    if (handler)
        checkedConnect(a, &QAction::triggered, this, handler);
    m_commands.append(a);
    return a;
}

void MainMenu::buildActions() {
    MainActions& a = m_actions;
    a.file = {command("NewFile", QStringLiteral("New")),
              command("OpenFile", QStringLiteral("Open ")),
              command("Save", QStringLiteral("Save")),
              command("FileSaveAs", QStringLiteral("Save As")),
              command("PrintPreview", QStringLiteral("Print Preview")),
              command("PrintSetup", QStringLiteral("Print Setup")),
              command("Printt", QStringLiteral("Print")),
              command("QuitApp", QStringLiteral("Exit"), &MainMenu::QuitApp_Click)};
    a.edit = {command("Cut", QStringLiteral("Cut")),
              command("Copy", QStringLiteral("Copy")),
              command("Paste", QStringLiteral("Paste")),
              command("undo", QStringLiteral("Undo")),
              command("Delete", QStringLiteral("Delete")),
              command("Find", QStringLiteral("Find")),
              command("FindNext", QStringLiteral("Find Next")),
              command("SelectAll", QStringLiteral("Select All")),
              command("Wrap", QStringLiteral("Wrap"))};
    a.edit.wrap->setCheckable(true);
    a.view = {command("VerseByVerse", QStringLiteral("Multi &Bible")),
              command("Commentary", QStringLiteral("&Commentary")),
              command("Dictionaries", QStringLiteral("&Dictionary")),
              command("BMaps", QStringLiteral("&Maps")),
              command("Two", QStringLiteral("&Names")),
              command("menIntegrateNames", QStringLiteral("Integrate Names")),
              command("OpenPrayerDiary", QStringLiteral("&Open")),
              command("SwitchIdent", QStringLiteral("&Switch Identity")),
              command("TranslationNotes", QStringLiteral("&Translation Notes"))};
    a.view.integrateNames->setCheckable(true);
    a.format = {command("DateFormat", QStringLiteral("Date")),
                command("Page_Setup", QStringLiteral("&Page Setup")),
                command("mBookmark", QStringLiteral("&Bookmark")),
                command("cmdBColour", QStringLiteral("Background Colour")),
                command("cmdFColuor", QStringLiteral("Text Colour")),
                command("cmdBold", QStringLiteral("Bold")),
                command("cmdItalic", QStringLiteral("Italic")),
                command("cmdUnderline", QStringLiteral("Underline")),
                command("cmdLeftJ", QStringLiteral("Align Left")),
                command("cmdCentreJ", QStringLiteral("Centre")),
                command("cmdRightJ", QStringLiteral("Align Right")),
                command("cmdIndentLess", QStringLiteral("Indent Less")),
                command("cmdIndentMore", QStringLiteral("Indent More")),
                command("cmdBullet", QStringLiteral("Bullets"))};
    for (QAction* c : {a.format.bold, a.format.italic, a.format.underline, a.format.left,
                       a.format.centre, a.format.right, a.format.bullet})
        c->setCheckable(true);
    a.tools = {command("mLanguage", QStringLiteral("&Language Editor")),
               command("Advanced", QStringLiteral("Fo&lder Tool [Advanced]")),
               command("menDebug", QStringLiteral("Debug Mode"), &MainMenu::menDebug_Click),
               command("BibDefaults", QStringLiteral("&Options")),
               command("ReIndex", QStringLiteral("&ReIndex"), &MainMenu::ReIndex_Click),
               command("IntegrityBib", QStringLiteral("&Bibles")),
               command("IntegrityCommentary", QStringLiteral("Co&mmentaries")),
               command("IntegrityDict", QStringLiteral("Dic&tionaries")),
               command("IntegrityNames", QStringLiteral("&Names")),
               command("IntegrityAll", QStringLiteral("&All")),
               command("ImportModule", QStringLiteral("&Import Module..."))};
    a.tools.debug->setCheckable(true);
    a.web = {command("mDiscussionForum", QStringLiteral("Discussion Forum")),
             command("GotoWebsite", QStringLiteral("Web Site")),
             command("mWebSubscribe", QStringLiteral("Subscribe on the Web")),
             command("mEmailSubscribe", QStringLiteral("Subscribe by E-mail")),
             command("mWebUnsubscribe", QStringLiteral("Unsubscribe on the Web")),
             command("mEmailUnsubscribe", QStringLiteral("Unsubscribe by E-mail")),
             command("mWebSendmail", QStringLiteral("Send on the Web")),
             command("mEmailSendMail", QStringLiteral("Send by E-mail")),
             command("BugReport", QStringLiteral("Report a &bug"))};
    a.help = {command("Contents", QStringLiteral("&Contents")),
              command("LicenceAgreement", QStringLiteral("&License Agreement")),
              command("About", QStringLiteral("&About")),
              command("SplashScreen", QStringLiteral("S&plash Screen"))};
    // F1 works from every control of the window.
    a.help.contents->setShortcut(QKeySequence(Qt::Key_F1));
    a.media = {command("cmdCHM", QStringLiteral("Help-file Bibles")),
               command("cmdMP3", QStringLiteral("Audio Bibles"))};
}

void MainMenu::showOnToolBar(QToolBar* bar, QAction* action, const char* buttonName,
                             const QString& iconName, QChar glyph) {
    if (action->icon().isNull())
        action->setIcon(ToolIcons::icon(iconName, glyph));
    bar->addAction(action);
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    button->setObjectName(QString::fromLatin1(buttonName));
    button->setAutoRaise(true);
}

void MainMenu::buildToolBars() {
    auto makeBar = [this](const char* name) {
        auto* bar = named(new QToolBar(this), name);
        bar->setMovable(false);
        bar->setIconSize(QSize(20, 20));
        addToolBar(Qt::TopToolBarArea, bar);
        return bar;
    };
    const MainActions& a = m_actions;
    m_notepadBar = makeBar("Toolbar1");
    QToolBar* bar = m_notepadBar;
    showOnToolBar(bar, a.file.open, "cmdOpen", QStringLiteral("document-open"), u'O');
    showOnToolBar(bar, a.file.save, "CmdSave", QStringLiteral("document-save"), u'S');
    showOnToolBar(bar, a.file.print, "cmdPrint", QStringLiteral("document-print"), u'P');
    showOnToolBar(bar, a.edit.cut, "cmdCut", QStringLiteral("edit-cut"), u'X');
    showOnToolBar(bar, a.edit.copy, "cmdCopy", QStringLiteral("edit-copy"), u'C');
    showOnToolBar(bar, a.edit.paste, "cmdPaste", QStringLiteral("edit-paste"), u'V');
    showOnToolBar(bar, a.edit.undo, "cmdUndo", QStringLiteral("edit-undo"), u'Z');
    bar->addSeparator();
    showOnToolBar(bar, a.edit.remove, "cmdDelete", QStringLiteral("edit-delete"), u'D');
    showOnToolBar(bar, a.edit.find, "cmdFind", QStringLiteral("edit-find"), u'F');
    showOnToolBar(bar, a.edit.findNext, "CmdFindNext", QStringLiteral("go-next"), u'N');
    a.format.backColour->setIcon(ToolIcons::backgroundColour());
    showOnToolBar(bar, a.format.backColour, "cmdBColour", QString(), u'B');
    bar->addSeparator();
    a.format.foreColour->setIcon(ToolIcons::textColour());
    showOnToolBar(bar, a.format.foreColour, "cmdFColuor", QString(), u'A');
    showOnToolBar(bar, a.format.bold, "cmdBold", QStringLiteral("format-text-bold"), u'B');
    showOnToolBar(bar, a.format.italic, "cmdItalic", QStringLiteral("format-text-italic"), u'I');
    showOnToolBar(bar, a.format.underline, "cmdUnderline", QStringLiteral("format-text-underline"),
                  u'U');
    showOnToolBar(bar, a.format.left, "cmdLeftJ", QStringLiteral("format-justify-left"), u'L');
    showOnToolBar(bar, a.format.centre, "cmdCentreJ", QStringLiteral("format-justify-center"),
                  u'E');
    showOnToolBar(bar, a.format.right, "cmdRightJ", QStringLiteral("format-justify-right"), u'R');
    showOnToolBar(bar, a.format.indentLess, "cmdIndentLess", QStringLiteral("format-indent-less"),
                  u'<');
    bar->addSeparator();
    showOnToolBar(bar, a.format.indentMore, "cmdIndentMore", QStringLiteral("format-indent-more"),
                  u'>');
    showOnToolBar(bar, a.format.bullet, "cmdBullet", QString(), u'\u2022');

    // Fonts and the other windows get a second row, so nothing hides behind the overflow.
    addToolBarBreak(Qt::TopToolBarArea);
    m_windowBar = makeBar("Toolbar2");
    bar = m_windowBar;
    cboFont = named(new QComboBox(bar), "cboFont");
    cboFont->setEditable(true);
    cboFont->setMinimumContentsLength(14);
    bar->addWidget(cboFont);
    cboSize = named(new QComboBox(bar), "cboSize");
    cboSize->setEditable(true);
    cboSize->setMinimumContentsLength(3);
    bar->addWidget(cboSize);
    bar->addSeparator();
    showOnToolBar(bar, a.view.multiBible, "cmdBibMulti", QStringLiteral("view-dual"), u'M');
    showOnToolBar(bar, a.view.commentary, "cmdCommentary",
                  QStringLiteral("accessories-text-editor"), u'K');
    showOnToolBar(bar, a.view.dictionary, "cmdDictionary", QStringLiteral("accessories-dictionary"),
                  u'D');
    showOnToolBar(bar, a.view.names, "cmdBibNames", QStringLiteral("avatar-default"), u'N');
    showOnToolBar(bar, a.view.openDiary, "cmdPrayer", QStringLiteral("x-office-calendar"), u'J');
    showOnToolBar(bar, a.help.contents, "cmdHlp", QStringLiteral("help-browser"), u'?');
    showOnToolBar(bar, a.media.helpFileBibles, "cmdCHM", QString(), u'H');
    showOnToolBar(bar, a.media.audioBibles, "cmdMP3", QString(), u'\u266A');
    cmdCHM = qobject_cast<QToolButton*>(bar->widgetForAction(a.media.helpFileBibles));
    cmdMP3 = qobject_cast<QToolButton*>(bar->widgetForAction(a.media.audioBibles));
}

void MainMenu::buildMenus() {
    QMenuBar* bar = menuBar();
    auto menu = [bar](QMenu* parent, const char* name, const char* caption) {
        QMenu* m = parent ? parent->addMenu(QString::fromLatin1(caption))
                          : bar->addMenu(QString::fromLatin1(caption));
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };
    const MainActions& a = m_actions;
    MainMenus& m = m_menus;
    m.file = menu(nullptr, "menFile", "&File");
    m.file->addActions({a.file.newFile, a.file.open, a.file.save, a.file.saveAs});
    m.file->addSeparator();
    m.file->addActions({a.file.printPreview, a.file.printSetup, a.file.print});
    m.file->addSeparator();
    m.file->addAction(a.file.exit);

    m.edit = menu(nullptr, "Edit", "&Edit");
    m.edit->addActions({a.edit.cut, a.edit.copy, a.edit.paste, a.edit.undo, a.edit.remove});
    m.edit->addSeparator();
    m.edit->addActions({a.edit.find, a.edit.findNext, a.edit.selectAll, a.edit.wrap});

    m.view = menu(nullptr, "Bibles", "&View");
    m.view->addActions({a.view.multiBible, a.view.commentary, a.view.dictionary, a.view.maps,
                        a.view.names, a.view.integrateNames});
    m.prayerDiary = menu(m.view, "PrayerDiary", "&Prayer Diary");
    m.prayerDiary->addActions({a.view.openDiary, a.view.switchIdentity});
    m.view->addAction(a.view.translationNotes);

    m.format = menu(nullptr, "Formatt", "F&ormat");
    m.format->addActions({a.format.date, a.format.pageSetup, a.format.bookmark});
    // The character formats also as menu items, so their shortcuts can be seen.
    m.format->addSeparator();
    m.format->addActions({a.format.bold, a.format.italic, a.format.underline});

    m.tools = menu(nullptr, "menTools", "&Tools");
    m.tools->addActions(
        {a.tools.language, a.tools.folderTool, a.tools.debug, a.tools.options, a.tools.reIndex,
         a.tools.importModule});
    m.integrity = menu(m.tools, "IntegrityCheck", "&Integrity Check");
    m.integrity->addActions({a.tools.integrityBibles, a.tools.integrityCommentaries,
                             a.tools.integrityDictionaries, a.tools.integrityNames,
                             a.tools.integrityAll});

    m.web = menu(nullptr, "Web", "&Web/Email");
    m.web->addActions({a.web.forum, a.web.website});
    m.mailingList = menu(m.web, "Mailinglist", "Mailing List");
    m.mailingList->addActions({a.web.subscribeWeb, a.web.subscribeEmail});
    m.unsubscribe = menu(m.web, "Unsubscribe", "Unsubscribe");
    m.unsubscribe->addActions({a.web.unsubscribeWeb, a.web.unsubscribeEmail});
    m.sendMessage = menu(m.web, "SendMessage", "Send a Message");
    m.sendMessage->addActions({a.web.sendWeb, a.web.sendEmail});

    m.help = menu(nullptr, "Help", "&Help");
    m.help->addActions(
        {a.help.contents, a.help.licence, a.help.about, a.help.splash, a.web.bugReport});
}

void MainMenu::AddPicturesToMenu() {
    const MainActions& a = m_actions;
    struct Picture {
        QAction* action;
        const char* icon;
        char16_t glyph;
    };
    const Picture pictures[] = {
        {a.file.newFile, "document-new", u'+'},
        {a.file.open, "document-open", u'O'},
        {a.file.save, "document-save", u'S'},
        {a.file.saveAs, "document-save-as", u'S'},
        {a.file.printPreview, "document-print-preview", u'P'},
        {a.file.print, "document-print", u'P'},
        {a.file.exit, "application-exit", u'Q'},
        {a.edit.cut, "edit-cut", u'X'},
        {a.edit.copy, "edit-copy", u'C'},
        {a.edit.paste, "edit-paste", u'V'},
        {a.edit.undo, "edit-undo", u'Z'},
        {a.edit.remove, "edit-delete", u'D'},
        {a.edit.find, "edit-find", u'F'},
        {a.edit.selectAll, "edit-select-all", u'A'},
        {a.help.contents, "help-contents", u'?'},
        {a.help.about, "help-about", u'i'},
    };
    for (const Picture& p : pictures) {
        // A command with a tool button keeps the button's picture.
        if (p.action->icon().isNull())
            p.action->setIcon(ToolIcons::icon(QString::fromLatin1(p.icon), QChar(p.glyph)));
        p.action->setIconVisibleInMenu(true);
    }
}
