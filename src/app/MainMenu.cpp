#include "app/MainMenu.h"

#include "app/locate/NoBibles.h"
#include "app/notepad/PaneEvents.h"
#include "app/periphery/frmSplash.h"
#include "bookmarks/fBookmarkList.h"
#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/GlobalSTRINGFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"
#include "platform/FontSubstitutes.h"
#include "platform/RichPane.h"
#include "platform/Twips.h"
#include "printing/PageValues.h"
#include "printing/PrintService.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <cmath>

using MessageText::Frm;
using namespace SettingsKeys;

namespace {
// Stored geometry beyond this many twips (some 700 inches) is not a window's: the default
// is used, as for a value that is not a number.
constexpr double kLargestTwips = 1e6;
// Standard message: the settings file cannot be written.
constexpr int kSettingsNotWritable = 420;

double readTwips(const SettingsStore& s, QLatin1String key, double def) {
    const double v = s.readNumber(Settings, key, def);
    return std::fabs(v) <= kLargestTwips ? v : def;
}
} // namespace

MainMenu::MainMenu(ProgramState& state, UrlOpener& opener, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_opener(opener) {
    setObjectName(QStringLiteral("MainMenu"));
    FontSubstitutes::install();
    SearchTerms = QStringList(31, QStringLiteral(" "));
    m_print = new PrintService(m_state, this);
    m_lastFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (m_lastFolder.isEmpty() || !QFileInfo(m_lastFolder).isDir())
        m_lastFolder = QDir::homePath();
    buildControls();
    buildActions();
    buildToolBars();
    buildMenus();
    connectControls();
    connectNotepad();
    connectPrinting();
    connectWindows();
    updateCommands();
}

MainMenu::~MainMenu() {
    // The reading windows and the pane (with its event helper) go first, while this is still
    // a whole MainMenu, rather than in the base class's clean-up, where their signals would
    // reach members already destroyed.
    m_timer->stop();
    m_bookmarks.reset();
    closeReadingWindows();
    delete RT;
    RT = nullptr;
}

void MainMenu::connectControls() {
    checkedConnect(m_timer, &QTimer::timeout, this, &MainMenu::Timer1_Timer);
    checkedConnect(cStop, &QPushButton::clicked, this, &MainMenu::cStop_Click);
    checkedConnect(Command1, &QPushButton::clicked, this, &MainMenu::Command1_Click);
    checkedConnect(Command2, &QPushButton::clicked, this, &MainMenu::Command2_Click);
    checkedConnect(cboBooks, QOverload<int>::of(&QComboBox::activated), this,
                   &MainMenu::cboBooks_Click);
    checkedConnect(cboTranslation, QOverload<int>::of(&QComboBox::activated), this,
                   &MainMenu::cboTranslation_Click);
    // Enter mostly arrives through eventFilter(); with the completion list open it reaches
    // the box's line edit directly.
    checkedConnect(cboSearch->lineEdit(), &QLineEdit::returnPressed, this,
                   &MainMenu::cboSearch_KeyPress);
}

// ---------------------------------------------------------------------------------------
// Start-up

void MainMenu::Form_Load() {
    SettingsStore& s = m_state.settings;
    m_state.MessageFolder = FileFunctions::resolve(
        FileFunctions::withSeparator(m_state.programDir) + QStringLiteral("msg/"));
    emit stepRun(QStringLiteral("1"));
    m_state.LanguagePrefix = s.read(Settings, Language, LanguageUnset);
    if (m_state.LanguagePrefix == LanguageUnset) {
        m_state.LanguagePrefix = LanguageDefault;
        s.write(Settings, Language, m_state.LanguagePrefix);
    }
    emit stepRun(QStringLiteral("2"));
    m_state.DebugMode = s.readBool(Settings, Debug, false);
    m_actions.tools.debug->setChecked(m_state.DebugMode);
    cStop->hide();
    m_state.DefaultIdentity = s.read(IdentitySection, DefaultIdentity, DefaultIdentityDefault);
    m_actions.view.switchIdentity->setText(Frm(m_state, 18, m_state.DefaultIdentity));
    m_state.HelpFile =
        FileFunctions::withSeparator(m_state.programDir) + QStringLiteral("help/index.html");
    emit stepRun(QStringLiteral("6"));
    applyPlacementFromSettings();
    emit stepRun(QStringLiteral("7"));
    show();
    emit stepRun(QStringLiteral("8"));

    m_state.DateFormat = s.read(Settings, DateFormat, DateFormatUnset);
    if (m_state.DateFormat == DateFormatUnset)
        m_state.DateFormat = DateFormatDefault;
    m_state.ShowSplash = qint16(s.readInt(Settings, SettingsKeys::ShowSplash));
    m_state.FavVersesFile = m_state.LanguagePrefix + QStringLiteral("FavVerses.txt");
    emit stepRun(QStringLiteral("9"));
    DataFolders::MakeFoldersIfRequired(m_state);
    // Said once, now: otherwise the history, options and window places would be lost at the
    // end without a word.
    if (!s.isWritable())
        m_state.dialogs.show(Dialogs::Icon::Warning, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, kSettingsNotWritable,
                                              QDir::toNativeSeparators(s.path())));
    emit stepRun(QStringLiteral("10"));
    m_undoOffered = false;
    updateSelectionCommands();
    updateCommand(m_actions.edit.undo);
    m_actions.format.bullet->setChecked(false);
    CheckClipboard();
    emit stepRun(QStringLiteral("11"));
    m_state.DEFAULTFONT = s.read(Settings, DefaultFont, DefaultFontDefault);
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
    // Typing starts in the stored face and size, so the face list shows what is stored.
    RT->document()->setDefaultFont(QFont(m_state.DEFAULTFONT, m_state.Bib1Fontsize));
    const MainActions& a = m_actions;
    for (QAction* c : {a.format.bold, a.format.italic, a.format.underline, a.format.left,
                       a.format.centre, a.format.right})
        c->setChecked(false);
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
    const double w = readTwips(s, MainWidth, MainWidthDefault);
    const double h = readTwips(s, MainHeight, MainHeightDefault);
    const double l = readTwips(s, MainLeft, MainLeftDefault);
    const double t = readTwips(s, MainTop, MainTopDefault);
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

void MainMenu::refillTranslationList() {
    const int previous = int(m_state.BibleFiles.indexOf(CurrentBibleFile));
    cboTranslation->clear();
    if (m_state.BibleFiles.value(0).isEmpty())
        return;
    cboTranslation->addItems(m_state.BibleNames);
    cboTranslation->setCurrentIndex(qMax(0, previous));
    cboTranslation_Click();
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
    splash.showUntilClosed();
}

void MainMenu::ShowNoBibles() {
    NoBibles window(m_state, m_opener, this);
    checkedConnect(&window, &NoBibles::helpRequested, this, &MainMenu::Contents_Click);
    window.exec();
    // The window ends the program whenever it closes.
    EndProgram();
}

void MainMenu::restoreChoices() {
    // A stored position outside the lists is skipped.
    const SettingsStore& s = m_state.settings;
    const qint64 book = s.readInt(Settings, CBOBookmark);
    if (book >= 0 && book < cboBooks->count()) {
        cboBooks->setCurrentIndex(int(book));
        cboBooks_Click();
    }
    const qint64 bible = s.readInt(Settings, WhichBib);
    if (bible >= 0 && bible < cboTranslation->count()) {
        cboTranslation->setCurrentIndex(int(bible));
        cboTranslation_Click();
    }
}

// ---------------------------------------------------------------------------------------
// Activation

void MainMenu::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_loaded)
        Form_Activate();
}

void MainMenu::Form_Activate() {
    m_available = ModuleAvailability::probe(m_state);
    const QString folder = m_state.ProgramFolder;
    auto setPicture = [&](QAction* action, QToolButton* button, bool ok, const char* yes,
                          const char* no) {
        const QString picture = folder + QString::fromLatin1(ok ? yes : no);
        if (FileFunctions::FileExists(picture))
            action->setIcon(QIcon(FileFunctions::resolve(picture)));
        button->setProperty("Tag", ok ? QStringLiteral("OK") : QString());
    };
    setPicture(m_actions.media.helpFileBibles, cmdCHM, m_available.helpFileBibles, "c.gif",
               "cX.gif");
    if (!m_available.names)
        m_actions.view.integrateNames->setChecked(false);
    setPicture(m_actions.media.audioBibles, cmdMP3, m_available.audioBibles, "v.bmp", "vX.bmp");
    // The menu items and buttons of the windows follow their rules (MainMenuWindows.cpp).
    updateCommands();
    emit stepRun(QStringLiteral("activate"));
}

// ---------------------------------------------------------------------------------------
// Shut-down

void MainMenu::closeEvent(QCloseEvent* event) {
    if (m_ending) {
        event->accept();
        return;
    }
    if (m_busy) {
        // A search or highlighting is running inside this very event: stop it and close
        // once it has unwound, so that nothing runs on into a window being taken down.
        StopRequested = true;
        m_closeWhenIdle = true;
        event->ignore();
        return;
    }
    if (Form_Unload())
        event->accept();
    else
        event->ignore();
}

void MainMenu::closeWhenIdle() {
    if (!m_closeWhenIdle || m_busy)
        return;
    m_closeWhenIdle = false;
    QTimer::singleShot(0, this, [this] { close(); });
}

bool MainMenu::Form_Unload() {
    if (DocumentChanged && !AskToSave())
        return false;
    // The diary's changed entry is saved before anything else ends, so that a save that
    // fails can still keep the program open.
    if (!QuitDiary())
        return false;
    emit stepRun(QStringLiteral("unload1"));
    if (m_state.DeleteTempFilesOnExit == 1)
        FileFunctions::deleteFiles(m_state.ScratchFolder, QStringLiteral("*.*"));
    emit stepRun(QStringLiteral("unload2"));
    RT->clear();
    SettingsStore& s = m_state.settings;
    // The face the user chose last (cboFont_Click); the list may show the face of the text
    // the caret stands on, which is not a choice.
    s.write(Settings, DefaultFont, m_state.DEFAULTFONT);
    emit stepRun(QStringLiteral("unload4"));
    if (!isMinimized() && !isMaximized()) {
        // The position of the frame (what move() sets at the next start) and the size of
        // the inside (what resize() sets), so the window comes back exactly where it was.
        const double dpi = RichPane::LogicalDpi(RT);
        s.writeNumber(Settings, MainLeft, std::round(Twips::fromPixels(x(), dpi)));
        s.writeNumber(Settings, MainTop, std::round(Twips::fromPixels(y(), dpi)));
        s.writeNumber(Settings, MainWidth, std::round(Twips::fromPixels(width(), dpi)));
        s.writeNumber(Settings, MainHeight, std::round(Twips::fromPixels(height(), dpi)));
    }
    emit stepRun(QStringLiteral("unload5"));
    savePlacements();
    emit stepRun(QStringLiteral("unload6"));
    closeReadingWindows();
    emit stepRun(QStringLiteral("unload7"));
    s.sync();
    EndProgram();
    return true;
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

void MainMenu::QuitApp_Click() {
    close();
}

// ---------------------------------------------------------------------------------------
// The search box: Enter searches, leaving it keeps the text in the history.

bool MainMenu::eventFilter(QObject* watched, QEvent* event) {
    // A reading window keeps its placement when the user closes it (Form_Unload).
    if (event->type() == QEvent::Close)
        for (const ReadingWindow& r : qAsConst(m_readingWindows))
            if (r.window == watched)
                savePlacement(r.placementName, r.window);
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

void MainMenu::LoadBookmarks() {
    if (!m_bookmarks) {
        m_bookmarks = std::make_unique<fBookmarkList>(m_state, RT);
        checkedConnect(m_bookmarks.get(), &fBookmarkList::snapshotLoaded, this,
                       &MainMenu::bookmarkLoaded);
        checkedConnect(m_bookmarks.get(), &fBookmarkList::helpRequested, this,
                       &MainMenu::Contents_Click);
    }
    m_bookmarks->LoadBookmarks();
}
