#include "app/MainMenu.h"

#include "app/ModuleAvailability.h"
#include "app/locate/NoBibles.h"
#include "app/locate/frmLocate.h"
#include "app/periphery/frmAbout.h"
#include "app/periphery/frmAgreement.h"
#include "app/periphery/frmSplash.h"
#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/GlobalSTRINGFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"
#include "platform/HelpViewer.h"
#include "platform/RichPane.h"
#include "platform/Twips.h"
#include "platform/UrlOpener.h"
#include "printing/PageValues.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using MessageText::Frm;
using MessageText::Std;

namespace {
const QString kSettings = SettingsKeys::Settings;

double readTwips(const SettingsStore& s, const char* key, double def) {
    // A stored geometry value that is not a number falls back to its default.
    return s.readNumber(kSettings, QString::fromLatin1(key), def);
}
} // namespace

MainMenu::MainMenu(ProgramState& state, UrlOpener& opener, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_opener(opener) {
    setObjectName(QStringLiteral("MainMenu"));
    SearchTerms = QStringList(31, QStringLiteral(" "));
    buildControls();
    buildToolBar();
    buildMenus();
    connectNotepad();
    connectPrinting();
    connect(m_timer, &QTimer::timeout, this, &MainMenu::Timer1_Timer);
    connect(cStop, &QPushButton::clicked, this, &MainMenu::cStop_Click);
    connect(Command1, &QPushButton::clicked, this, &MainMenu::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MainMenu::Command2_Click);
    connect(cboBooks, QOverload<int>::of(&QComboBox::activated), this,
            &MainMenu::cboBooks_Click);
    connect(cboTranslation, QOverload<int>::of(&QComboBox::activated), this,
            &MainMenu::cboTranslation_Click);
    connect(findChild<QToolButton*>(QStringLiteral("cmdHlp")), &QToolButton::clicked, this,
            &MainMenu::Contents_Click);
    auto openWeb = [this] { OpenAddress(TolvaneRoutines::WebAddress()); };
    auto openMail = [this] {
        OpenAddress(QStringLiteral("mailto:") + TolvaneRoutines::EmailAddress());
    };
    for (const char* n : {"mDiscussionForum", "GotoWebsite", "mWebSubscribe", "mWebUnsubscribe",
                          "mWebSendmail", "BugReport"})
        connect(action(QString::fromLatin1(n)), &QAction::triggered, this, openWeb);
    for (const char* n : {"mEmailSubscribe", "mEmailUnsubscribe", "mEmailSendMail"})
        connect(action(QString::fromLatin1(n)), &QAction::triggered, this, openMail);

    // Windows that later work provides: present, but not offered until they exist.
    for (const char* n : {"VerseByVerse", "Commentary", "Dictionaries", "BMaps", "Two",
                          "menIntegrateNames", "PrayerDiary", "OpenPrayerDiary", "SwitchIdent",
                          "TranslationNotes", "DateFormat", "mBookmark", "mLanguage",
                          "BibDefaults", "IntegrityCheck", "IntegrityBib", "IntegrityCommentary",
                          "IntegrityDict", "IntegrityNames", "IntegrityAll"})
        markUnavailable(action(QString::fromLatin1(n)));
    for (const char* n : {"cmdBibMulti", "cmdCommentary", "cmdDictionary", "cmdBibNames",
                          "cmdPrayer", "cmdCHM", "cmdMP3"})
        markUnavailable(findChild<QWidget*>(QString::fromLatin1(n)));
}

MainMenu::~MainMenu() {
    // The pane and its helpers watch the window's members; they go first, while this is
    // still a whole MainMenu, rather than in the base class's clean-up.
    m_timer->stop();
    delete RT->findChild<QObject*>(QStringLiteral("PaneEvents"), Qt::FindDirectChildrenOnly);
    delete RT;
    RT = nullptr;
}

QAction* MainMenu::action(const QString& name) const { return findChild<QAction*>(name); }

void MainMenu::markUnavailable(QObject* control, bool unavailable) {
    if (!control)
        return;
    if (unavailable)
        m_unavailable.insert(control);
    else
        m_unavailable.remove(control);
    control->setProperty("enabled", !unavailable && !(m_busy && notepadButtons().contains(
                                                                   qobject_cast<QWidget*>(control))));
}

void MainMenu::registerReadingWindow(const QString& placementName, QWidget* window) {
    m_readingWindows.append({placementName, QPointer<QWidget>(window)});
}

// ---------------------------------------------------------------------------------------
// Start-up

void MainMenu::Form_Load() {
    SettingsStore& s = m_state.settings;
    m_state.MessageFolder =
        FileFunctions::resolve(FileFunctions::withSeparator(m_state.programDir) +
                               QStringLiteral("msg/"));
    emit stepRun(QStringLiteral("1"));
    m_state.LanguagePrefix = s.read(kSettings, QStringLiteral("L"), QStringLiteral("0"));
    if (m_state.LanguagePrefix == QLatin1String("0")) {
        m_state.LanguagePrefix = QStringLiteral("ENGLISH_");
        s.write(kSettings, QStringLiteral("L"), m_state.LanguagePrefix);
    }
    emit stepRun(QStringLiteral("2"));
    m_state.DebugMode = s.readBool(kSettings, QStringLiteral("DEBUG"), false);
    action(QStringLiteral("menDebug"))->setChecked(m_state.DebugMode);
    cStop->hide();
    m_state.DefaultIdentity =
        s.read(QStringLiteral("Identity"), QStringLiteral("Default"), QStringLiteral("Default"));
    action(QStringLiteral("SwitchIdent"))->setText(Frm(m_state, 18, m_state.DefaultIdentity));
    m_state.HelpFile = FileFunctions::withSeparator(m_state.programDir) +
                       QStringLiteral("help/index.html");
    emit stepRun(QStringLiteral("6"));
    applyPlacementFromSettings();
    emit stepRun(QStringLiteral("7"));
    show();
    emit stepRun(QStringLiteral("8"));

    m_state.DateFormat = s.read(kSettings, QStringLiteral("DF"), QStringLiteral("0"));
    if (m_state.DateFormat == QLatin1String("0"))
        m_state.DateFormat = QStringLiteral("dd-MMM-yyyy");
    m_state.ShowSplash = qint16(s.readInt(kSettings, SettingsKeys::ShowSplash));
    m_state.FavVersesFile = m_state.LanguagePrefix + QStringLiteral("FavVerses.txt");
    emit stepRun(QStringLiteral("9"));
    DataFolders::MakeFoldersIfRequired(m_state);
    emit stepRun(QStringLiteral("10"));
    for (const char* n : {"Cut", "Copy", "Delete", "undo"})
        action(QString::fromLatin1(n))->setEnabled(false);
    findChild<QToolButton*>(QStringLiteral("cmdBullet"))->setChecked(false);
    CheckClipboard();
    emit stepRun(QStringLiteral("11"));
    m_state.DEFAULTFONT =
        s.read(kSettings, QStringLiteral("DEFAULTFONT"), QStringLiteral("Times New Roman"));
    DayLabel = GlobalSTRINGFunctions::DayText();
    m_timer->setInterval(1);
    chkNone->setChecked(true);
    emit stepRun(QStringLiteral("13"));
    DataFolders::SetProgramPaths(m_state);
    emit stepRun(QStringLiteral("14"));
    DataFolders::LoadSettings(m_state);
    DataFolders::SetModuleRoot(m_state);
    emit stepRun(QStringLiteral("15"));
    PopulateHistoryCombo();
    emit stepRun(QStringLiteral("16"));
    SelectedBook = 1;
    if (!Catalogues::LoadBookCatalogue(m_state)) {
        EndProgram();
        return;
    }
    emit stepRun(QStringLiteral("18"));
    setWindowTitle(TolvaneRoutines::ProductName());
    PBar->hide();
    fillBookList();
    emit stepRun(QStringLiteral("21"));
    const auto result = Catalogues::LoadTranslationCatalogue(m_state);
    emit stepRun(QStringLiteral("22"));
    if (result == Catalogues::TranslationResult::Missing) {
        EndProgram();
        return;
    }
    if (result == Catalogues::TranslationResult::NoBibles) {
        ShowNoBibles();
        if (m_state.EndRequested)
            return;
    }
    fillTranslationList();
    emit stepRun(QStringLiteral("23"));
    RichPane::SetColours(RT, m_state.Bib1BC, m_state.Bib1TC);
    chkActiveUpd->setChecked(m_state.ActiveUpdateBib1 == 1);
    m_timer->setInterval(100);
    m_timer->start();
    emit stepRun(QStringLiteral("24"));
    fillFontLists();
    for (const char* n :
         {"cmdBold", "cmdItalic", "cmdUnderline", "cmdLeftJ", "cmdCentreJ", "cmdRightJ"})
        findChild<QToolButton*>(QString::fromLatin1(n))->setChecked(false);
    emit stepRun(QStringLiteral("26"));
    if (m_state.ShowSplash == 1)
        ShowSplash();
    emit stepRun(QStringLiteral("27"));

    // Steps 28 to 32: a failure reports, opens page setup, and skips the rest of them.
    if (applyPageSetupValues()) {
        emit stepRun(QStringLiteral("28"));
        emit stepRun(QStringLiteral("29"));
        AddPicturesToMenu();
        emit stepRun(QStringLiteral("30"));
        LoadBookmarks();
        emit stepRun(QStringLiteral("31"));
        International();
        emit stepRun(QStringLiteral("32"));
    } else {
        TolvaneRoutines::ReportError(m_state.dialogs, TolvaneRoutines::ErrorNumber::TypeMismatch,
                                     QStringLiteral("Load Main"), QString());
        OpenPageSetup();
    }
    restoreChoices();
    emit stepRun(QStringLiteral("33"));
    m_loaded = true;
    Form_Activate();
}

void MainMenu::applyPlacementFromSettings() {
    const SettingsStore& s = m_state.settings;
    const double dpi = RichPane::LogicalDpi(RT);
    const double w = readTwips(s, "MainWidth", 10500);
    const double h = readTwips(s, "MainHeight", 8000);
    const double l = readTwips(s, "MainLeft", 1000);
    const double t = readTwips(s, "MainTop", 1000);
    resize(Twips::toPixelsRounded(w, dpi), Twips::toPixelsRounded(h, dpi));
    move(Twips::toPixelsRounded(l, dpi), Twips::toPixelsRounded(t, dpi));
}

void MainMenu::fillBookList() {
    cboBooks->clear();
    cboBooks->addItems(m_state.BookDisplayNames);
    cboBooks->setCurrentIndex(0);
}

void MainMenu::fillTranslationList() {
    cboTranslation->clear();
    if (m_state.BibleFiles.value(0).isEmpty())
        return;
    CurrentBibleFile = m_state.BibleFiles.at(0);
    cboTranslation->addItems(m_state.BibleNames);
    cboTranslation->setCurrentIndex(0);
}

void MainMenu::fillFontLists() {
    cboFont->clear();
    cboFont->addItem(m_state.DEFAULTFONT);
    cboFont->addItems(QFontDatabase::families());
    cboFont->setCurrentIndex(0);
    cboSize->clear();
    cboSize->addItem(QString::number(m_state.Bib1Fontsize));
    for (int size = 3; size <= 72; ++size)
        cboSize->addItem(QString::number(size));
    cboSize->setCurrentIndex(0);
}

bool MainMenu::applyPageSetupValues() {
    if (!PageValues::Load(m_state))
        return false;
    ApplyPaneLayout();
    return true;
}

void MainMenu::ApplyPaneLayout() {
    const PageValues::PaneLayout p = PageValues::ComputePaneLayout(m_state);
    RichPane::SetLineLayout(RT, p.fitToWindow, p.rightMarginTwips, p.indentTwips);
}

void MainMenu::ShowSplash() {
    frmSplash splash(m_state, m_splashMilliseconds, this);
    splash.exec();
}

void MainMenu::ShowNoBibles() {
    NoBibles window(m_state, m_opener, this);
    connect(&window, &NoBibles::helpRequested, this, &MainMenu::Contents_Click);
    window.exec();
    // The window ends the program whenever it closes.
    EndProgram();
}

void MainMenu::restoreChoices() {
    // Every failure from here on is ignored: a stored position out of range is skipped.
    const SettingsStore& s = m_state.settings;
    const int book = int(s.readInt(kSettings, SettingsKeys::CBOBookmark));
    if (book >= 0 && book < cboBooks->count()) {
        cboBooks->setCurrentIndex(book);
        cboBooks_Click();
    }
    const int bible = int(s.readInt(kSettings, SettingsKeys::WhichBib));
    if (bible >= 0 && bible < cboTranslation->count()) {
        cboTranslation->setCurrentIndex(bible);
        cboTranslation_Click();
    }
}

void MainMenu::International() {
    struct Text {
        const char* name;
        int number;
    };
    static const Text tips[] = {
        {"cmdOpen", 27},      {"CmdSave", 28},       {"cmdPrint", 29},      {"cmdCut", 30},
        {"cmdCopy", 31},      {"cmdPaste", 32},      {"cmdUndo", 33},       {"cmdDelete", 34},
        {"cmdFind", 35},      {"CmdFindNext", 36},   {"cmdBColour", 37},    {"cmdFColuor", 38},
        {"cmdBold", 39},      {"cmdItalic", 40},     {"cmdUnderline", 41},  {"cmdLeftJ", 42},
        {"cmdCentreJ", 43},   {"cmdRightJ", 44},     {"cmdIndentLess", 45}, {"cmdIndentMore", 46},
        {"cmdBullet", 47},    {"cmdBibMulti", 48},   {"cmdDictionary", 49}, {"cmdCommentary", 50},
        {"cmdBibNames", 51},  {"cmdPrayer", 52},     {"cmdHlp", 53},        {"cmdCHM", 54},
        {"cmdMP3", 55},       {"Command1", 56},      {"cStop", 57},         {"Command2", 122},
        {"cboSearch", 124},   {"cboTranslation", 125}, {"cboBooks", 126},   {"chkNone", 127},
        {"chkAnyOrder", 128}, {"chkAnyTerms", 129},  {"chkAllverses", 130}, {"Frame1", 135},
        {"chkActiveUpd", 138}, {"ChkCase", 139}};
    for (const Text& t : tips)
        if (QWidget* w = findChild<QWidget*>(QString::fromLatin1(t.name)))
            w->setToolTip(Frm(m_state, t.number));

    static const Text items[] = {
        {"menFile", 70},           {"NewFile", 58},           {"OpenFile", 59},
        {"Save", 60},              {"FileSaveAs", 61},        {"PrintPreview", 62},
        {"PrintSetup", 63},        {"Printt", 64},            {"QuitApp", 65},
        {"DateFormat", 169},       {"Edit", 66},              {"Cut", 67},
        {"Copy", 68},              {"Paste", 69},             {"undo", 71},
        {"Delete", 72},            {"Find", 73},              {"FindNext", 74},
        {"SelectAll", 75},         {"Wrap", 76},              {"Bibles", 77},
        {"VerseByVerse", 78},      {"Commentary", 79},        {"Dictionaries", 80},
        {"BMaps", 81},             {"Two", 82},               {"menIntegrateNames", 83},
        {"PrayerDiary", 84},       {"OpenPrayerDiary", 85},   {"SwitchIdent", 86},
        {"TranslationNotes", 87},  {"Formatt", 88},           {"Page_Setup", 90},
        {"mBookmark", 91},         {"menTools", 92},          {"mLanguage", 93},
        {"Advanced", 94},          {"BibDefaults", 95},       {"ReIndex", 96},
        {"IntegrityCheck", 97},    {"IntegrityBib", 98},      {"IntegrityCommentary", 99},
        {"IntegrityDict", 100},    {"IntegrityNames", 101},   {"IntegrityAll", 102},
        {"Web", 103},              {"mDiscussionForum", 104}, {"GotoWebsite", 105},
        {"Mailinglist", 106},      {"mWebSubscribe", 107},    {"mEmailSubscribe", 108},
        {"Unsubscribe", 109},      {"mWebUnsubscribe", 110},  {"mEmailUnsubscribe", 111},
        {"SendMessage", 112},      {"mWebSendmail", 113},     {"mEmailSendMail", 114},
        {"Help", 115},             {"Contents", 116},         {"LicenceAgreement", 117},
        {"About", 118},            {"SplashScreen", 119},     {"BugReport", 121},
        {"menDebug", 199}};
    for (const Text& t : items)
        if (QAction* a = action(QString::fromLatin1(t.name)))
            a->setText(Frm(m_state, t.number));

    Command2->setText(Frm(m_state, 123));
    chkNone->setText(Frm(m_state, 131));
    chkAnyOrder->setText(Frm(m_state, 132));
    chkAnyTerms->setText(Frm(m_state, 133));
    chkAllverses->setText(Frm(m_state, 134));
    Frame1->setTitle(Frm(m_state, 135));
    chkActiveUpd->setText(Frm(m_state, 136));
    ChkCase->setText(Frm(m_state, 137));
}

// ---------------------------------------------------------------------------------------
// Activation

void MainMenu::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_loaded)
        Form_Activate();
}

void MainMenu::Form_Activate() {
    const ModuleAvailability a = ModuleAvailability::probe(m_state);
    const QString folder = m_state.ProgramFolder;
    auto setPicture = [&](const char* name, bool ok, const char* yes, const char* no) {
        if (auto* b = findChild<QToolButton*>(QString::fromLatin1(name))) {
            const QString pic = folder + QString::fromLatin1(ok ? yes : no);
            if (FileFunctions::FileExists(pic))
                b->setIcon(QIcon(FileFunctions::resolve(pic)));
            b->setProperty("Tag", ok ? QStringLiteral("OK") : QString());
        }
    };
    setPicture("cmdCHM", a.helpFileBibles, "c.gif", "cX.gif");
    auto enable = [this](const char* name, bool on) {
        QObject* o = action(QString::fromLatin1(name));
        if (!o)
            o = findChild<QWidget*>(QString::fromLatin1(name));
        if (o)
            o->setProperty("enabled", on && !m_unavailable.contains(o));
    };
    enable("TranslationNotes", a.translationNotes);
    enable("BMaps", a.maps);
    for (const char* n : {"Commentary", "IntegrityCommentary", "cmdCommentary"})
        enable(n, a.commentary);
    for (const char* n : {"Dictionaries", "IntegrityDict", "cmdDictionary"})
        enable(n, a.dictionary);
    for (const char* n : {"Two", "IntegrityNames", "menIntegrateNames", "cmdBibNames"})
        enable(n, a.names);
    if (!a.names)
        action(QStringLiteral("menIntegrateNames"))->setChecked(false);
    setPicture("cmdMP3", a.audioBibles, "v.bmp", "vX.bmp");
    emit stepRun(QStringLiteral("activate"));
}

// ---------------------------------------------------------------------------------------
// Busy state and timer

void MainMenu::menDisable() {
    m_busy = true;
    Command1->setEnabled(false);
    for (QMenu* m : {menFile, Edit, Formatt, menTools})
        m->menuAction()->setEnabled(false);
    cStop->show();
    for (QWidget* w : notepadButtons())
        w->setEnabled(false);
}

void MainMenu::menEnable() {
    m_busy = false;
    Command1->setEnabled(true);
    for (QMenu* m : {menFile, Edit, Formatt, menTools})
        m->menuAction()->setEnabled(true);
    cStop->hide();
    for (QWidget* w : notepadButtons())
        w->setEnabled(!m_unavailable.contains(w));
    // Cut, Copy and Delete follow the selection again.
    UpdateButtons();
}

void MainMenu::Timer1_Timer() {
    QCoreApplication::processEvents();
    Label1->setText(QDateTime::currentDateTime().toString(m_state.DateFormat) + ' ' + DayLabel);
    // The pictures are read once; long loops call this procedure every few lines.
    if (m_frames.isEmpty()) {
        for (int i = 1; i <= 8; ++i) {
            const QString frame = m_state.ProgramFolder + QStringLiteral("b%1.bmp").arg(i);
            m_frames.append(FileFunctions::FileExists(frame)
                                ? QIcon(FileFunctions::resolve(frame))
                                : QIcon());
        }
    }
    if (!m_frames.at(m_frame - 1).isNull())
        Command1->setIcon(m_frames.at(m_frame - 1));
    if (--m_frame < 1) {
        m_frame = 8;
        if (++m_cycles > 10)
            m_cycles = 9;
    }
    if (m_cycles > 8 && m_timer->interval() != 1000)
        m_timer->setInterval(1000);
    CheckClipboard();
}

void MainMenu::CheckClipboard() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const bool usable = data && (data->hasText() || data->hasImage() || data->hasHtml() ||
                                 data->hasFormat(QStringLiteral("text/rtf")) ||
                                 data->hasFormat(QStringLiteral("application/rtf")) ||
                                 data->hasFormat(QStringLiteral("text/richtext")));
    if (QAction* a = action(QStringLiteral("Paste")))
        a->setEnabled(usable);
    if (auto* b = findChild<QToolButton*>(QStringLiteral("cmdPaste")))
        b->setEnabled(usable && !m_busy && !m_unavailable.contains(b));
}

// ---------------------------------------------------------------------------------------
// Shut-down

void MainMenu::closeEvent(QCloseEvent* event) {
    if (m_ending || Form_Unload())
        event->accept();
    else
        event->ignore();
}

bool MainMenu::Form_Unload() {
    if (DocumentChanged && !AskToSave())
        return false;
    emit stepRun(QStringLiteral("unload1"));
    if (m_state.DeleteTempFilesOnExit == 1)
        FileFunctions::deleteFiles(m_state.ScratchFolder, QStringLiteral("*.*"));
    emit stepRun(QStringLiteral("unload2"));
    RT->clear();
    SettingsStore& s = m_state.settings;
    s.write(kSettings, QStringLiteral("DEFAULTFONT"), cboFont->currentText());
    emit stepRun(QStringLiteral("unload4"));
    if (!isMinimized() && !isMaximized()) {
        const double dpi = RichPane::LogicalDpi(RT);
        const QRect g = geometry();
        s.writeNumber(kSettings, QStringLiteral("MainLeft"),
                      std::round(Twips::fromPixels(g.x(), dpi)));
        s.writeNumber(kSettings, QStringLiteral("MainTop"),
                      std::round(Twips::fromPixels(g.y(), dpi)));
        s.writeNumber(kSettings, QStringLiteral("MainWidth"),
                      std::round(Twips::fromPixels(g.width(), dpi)));
        s.writeNumber(kSettings, QStringLiteral("MainHeight"),
                      std::round(Twips::fromPixels(g.height(), dpi)));
    }
    emit stepRun(QStringLiteral("unload5"));
    savePlacements();
    emit stepRun(QStringLiteral("unload6"));
    QuitDiary();
    emit stepRun(QStringLiteral("unload7"));
    s.sync();
    EndProgram();
    return true;
}

void MainMenu::savePlacements() {
    const double dpi = RichPane::LogicalDpi(RT);
    for (const auto& [name, window] : m_readingWindows) {
        if (!window || !window->isVisible() || window->isMinimized() || window->isMaximized())
            continue;
        const QRect g = window->geometry();
        m_state.Placement = WindowPlacement{qint32(std::lround(Twips::fromPixels(g.x(), dpi))),
                                            qint32(std::lround(Twips::fromPixels(g.y(), dpi))),
                                            std::round(Twips::fromPixels(g.width(), dpi)),
                                            std::round(Twips::fromPixels(g.height(), dpi))};
        DataFolders::SaveWindowPlacement(m_state, name);
    }
}

void MainMenu::EndProgram() {
    m_state.EndRequested = true;
    if (m_ending)
        return;
    m_ending = true;
    m_timer->stop();
    if (m_endHandler)
        m_endHandler();
}

void MainMenu::QuitApp_Click() { close(); }

// ---------------------------------------------------------------------------------------
// Menu items of this window

void MainMenu::menDebug_Click() {
    QAction* item = action(QStringLiteral("menDebug"));
    // The action toggles its own check mark before this runs.
    m_state.DebugMode = item->isChecked();
    m_state.dialogs.show(Dialogs::Icon::Information, TolvaneRoutines::ProductName(),
                         Std(m_state, m_state.DebugMode ? 106 : 105));
    m_state.settings.writeBool(kSettings, QStringLiteral("DEBUG"), m_state.DebugMode);
}

void MainMenu::Contents_Click() {
    const HelpViewer::Texts texts{Frm(m_state, 905), Frm(m_state, 906), Frm(m_state, 904),
                                  Std(m_state, 901, QStringLiteral("%1"))};
    HelpViewer viewer(FileFunctions::resolve(m_state.HelpFile), texts, m_opener, this);
    viewer.exec();
}

void MainMenu::About_Click() {
    frmAbout about(m_state, this);
    about.exec();
}

void MainMenu::LicenceAgreement_Click() {
    frmAgreement agreement(m_state, this);
    agreement.exec();
}

void MainMenu::SplashScreen_Click() { ShowSplash(); }

void MainMenu::Advanced_Click() {
    frmLocate locate(m_state, this);
    locate.exec();
    if (m_state.EndRequested)
        EndProgram();
}

void MainMenu::OpenAddress(const QString& address) {
    if (!m_opener.open(address))
        m_state.dialogs.show(Dialogs::Icon::Warning, TolvaneRoutines::ProductName(),
                             Std(m_state, 11) + QStringLiteral("\r\n") + address);
}

bool MainMenu::eventFilter(QObject* watched, QEvent* event) {
    // The box holds the focus and hands keys to its line edit directly, so both are watched.
    if (cboSearch && (watched == cboSearch || watched == cboSearch->lineEdit())) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);

            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                cboSearch_KeyPress();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            cboSearch_LostFocus();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
