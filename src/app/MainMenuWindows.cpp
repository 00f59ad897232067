// The window opener: every window, dialog and web address the main window opens, and the
// rule that says when its menu item and tool button are offered.
//
// Adding a window:
//  1. Build it as a thin class of its subsystem taking narrow services (ProgramState&,
//     UrlOpener&, PrintService& — m_print here — and so on), never the main window; it talks
//     back through signals.
//  2. Give it a handler here, named after its menu item (VerseByVerse_Click). A non-modal
//     reading window goes through openWindow() with a QPointer slot declared beside m_help in
//     MainMenu.h and its placement name from SettingsKeys.h (an empty name: no placement is
//     kept): openWindow creates it on first use, applies and later stores its placement,
//     disables it while the main window is busy, and closes it at shut-down. A modal dialog
//     is simply made on the stack and exec()'d in its handler.
//  3. Put its command in the table of connectWindows(): the action (menu item and tool button
//     share it), the handler, and the availability rule if its modules must be installed.
//     A row without a handler is a command whose window is not built yet: it stays disabled.
//  4. Connect its signals in the handler, right after making it. A window that finds on
//     loading that it has nothing to show (its module is not installed) tells the user and
//     is not opened: make() returns nullptr then.
#include "app/MainMenu.h"

#include "app/locate/frmLocate.h"
#include "app/periphery/frmAbout.h"
#include "app/periphery/frmAgreement.h"
#include "bookmarks/fBookmarkList.h"
#include "diary/FormatDate.h"
#include "diary/IdentityList.h"
#include "diary/PIdentity.h"
#include "diary/PrayerPopup.h"
#include "import/frmImport.h"
#include "integrity/IntegrityPane.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/LanguageE.h"
#include "localisation/MessageText.h"
#include "media/frmCHM.h"
#include "media/frmMP3.h"
#include "parallel/MultiBib.h"
#include "parallel/SetDefaults.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"
#include "platform/HelpViewer.h"
#include "platform/RichPane.h"
#include "platform/Twips.h"
#include "platform/UrlOpener.h"
#include "reference/BibNAMES.h"
#include "reference/Commentaries.h"
#include "reference/Dictionary.h"
#include "reference/Maps.h"
#include "reference/TLNOtes.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTextEdit>
#include <QToolButton>
#include <cmath>

using MessageText::Frm;
using MessageText::Std;

namespace {
using Availability = bool (*)(const ModuleAvailability&);

bool commentaryInstalled(const ModuleAvailability& m) {
    return m.commentary;
}
bool dictionaryInstalled(const ModuleAvailability& m) {
    return m.dictionary;
}
bool namesInstalled(const ModuleAvailability& m) {
    return m.names;
}
bool mapsInstalled(const ModuleAvailability& m) {
    return m.maps;
}
bool notesInstalled(const ModuleAvailability& m) {
    return m.translationNotes;
}
} // namespace

void MainMenu::connectWindows() {
    struct Row {
        QAction* action;
        void (MainMenu::*open)();
        Availability available;
    };
    const MainActions& a = m_actions;
    const Row rows[] = {
        // Reading windows.
        {a.view.multiBible, &MainMenu::VerseByVerse_Click, nullptr},
        {a.view.commentary, &MainMenu::Commentary_Click, commentaryInstalled},
        {a.view.dictionary, &MainMenu::Dictionaries_Click, dictionaryInstalled},
        {a.view.maps, &MainMenu::BMaps_Click, mapsInstalled},
        {a.view.names, &MainMenu::Two_Click, namesInstalled},
        {a.view.integrateNames, &MainMenu::menIntegrateNames_Click, namesInstalled},
        {a.view.openDiary, &MainMenu::OpenPrayerDiary_Click, nullptr},
        {a.view.switchIdentity, &MainMenu::SwitchIdent_Click, nullptr},
        {a.view.translationNotes, &MainMenu::TranslationNotes_Click, notesInstalled},
        // Offered always: activation shows by their pictures whether anything is installed,
        // and the help-file button offers the download page when nothing is.
        {a.media.helpFileBibles, &MainMenu::cmdCHM_Click, nullptr},
        {a.media.audioBibles, &MainMenu::cmdMP3_Click, nullptr},
        {a.help.contents, &MainMenu::Contents_Click, nullptr},
        // Dialogs.
        {a.format.date, &MainMenu::DateFormat_Click, nullptr},
        {a.format.bookmark, &MainMenu::mBookmark_Click, nullptr},
        {a.tools.language, &MainMenu::mLanguage_Click, nullptr},
        {a.tools.options, &MainMenu::BibDefaults_Click, nullptr},
        {a.tools.folderTool, &MainMenu::Advanced_Click, nullptr},
        {a.tools.integrityBibles, &MainMenu::IntegrityBib_Click, nullptr},
        {a.tools.integrityCommentaries, &MainMenu::IntegrityCommentary_Click, commentaryInstalled},
        {a.tools.integrityDictionaries, &MainMenu::IntegrityDict_Click, dictionaryInstalled},
        {a.tools.integrityNames, &MainMenu::IntegrityNames_Click, namesInstalled},
        {a.tools.integrityAll, &MainMenu::IntegrityAll_Click, nullptr},
        {a.tools.importModule, &MainMenu::ImportModule_Click, nullptr},
        {a.help.licence, &MainMenu::LicenceAgreement_Click, nullptr},
        {a.help.about, &MainMenu::About_Click, nullptr},
        {a.help.splash, &MainMenu::SplashScreen_Click, nullptr},
    };
    for (const Row& r : rows) {
        if (r.open)
            checkedConnect(r.action, &QAction::triggered, this, r.open);
        const bool built = r.open != nullptr;
        const Availability available = r.available;
        setRule(r.action, [this, built, available] {
            return built && (!available || available(m_available));
        });
    }

    // While the diary is loaded, identities change only through its own identity window.
    setRule(a.view.switchIdentity, [this] { return !m_state.DiaryOpen; });

    // The web items go to our web site or write us a mail.
    for (QAction* item : {a.web.forum, a.web.website, a.web.subscribeWeb, a.web.unsubscribeWeb,
                          a.web.sendWeb, a.web.bugReport})
        checkedConnect(item, &QAction::triggered, this,
                       [this] { OpenAddress(TolvaneRoutines::WebAddress()); });
    for (QAction* item : {a.web.subscribeEmail, a.web.unsubscribeEmail, a.web.sendEmail})
        checkedConnect(item, &QAction::triggered, this, [this] {
            OpenAddress(QStringLiteral("mailto:") + TolvaneRoutines::EmailAddress());
        });
}

// ---------------------------------------------------------------------------------------
// The opener

template <typename W, typename Make>
W* MainMenu::openWindow(QPointer<W>& slot, QLatin1String placementName, Make make) {
    if (!slot) {
        W* window = make();
        if (!window)
            return nullptr;
        window->setWindowFlag(Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        slot = window;
        registerReadingWindow(placementName, window);
        applyPlacement(window, placementName);
        // Its placement is stored when it closes, too (eventFilter).
        window->installEventFilter(this);
    }
    slot->setEnabled(!m_busy);
    slot->showNormal();
    slot->raise();
    slot->activateWindow();
    return slot;
}

void MainMenu::applyPlacement(QWidget* window, QLatin1String placementName) {
    if (placementName.isEmpty())
        return;
    const double dpi = RichPane::LogicalDpi(RT);
    const QSize screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableSize()
                             : QSize(1024, 768);
    DataFolders::LoadWindowPlacement(
        m_state, placementName,
        QSizeF(Twips::fromPixels(screen.width(), dpi), Twips::fromPixels(screen.height(), dpi)));
    const WindowPlacement& p = m_state.Placement;
    window->resize(Twips::toPixelsRounded(p.width, dpi), Twips::toPixelsRounded(p.height, dpi));
    window->move(Twips::toPixelsRounded(p.left, dpi), Twips::toPixelsRounded(p.top, dpi));
}

void MainMenu::registerReadingWindow(QLatin1String placementName, QWidget* window) {
    m_readingWindows.erase(std::remove_if(m_readingWindows.begin(), m_readingWindows.end(),
                                          [](const ReadingWindow& r) { return !r.window; }),
                           m_readingWindows.end());
    m_readingWindows.append(ReadingWindow{placementName, QPointer<QWidget>(window)});
}

void MainMenu::enableReadingWindows(bool enabled) {
    for (const ReadingWindow& r : qAsConst(m_readingWindows))
        if (r.window)
            r.window->setEnabled(enabled);
}

void MainMenu::closeReadingWindows() {
    // Closing one may end another (a window that owns a dialog), so work on a copy.
    const QList<ReadingWindow> windows = m_readingWindows;
    for (const ReadingWindow& r : windows)
        if (r.window)
            r.window->close();
}

void MainMenu::savePlacements() {
    for (const ReadingWindow& r : qAsConst(m_readingWindows))
        savePlacement(r.placementName, r.window);
}

void MainMenu::savePlacement(const QLatin1String& placementName, const QWidget* window) {
    if (placementName.isEmpty() || !window || !window->isVisible() || window->isMinimized() ||
        window->isMaximized())
        return;
    const double dpi = RichPane::LogicalDpi(RT);
    // Frame position and inside size, as applyPlacement() sets them again.
    m_state.Placement = WindowPlacement{qint32(std::lround(Twips::fromPixels(window->x(), dpi))),
                                        qint32(std::lround(Twips::fromPixels(window->y(), dpi))),
                                        std::round(Twips::fromPixels(window->width(), dpi)),
                                        std::round(Twips::fromPixels(window->height(), dpi))};
    DataFolders::SaveWindowPlacement(m_state, placementName);
}

// ---------------------------------------------------------------------------------------
// Handlers

void MainMenu::Contents_Click() {
    openWindow(m_help, QLatin1String(), [this] {
        const HelpViewer::Texts texts{Frm(m_state, 905), Frm(m_state, 906), Frm(m_state, 904),
                                      Std(m_state, 901, QStringLiteral("%1"))};
        return new HelpViewer(FileFunctions::resolve(m_state.HelpFile), texts, m_opener, this);
    });
}

void MainMenu::cmdCHM_Click() {
    if (cmdCHM->property("Tag").toString() == QLatin1String("OK")) {
        frmCHM selector(m_state, m_opener, this);
        selector.Form_Load();
        selector.exec();
        return;
    }
    if (m_state.dialogs.show(Dialogs::Icon::Question, TolvaneRoutines::ProductName(),
                             Std(m_state, 41), Dialogs::Buttons::YesNo,
                             Dialogs::Answer::Yes) == Dialogs::Answer::Yes)
        OpenAddress(TolvaneRoutines::WebAddress());
}

void MainMenu::cmdMP3_Click() {
    openWindow(m_audio, QLatin1String(), [this] {
        auto* window = new frmMP3(m_state, m_opener, this);
        checkedConnect(window, &frmMP3::helpRequested, this, &MainMenu::Contents_Click);
        window->Form_Load();
        return window;
    });
}

// The diary is made hidden (its load step runs), then asks the identity's password and shows
// itself; so it cannot go through openWindow, which shows a window at once. It keeps its own
// placement ("ScreenPrayer") as it loads and unloads; shut-down stores it as well.
void MainMenu::OpenPrayerDiary_Click() {
    if (!m_diary) {
        m_diary = new PrayerPopup(m_state, *m_print, this);
        m_diary->setWindowFlag(Qt::Window);
        registerReadingWindow(SettingsKeys::ScreenPrayer, m_diary);
        checkedConnect(m_diary.data(), &PrayerPopup::diaryLoadedChanged, this,
                       [this] { updateCommand(m_actions.view.switchIdentity); });
        checkedConnect(m_diary.data(), &PrayerPopup::switchIdentityCaption,
                       m_actions.view.switchIdentity, &QAction::setText);
        checkedConnect(m_diary.data(), &PrayerPopup::helpRequested, this,
                       &MainMenu::Contents_Click);
        updateCommand(m_actions.view.switchIdentity);
    }
    m_diary->setEnabled(!m_busy);
    m_diary->OpenPrayerDiary();
}

void MainMenu::SwitchIdent_Click() {
    PIdentity identities(m_state, true, this);
    checkedConnect(&identities, &PIdentity::switchIdentityCaption, m_actions.view.switchIdentity,
                   &QAction::setText);
    checkedConnect(&identities, &PIdentity::helpRequested, this, &MainMenu::Contents_Click);
    identities.exec();
    IdentityList::FindIdentityIndex(m_state);
}

void MainMenu::DateFormat_Click() {
    FormatDate window(m_state, this);
    window.exec();
    if (m_diary)
        m_diary->applyDateFormat();
    // The clock line shows the new format at once.
    Label1->setText(QDateTime::currentDateTime().toString(m_state.DateFormat) + ' ' + DayLabel);
}

bool MainMenu::QuitDiary() {
    if (!m_diary)
        return true;
    if (!m_diary->setCheckQuit(true))
        return false;
    m_diary->SavePrayerFontSettings();
    return true;
}

// The reference windows. Each loads itself; one whose module is missing has told the user
// so and is not opened.
void MainMenu::Commentary_Click() {
    openWindow(m_commentaries, SettingsKeys::ScreenCommentary, [this]() -> Commentaries* {
        auto window = std::make_unique<Commentaries>(m_state, this);
        return window->Form_Load() ? window.release() : nullptr;
    });
}

void MainMenu::Dictionaries_Click() {
    openWindow(m_dictionary, SettingsKeys::ScreenDictionary, [this]() -> Dictionary* {
        auto window = std::make_unique<Dictionary>(m_state, this);
        return window->Form_Load() ? window.release() : nullptr;
    });
}

void MainMenu::Two_Click() {
    openWindow(m_names, SettingsKeys::ScreenNames, [this]() -> BibNAMES* {
        auto window = std::make_unique<BibNAMES>(m_state, this);
        return window->Form_Load() ? window.release() : nullptr;
    });
}

void MainMenu::BMaps_Click() {
    openWindow(m_maps, SettingsKeys::ScreenMap, [this] {
        auto* window = new Maps(m_state, this);
        window->Form_Load();
        return window;
    });
}

void MainMenu::TranslationNotes_Click() {
    openWindow(m_notes, SettingsKeys::ScreenNotes, [this] {
        auto* window = new TLNOtes(m_state, *m_print, this);
        window->Form_Load();
        return window;
    });
}

// The item ticks itself before this runs.
void MainMenu::menIntegrateNames_Click() {
    m_integrateNames.Toggled(m_actions.view.integrateNames->isChecked());
}

void MainMenu::About_Click() {
    frmAbout about(m_state, this);
    about.exec();
}

void MainMenu::LicenceAgreement_Click() {
    frmAgreement agreement(m_state, this);
    agreement.exec();
}

void MainMenu::SplashScreen_Click() {
    ShowSplash();
}

void MainMenu::Advanced_Click() {
    frmLocate locate(m_state, this);
    locate.exec();
    if (m_state.EndRequested)
        EndProgram();
}

// The bookmark list lives from start-up (LoadBookmarks) to the end and is only hidden: its
// rows are the master copy. Go To replaces the pane as opening a file does.
void MainMenu::mBookmark_Click() {
    if (!m_bookmarks)
        LoadBookmarks();
    const PaneFill fill(m_fillingPane);
    m_bookmarks->exec();
}

void MainMenu::bookmarkLoaded(const QString& path) {
    DocumentChanged = false;
    setWindowTitle(path + QStringLiteral(" - ") + TolvaneRoutines::ProductName());
    RT->moveCursor(QTextCursor::Start);
}

void MainMenu::mLanguage_Click() {
    LanguageE editor(m_state, this);
    checkedConnect(&editor, &LanguageE::bookListChanged, this, &MainMenu::fillBookList);
    checkedConnect(&editor, &LanguageE::helpRequested, this, &MainMenu::Contents_Click);
    // The program ends as if the user closed it, once the editor is gone: unsaved notepad
    // text is asked about, and the user may still cancel.
    checkedConnect(&editor, &LanguageE::endProgramRequested, this, &MainMenu::close,
                   Qt::QueuedConnection);
    editor.exec();
}

// The integrity check writes its report into the pane; that is not an edit of the user's.
void MainMenu::runIntegrityCheck(std::optional<IntegrityCheck::Kind> kind) {
    const PaneFill fill(m_fillingPane);
    IntegrityPane pane(m_state, RT);
    if (kind)
        pane.RunKind(*kind);
    else
        pane.RunAll();
}

void MainMenu::IntegrityBib_Click() {
    runIntegrityCheck(IntegrityCheck::Kind::Bibles);
}

void MainMenu::IntegrityCommentary_Click() {
    runIntegrityCheck(IntegrityCheck::Kind::Commentaries);
}

void MainMenu::IntegrityDict_Click() {
    runIntegrityCheck(IntegrityCheck::Kind::Dictionary);
}

void MainMenu::IntegrityNames_Click() {
    runIntegrityCheck(IntegrityCheck::Kind::Names);
}

void MainMenu::IntegrityAll_Click() {
    runIntegrityCheck(std::nullopt);
}

void MainMenu::VerseByVerse_Click() {
    openWindow(m_multiBible, SettingsKeys::ScreenMultiBible,
               [this] { return new MultiBib(m_state, this); });
}

// After the translation catalogue was reloaded (a precedence change, an imported module):
// every list of modules follows it there and then.
void MainMenu::catalogueReloaded() {
    refillTranslationList();
    if (m_multiBible)
        m_multiBible->catalogueReloaded();
}

void MainMenu::BibDefaults_Click() {
    SetDefaults options(m_state, this);
    checkedConnect(&options, &SetDefaults::catalogueReloaded, this, &MainMenu::catalogueReloaded);
    checkedConnect(&options, &SetDefaults::optionsSaved, this,
                   [this] { chkActiveUpd->setChecked(m_state.ActiveUpdateBib1 == 1); });
    options.exec();
}

void MainMenu::ImportModule_Click() {
    frmImport window(m_state, this);
    checkedConnect(&window, &frmImport::catalogueReloaded, this, &MainMenu::catalogueReloaded);
    window.exec();
}

void MainMenu::menDebug_Click() {
    // The action toggles its own check mark before this runs.
    m_state.DebugMode = m_actions.tools.debug->isChecked();
    m_state.dialogs.show(Dialogs::Icon::Information, TolvaneRoutines::ProductName(),
                         Std(m_state, m_state.DebugMode ? 106 : 105));
    m_state.settings.writeBool(SettingsKeys::Settings, SettingsKeys::Debug, m_state.DebugMode);
}

void MainMenu::OpenAddress(const QString& address) {
    if (!m_opener.open(address))
        m_state.dialogs.show(Dialogs::Icon::Warning, TolvaneRoutines::ProductName(),
                             Std(m_state, 11) + QStringLiteral("\r\n") + address);
}
