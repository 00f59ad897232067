#include "diary/PrayerPopup.h"

#include "app/notepad/NotepadFormat.h"
#include "app/notepad/RichClipboard.h"
#include "diary/AskForPassword.h"
#include "diary/DiaryDate.h"
#include "diary/DiarySearch.h"
#include "diary/EncryptDecrypt.h"
#include "diary/EntryDocument.h"
#include "diary/FormatDate.h"
#include "diary/IdentityList.h"
#include "diary/PIdentity.h"
#include "diary/Password.h"
#include "diary/PrayerList.h"
#include "diary/SearchPopup.h"
#include "library/DataFolders.h"
#include "library/GlobalSTRINGFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"
#include "platform/Twips.h"
#include "platform/WinColour.h"
#include "printing/PageLayout.h"
#include "printing/PrintMargins.h"
#include "printing/PrintService.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>

namespace {
const QString kSettings = SettingsKeys::Settings;
const QString kNewHeading = QStringLiteral("New Prayer");
const QString kNewAnswer = QStringLiteral("New");
constexpr double kIndentStepTwips = 300;
// Messages of the diary.
constexpr int kMsgSaveFailed = 472;
constexpr int kMsgLabelRefused = 473;
constexpr int kMsgDeleteFailed = 478;
constexpr int kMsgOldFilesLeft = 479;

QString product() {
    return TolvaneRoutines::ProductName();
}
} // namespace

PrayerPopup::PrayerPopup(ProgramState& state, PrintService& print, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_print(print), m_folder(QString()) {
    setObjectName(QStringLiteral("PrayerPopup"));
    setAttribute(Qt::WA_DeleteOnClose);
    for (int k = 1; k <= EntryExtras::kPictures; ++k)
        m_pictures.append(QPixmap(PicturePath(state, k)));
    buildControls();
    Form_Load();
}

PrayerPopup::~PrayerPopup() {
    if (!m_unloaded) {
        m_state.DiaryOpen = false;
        emit diaryLoadedChanged(false);
    }
}

QString PrayerPopup::PicturePath(const ProgramState& state, int picture) {
    return state.ProgramFolder +
           QStringLiteral("diary/%1.bmp").arg(picture, 2, 10, QLatin1Char('0'));
}

// ---------------------------------------------------------------------------------------
// Load, activation and unload.

void PrayerPopup::Form_Load() {
    International();
    m_state.DiaryOpen = true;
    emit diaryLoadedChanged(true);
    if (IdentityList::PrepareDefault(m_state))
        Upgrade();
    applyDateFormat();
    loadIdentity();
    applyNewTextFont();

    cboFont->clear();
    cboFont->addItems(QFontDatabase::families());
    cboFontSize->clear();
    for (int size = 4; size <= 72; size += 2)
        cboFontSize->addItem(QString::number(size));
    cboFontSize->setEditText(QString::number(RT->currentFont().pointSize()));

    const QDate today = QDate::currentDate();
    setDateQuietly(today);
    setStatus(2, GlobalSTRINGFunctions::DayText(today) + QLatin1Char(' ') +
                     DiaryDate::Format(today, m_state.DateFormat));
    fillLists();
    for (const char* key : {"Cut", "Copy", "Delete"})
        tool(QString::fromLatin1(key))->setEnabled(false);
    updatePasteButton();
    checkedConnect(QApplication::clipboard(), &QClipboard::dataChanged, this,
                   &PrayerPopup::updatePasteButton);

    DataFolders::LoadWindowPlacement(
        m_state, QStringLiteral("ScreenPrayer"),
        QSizeF(Twips::fromPixels(screen()->size().width(), logicalDpiX()),
               Twips::fromPixels(screen()->size().height(), logicalDpiY())));
    const WindowPlacement& p = m_state.Placement;
    resize(Twips::toPixelsRounded(p.width, logicalDpiX()),
           Twips::toPixelsRounded(p.height, logicalDpiY()));
    move(Twips::toPixelsRounded(p.left, logicalDpiX()),
         Twips::toPixelsRounded(p.top, logicalDpiY()));
}

// The identity the window works for: the default one, its folder and the folders of every
// listed identity.
void PrayerPopup::loadIdentity() {
    m_state.DefaultIdentity =
        m_state.settings.read(SettingsKeys::IdentitySection, SettingsKeys::DefaultIdentity,
                              SettingsKeys::DefaultIdentityDefault);
    m_state.CurrentIdentity = m_state.DefaultIdentity;
    IdentityList::FindIdentityIndex(m_state);
    m_state.IdentityFolder = m_state.CurrentIdentity + QLatin1Char('/');
    IdentityList::LoadIdentityList(m_state);
    for (const QString& name : std::as_const(m_state.IdentityNames))
        if (IdentityList::UsableName(name))
            DiaryFolder::MakeOwnerOnlyFolder(m_state.PrayersPath + name);
    // A name that could lead out of the Prayers folder gets no folder of its own.
    m_folder = DiaryFolder(IdentityList::UsableName(m_state.CurrentIdentity)
                               ? m_state.PrayersPath + m_state.IdentityFolder
                               : QString());
    Dirty = false;
    setWindowTitle(MessageText::Std(m_state, 74, m_state.CurrentIdentity));
}

void PrayerPopup::fillLists() {
    PrayerList headings = PrayerList::Headings(m_state.settings);
    PrayerList answers = PrayerList::Answers(m_state.settings);
    m_headings = headings.Load();
    m_answers = answers.Load();
    cboPrayerT->clear();
    cboPrayerT->addItems(m_headings);
    cboPrayerT->setEditText(headings.First());
    CboResult->clear();
    CboResult->addItems(m_answers);
    CboResult->setEditText(answers.First());
}

void PrayerPopup::International() {
    const struct {
        QAction* item;
        int text;
    } items[] = {{mSave, 141},       {mPrint, 142},     {mSwitchIdentity, 143},
                 {mFind, 145},       {mFindAgain, 146}, {mPowerS, 147},
                 {mDateFormat, 149}, {mPassword, 150},  {mHelpContents, 152}};
    for (const auto& i : items)
        i.item->setText(MessageText::Frm(m_state, i.text));
    mfile->setTitle(MessageText::Frm(m_state, 140));
    Search->setTitle(MessageText::Frm(m_state, 144));
    Tools->setTitle(MessageText::Frm(m_state, 148));
    Help->setTitle(MessageText::Frm(m_state, 151));
    CmdClear->setText(MessageText::Frm(m_state, 153));
    CmdSave->setText(MessageText::Frm(m_state, 154));
    cndDelete->setText(MessageText::Frm(m_state, 155));
    cmdSaveExit->setText(MessageText::Frm(m_state, 156));
    tbIcons->setToolTip(MessageText::Frm(m_state, 157));
    statusBar()->setToolTip(MessageText::Frm(m_state, 158));
}

void PrayerPopup::Upgrade() {
    const QStringList left = DiaryFolder::MoveOldLayout(m_state.PrayersPath);
    IdentityList::WriteFirstIdentity(m_state);
    if (!left.isEmpty())
        m_state.dialogs.show(
            Dialogs::Icon::Warning, product(),
            MessageText::Std(m_state, kMsgOldFilesLeft, left.join(QStringLiteral(", "))));
}

void PrayerPopup::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    Form_Activate();
}

void PrayerPopup::Form_Activate() {
    if (m_activated)
        return;
    m_activated = true;
    repaint();
    DT1_Change();
}

bool PrayerPopup::Form_Unload(bool cancel) {
    if (m_unloaded)
        return true;
    // Closing with unsaved edits saves them; a failed save or a cancelled overwrite question
    // keeps the window open (at program exit only a failure does).
    if (Dirty) {
        const SaveOutcome saved = SaveFile(1);
        if (saved == SaveOutcome::Failed || (saved == SaveOutcome::Cancelled && !m_quitting))
            return false;
    }
    m_folder.RemoveLeftovers();
    if (cancel && !m_quitting)
        return false; // "Save && E&xit" whose overwrite question was cancelled
    if (!cancel) {
        SavePrayerFontSettings();
        if (isVisible() && !isMinimized() && !isMaximized()) {
            const QRect g = geometry();
            m_state.Placement = WindowPlacement{qint32(Twips::fromPixels(g.x(), logicalDpiX())),
                                                qint32(Twips::fromPixels(g.y(), logicalDpiY())),
                                                Twips::fromPixels(g.width(), logicalDpiX()),
                                                Twips::fromPixels(g.height(), logicalDpiY())};
            DataFolders::SaveWindowPlacement(m_state, QStringLiteral("ScreenPrayer"));
        }
    }
    m_unloaded = true;
    m_state.DiaryOpen = false;
    if (m_search)
        m_search->close();
    emit diaryLoadedChanged(false);
    emit switchIdentityCaption(MessageText::Frm(m_state, 4, m_state.DefaultIdentity));
    if (!m_quitting)
        close();
    return true;
}

void PrayerPopup::SavePrayerFontSettings() {
    DataFolders::SavePrayerFontSettings(m_state, isVisible(), int(RT->currentFont().pointSize()),
                                        WinColour::fromQColor(RT->textColor()),
                                        RT->currentFont().family());
}

bool PrayerPopup::setCheckQuit(bool quitting) {
    if (!quitting || m_unloaded)
        return true;
    m_quitting = true;
    const bool unloaded = Form_Unload(true);
    m_quitting = unloaded;
    return unloaded;
}

void PrayerPopup::closeEvent(QCloseEvent* event) {
    if (m_unloaded || Form_Unload(false)) {
        event->accept();
        return;
    }
    event->ignore();
}

bool PrayerPopup::OpenPrayerDiary() {
    if (isVisible()) {
        showNormal();
        raise();
        activateWindow();
        return true;
    }
    const std::optional<QString> password = EncryptDecrypt::DecipherPassword(m_state);
    if (!password || !AskForPassword(m_state, *password)) {
        // Not left loaded and hidden: that would keep "&Switch Identity" disabled.
        Form_Unload(false);
        return false;
    }
    showNormal();
    raise();
    activateWindow();
    return true;
}

void PrayerPopup::ReloadForDefaultIdentity() {
    clearPictures();
    loadIdentity();
    applyDateFormat();
    fillLists();
    setDateQuietly(QDate::currentDate());
    Dirty = false;
    DT1_Change();
}

// ---------------------------------------------------------------------------------------
// Entries: date change, load, save, delete.

// Asks whether the changed entry is to be saved and saves it on Yes; false when the user
// answered No.
bool PrayerPopup::saveChangedEntryIfWanted() {
    if (m_state.dialogs.show(Dialogs::Icon::Question, QStringLiteral("File changed ") + product(),
                             MessageText::Std(m_state, 78, CurrentFile), Dialogs::Buttons::YesNo,
                             Dialogs::Answer::Yes) != Dialogs::Answer::Yes)
        return false;
    SaveFile(0);
    return true;
}

void PrayerPopup::DT1_Change() {
    if (Dirty && !saveChangedEntryIfWanted())
        Dirty = false;
    lblType->clear();
    lblResults->clear();
    CurrentFile = DiaryDate::EntryName(DT1->date());
    loadEntry();
    Dirty = false;
    DT1->setVisible(true);
}

void PrayerPopup::loadEntry() {
    m_loading = true;
    clearPictures();
    FindPos = 0;
    if (m_folder.HasEntry(CurrentFile)) {
        setStatus(3, QStringLiteral("DECRYPTING. Please stand by ..."));
        DiaryFolder::Entry entry;
        QString error;
        if (m_folder.Load(CurrentFile, entry, &error)) {
            EntryDocument::Load(entry.rtf, RT->document());
            GetExtras(entry.extras, entry.extrasFields);
        } else {
            RT->clear();
            m_state.dialogs.show(Dialogs::Icon::Warning,
                                 QStringLiteral("File Error ") + dateText(CurrentFile), error);
        }
        setStatus(3, QStringLiteral("Journal entry for ") + dateText(CurrentFile));
    } else {
        RT->clear();
        lblType->setText(kNewHeading);
        lblResults->setText(kNewAnswer);
        setStatus(3, QString());
    }
    applyNewTextFont();
    RT->moveCursor(QTextCursor::Start);
    m_loading = false;
    RT_SelChange();
    Dirty = false;
}

void PrayerPopup::GetExtras(const EntryExtras& extras, int fields) {
    if (fields > 0)
        lblType->setText(extras.heading);
    if (fields > 1)
        lblResults->setText(extras.answer);
    for (int k = 0; k < EntryExtras::kMarks && k + 2 < fields; ++k) {
        PictureMarks[size_t(k)] = extras.marks[size_t(k)];
        showMark(k + 1, extras.marks[size_t(k)]);
    }
    if (fields > 7)
        setBackground(extras.background);
}

EntryExtras PrayerPopup::SaveExtras() const {
    EntryExtras e;
    e.heading = lblType->text();
    e.answer = lblResults->text();
    e.marks = PictureMarks;
    e.background = background();
    return e;
}

PrayerPopup::SaveOutcome PrayerPopup::SaveFile(int newName) {
    if (newName != 0)
        CurrentFile = DiaryDate::EntryName(DT1->date());
    if (m_folder.HasEntry(CurrentFile)) {
        // The question names the day that would be written.
        const Dialogs::Answer answer = m_state.dialogs.show(
            Dialogs::Icon::Warning, product(), MessageText::Std(m_state, 79, dateText(CurrentFile)),
            Dialogs::Buttons::YesNoCancel, Dialogs::Answer::Yes);
        if (answer == Dialogs::Answer::No) {
            Dirty = false;
            CancelExit = false;
            return SaveOutcome::GivenUp;
        }
        if (answer != Dialogs::Answer::Yes) {
            Dirty = false;
            CancelExit = true;
            return SaveOutcome::Cancelled;
        }
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setStatus(3, QStringLiteral("ENCRYPTING. Please stand by ..."));
    QString error;
    bool saved = false;
    if (m_folder.path().isEmpty() || !m_folder.Create())
        error = m_state.PrayersPath + m_state.IdentityFolder;
    else
        saved =
            m_folder.Save(CurrentFile, EntryDocument::Save(*RT->document()), SaveExtras(), &error);
    QApplication::restoreOverrideCursor();
    if (!saved) {
        // The page stays as it is and still counts as changed.
        setStatus(3, QString());
        CancelExit = true;
        m_state.dialogs.show(Dialogs::Icon::Warning,
                             QStringLiteral("File Error ") + dateText(CurrentFile),
                             MessageText::Std(m_state, kMsgSaveFailed, error));
        return SaveOutcome::Failed;
    }
    Dirty = false;
    CancelExit = false;
    setStatus(3, QStringLiteral("File Saved."));
    return SaveOutcome::Saved;
}

void PrayerPopup::cndDelete_Click() {
    const QString name = DiaryDate::EntryName(DT1->date());
    if (!m_folder.HasEntry(name))
        return;
    const Dialogs::Answer answer =
        m_state.dialogs.show(Dialogs::Icon::Warning, QStringLiteral("Confirm Delete"),
                             MessageText::Std(m_state, 77, dateText(name)), Dialogs::Buttons::YesNo,
                             Dialogs::Answer::No);
    if (answer != Dialogs::Answer::Yes)
        return;
    if (!m_folder.Delete(name)) {
        m_state.dialogs.show(Dialogs::Icon::Warning, product(),
                             MessageText::Std(m_state, kMsgDeleteFailed, dateText(name)));
        return;
    }
    m_loading = true;
    clearPictures();
    lblType->setText(kNewHeading);
    lblResults->setText(kNewAnswer);
    RT->clear();
    m_loading = false;
    Dirty = false;
}

void PrayerPopup::CmdSave_Click() {
    SaveFile(1);
}

void PrayerPopup::mSave_Click() {
    SaveFile(1);
}

void PrayerPopup::cmdSaveExit_Click() {
    if (SaveFile(1) == SaveOutcome::Failed)
        return; // reported; the page stays
    Form_Unload(CancelExit);
}

// ---------------------------------------------------------------------------------------
// The diary search's side.

void PrayerPopup::ShowFoundEntry(const QString& entryName) {
    if (Dirty)
        saveChangedEntryIfWanted();
    if (const auto day = DiaryDate::FromEntryName(entryName))
        setDateQuietly(*day);
    CurrentFile = entryName;
    loadEntry();
}

void PrayerPopup::SelectFound(int position, int length) {
    m_loading = true;
    QTextCursor c(RT->document());
    c.setPosition(position);
    c.setPosition(position + length, QTextCursor::KeepAnchor);
    RT->setTextCursor(c);
    RT->ensureCursorVisible();
    m_loading = false;
    RT_SelChange();
    Dirty = false;
}

QString PrayerPopup::PaneText() const {
    return RT->toPlainText();
}

void PrayerPopup::RepaintEntry() {
    centralWidget()->repaint();
    statusBar()->repaint();
}

SearchPopup* PrayerPopup::searchWindow() const {
    return m_search;
}

// ---------------------------------------------------------------------------------------
// Headings, answer states and pictures.

void PrayerPopup::cboPrayerT_Click() {
    lblType->setText(cboPrayerT->currentText());
    Dirty = true;
}

void PrayerPopup::CboResult_Click() {
    lblResults->setText(CboResult->currentText());
    Dirty = true;
}

void PrayerPopup::UpdatePtype() {
    addTypedText(PrayerList::Headings(m_state.settings), m_headings, cboPrayerT);
}

void PrayerPopup::UpdatePresults() {
    addTypedText(PrayerList::Answers(m_state.settings), m_answers, CboResult);
}

// Adds the text typed in `box` to its stored list; a text that cannot be stored is refused
// with a message, one listed already or reserved is left as it is.
void PrayerPopup::addTypedText(PrayerList list, QStringList& items, QComboBox* box) {
    const QString text = box->currentText();
    if (list.Add(items, text) == PrayerList::AddResult::Added)
        box->addItem(text);
    else if (!PrayerList::Reserved(text) && !items.contains(text))
        m_state.dialogs.show(Dialogs::Icon::Warning, product(),
                             MessageText::Std(m_state, kMsgLabelRefused, text));
}

// Keys in the two lists: a reserved word is refused as it is typed, Enter adds, Del removes.
void PrayerPopup::listKey(QComboBox* list, bool headings, int key) {
    if (PrayerList::Reserved(list->currentText())) {
        m_state.dialogs.show(Dialogs::Icon::Critical, product(), MessageText::Std(m_state, 76));
        list->setEditText(QString());
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        headings ? UpdatePtype() : UpdatePresults();
        return;
    }
    if (key != Qt::Key_Delete)
        return;
    const int at = list->findText(list->currentText());
    if (at < 0)
        return;
    PrayerList stored =
        headings ? PrayerList::Headings(m_state.settings) : PrayerList::Answers(m_state.settings);
    stored.Remove(headings ? m_headings : m_answers, at);
    list->removeItem(at);
    list->setEditText(QString());
}

void PrayerPopup::tbIcons_ButtonClick(int picture) {
    const int slot = NextSlot + 1;
    showMark(slot, picture);
    PictureMarks[size_t(slot - 1)] = quint8(picture);
    NextSlot = slot == EntryExtras::kMarks ? 0 : slot;
    SbPicsPanels[5]->setText(QString::number(NextSlot + 1));
    Dirty = true;
}

void PrayerPopup::CmdClear_Click() {
    clearPictures();
}

void PrayerPopup::clearPictures() {
    PictureMarks.fill(0);
    for (int k = 1; k <= EntryExtras::kMarks; ++k)
        showMark(k, 0);
    SbPicsPanels[5]->setText(QString::number(NextSlot + 1));
}

void PrayerPopup::showMark(int slot, int picture) {
    QLabel* l = SbPicsPanels[size_t(slot - 1)];
    if (picture < 1 || picture > EntryExtras::kPictures) {
        l->clear();
        l->setProperty("picture", 0);
        return;
    }
    l->setPixmap(m_pictures.value(picture - 1));
    l->setProperty("picture", picture);
}

void PrayerPopup::setBackground(qint32 colour) {
    QPalette p = RT->palette();
    // System colours (negative values) stand for the pane's normal background.
    p.setColor(QPalette::Base,
               colour < 0 ? palette().color(QPalette::Base) : WinColour::toQColor(quint32(colour)));
    RT->setPalette(p);
}

qint32 PrayerPopup::background() const {
    return qint32(WinColour::fromQColor(RT->palette().color(QPalette::Base)));
}

// ---------------------------------------------------------------------------------------
// Editing and formatting.

void PrayerPopup::applyNewTextFont() {
    const SettingsStore& s = m_state.settings;
    QFont f(s.read(kSettings, SettingsKeys::PrayerFontName, SettingsKeys::PrayerFontNameDefault));
    const qint64 size = s.readInt(kSettings, SettingsKeys::PrayerFontSizeKey);
    f.setPointSize(int(qBound<qint64>(qint64(1), size, qint64(255))));
    const bool was = m_loading;
    m_loading = true;
    if (RT->document()->isEmpty()) {
        RT->document()->setDefaultFont(f);
        RT->setCurrentFont(f);
        RT->setTextColor(
            WinColour::toQColor(quint32(s.readInt(kSettings, SettingsKeys::PrayerForeColourKey))));
    }
    m_loading = was;
}

void PrayerPopup::RT_SelChange() {
    if (m_loading)
        return; // the buttons follow once the entry is in
    updateFormatButtons();
    const bool selected = RT->textCursor().hasSelection();
    for (const char* key : {"Cut", "Copy", "Delete"})
        tool(QString::fromLatin1(key))->setEnabled(selected);
    updatePasteButton();
    if (!m_loading)
        Dirty = true;
}

void PrayerPopup::updateFormatButtons() {
    const NotepadFormat::State s = NotepadFormat::stateOf(RT->textCursor());
    tool(QStringLiteral("Bold"))->setChecked(s.bold);
    tool(QStringLiteral("Italic"))->setChecked(s.italic);
    tool(QStringLiteral("Underline"))->setChecked(s.underline);
    tool(QStringLiteral("Bullet"))->setChecked(s.bullet);
    if (s.pointSize > 0)
        cboFontSize->setEditText(QString::number(s.pointSize));
    if (!s.family.isEmpty())
        cboFont->setEditText(s.family);
}

void PrayerPopup::updatePasteButton() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    const bool any = data && (data->hasText() || data->hasImage() || data->hasHtml() ||
                              !RichClipboard::rtfOf(data).isEmpty());
    tool(QStringLiteral("Paste"))->setEnabled(any);
}

void PrayerPopup::cboFont_Click() {
    const QString face = cboFont->currentText();
    QTextCharFormat f;
    f.setFontFamilies({face});
    RT->mergeCurrentCharFormat(f);
    m_state.settings.write(kSettings, SettingsKeys::PrayerFontName, face);
    // Printing uses the fonts the system has; one it cannot match is worth a word.
    if (QFontInfo(QFont(face)).family().compare(face, Qt::CaseInsensitive) != 0)
        m_state.dialogs.show(Dialogs::Icon::Information, QStringLiteral("No font ") + product(),
                             MessageText::Std(m_state, 75, face));
}

void PrayerPopup::cboFontSize_Click() {
    bool ok = false;
    const double size = cboFontSize->currentText().toDouble(&ok);
    if (!ok || size < 1 || size > 255)
        return;
    RT->setFontPointSize(size);
    m_state.settings.writeNumber(kSettings, SettingsKeys::PrayerFontSize, int(size));
}

void PrayerPopup::tbMenu_ButtonClick(const QString& key) {
    QTextCursor c = RT->textCursor();
    if (key == QLatin1String("Save")) {
        SaveFile(1);
    } else if (key == QLatin1String("Print")) {
        mPrint_Click();
    } else if (key == QLatin1String("Cut")) {
        if (QMimeData* data = RichClipboard::fromSelection(c)) {
            QApplication::clipboard()->setMimeData(data);
            c.removeSelectedText();
        }
    } else if (key == QLatin1String("Copy")) {
        if (QMimeData* data = RichClipboard::fromSelection(c))
            QApplication::clipboard()->setMimeData(data);
    } else if (key == QLatin1String("Paste")) {
        RT->paste();
    } else if (key == QLatin1String("Undo")) {
        RT->undo();
    } else if (key == QLatin1String("Delete")) {
        c.removeSelectedText();
    } else if (key == QLatin1String("Find")) {
        mFind_Click();
    } else if (key == QLatin1String("Find Again")) {
        mFindAgain_Click();
    } else if (key == QLatin1String("Power Search")) {
        mPowerS_Click();
    } else if (key == QLatin1String("Foreground Colour")) {
        if (const auto colour = m_state.dialogs.colour(RT->textColor()))
            RT->setTextColor(*colour);
    } else if (key == QLatin1String("Background Colour")) {
        if (const auto colour = m_state.dialogs.colour(RT->palette().color(QPalette::Base))) {
            setBackground(qint32(WinColour::fromQColor(*colour)));
            Dirty = true;
        }
    } else if (key == QLatin1String("Bold")) {
        RT->setFontWeight(tool(key)->isChecked() ? QFont::Bold : QFont::Normal);
    } else if (key == QLatin1String("Italic")) {
        RT->setFontItalic(tool(key)->isChecked());
    } else if (key == QLatin1String("Underline")) {
        RT->setFontUnderline(tool(key)->isChecked());
    } else if (key.endsWith(QLatin1String("Justify"))) {
        const Qt::Alignment a = key.startsWith(QLatin1String("Left"))     ? Qt::AlignLeft
                                : key.startsWith(QLatin1String("Center")) ? Qt::AlignHCenter
                                                                          : Qt::AlignRight;
        RT->setAlignment(a);
        for (const char* k : {"Left Justify", "Center Justify", "Right Justify"})
            tool(QString::fromLatin1(k))->setChecked(key == QLatin1String(k));
    } else if (key == QLatin1String("Indent Less") || key == QLatin1String("Indent More")) {
        const double step = Twips::toPixels(kIndentStepTwips, RT->logicalDpiX());
        NotepadFormat::changeIndent(c, key.endsWith(QLatin1String("More")) ? step : -step);
    } else if (key == QLatin1String("Bullet")) {
        NotepadFormat::toggleBullets(c);
        tool(key)->setChecked(NotepadFormat::stateOf(RT->textCursor()).bullet);
    } else if (key == QLatin1String("Password")) {
        mPassword_Click();
    } else if (key == QLatin1String("Clock")) {
        mDateFormat_Click();
    } else if (key == QLatin1String("Help")) {
        mHelpContents_Click();
    }
}

// ---------------------------------------------------------------------------------------
// Find, print and the other windows.

void PrayerPopup::mFind_Click() {
    const std::optional<QString> text = m_state.dialogs.input(
        QStringLiteral("Enter Text to find"), product() + QStringLiteral(" Search"), FindText);
    if (!text || text->isEmpty())
        return;
    FindText = *text;
    findFrom(0); // every new Find starts at the beginning
}

void PrayerPopup::mFindAgain_Click() {
    if (FindText.isEmpty()) {
        mFind_Click();
        return;
    }
    findFrom(FindPos);
}

bool PrayerPopup::findFrom(int from) {
    const int at = DiarySearch::MatchText(RT->toPlainText(), FindText, from);
    if (at < 0) {
        m_state.dialogs.show(Dialogs::Icon::Information, product(), MessageText::Std(m_state, 80));
        return false;
    }
    QTextCursor c(RT->document());
    c.setPosition(at);
    c.setPosition(at + int(FindText.size()), QTextCursor::KeepAnchor);
    RT->setTextCursor(c);
    RT->ensureCursorVisible();
    FindPos = at + int(FindText.size());
    return true;
}

void PrayerPopup::mPrint_Click() {
    printPlainText();
}

// The plain text of the entry, once per copy asked for, in one print job that ends after the
// last copy.
void PrayerPopup::printPlainText() {
    QPrinter& printer = m_print.printer();
    printer.setPrintRange(QPrinter::AllPages);
    if (!m_state.dialogs.printer(printer))
        return;
    const int copies = qMax(1, printer.copyCount());
    printer.setCopyCount(1);
    QTextDocument plain;
    plain.setDefaultFont(RT->document()->defaultFont());
    plain.setPlainText(RT->toPlainText());
    const PageLayout layout(plain, m_print.pageTwips(), PrintMargins::Inches(m_state));
    QPainter painter;
    bool ok = painter.begin(&printer);
    const double dpiX = printer.logicalDpiX();
    const double dpiY = printer.logicalDpiY();
    for (int copy = 0; ok && copy < copies; ++copy)
        for (int page = 0; ok && page < layout.pageCount(); ++page) {
            if ((copy > 0 || page > 0) && !printer.newPage())
                ok = false;
            else
                layout.paintPage(painter, page, dpiX, dpiY);
        }
    if (painter.isActive())
        ok = painter.end() && ok;
    printer.setCopyCount(copies);
    if (!ok || printer.printerState() == QPrinter::Error)
        m_state.dialogs.show(Dialogs::Icon::Warning, product(), MessageText::Std(m_state, 13));
}

void PrayerPopup::mSwitchIdentity_Click() {
    // The entry is saved to its own identity before any identity can change.
    if (Dirty && SaveFile(1) == SaveOutcome::Failed)
        return;
    PIdentity identities(m_state, false, this);
    checkedConnect(&identities, &PIdentity::switchIdentityCaption, this,
                   &PrayerPopup::switchIdentityCaption);
    checkedConnect(&identities, &PIdentity::helpRequested, this, &PrayerPopup::helpRequested);
    identities.exec();
    if (m_search)
        m_search->close();
    ReloadForDefaultIdentity();
}

void PrayerPopup::mPowerS_Click() {
    if (Dirty && SaveFile(1) == SaveOutcome::Failed)
        return;
    if (!m_search)
        m_search = new SearchPopup(m_state, *this);
    m_search->show();
    m_search->raise();
    m_search->activateWindow();
}

void PrayerPopup::mDateFormat_Click() {
    FormatDate window(m_state, this);
    window.exec();
    applyDateFormat();
}

void PrayerPopup::mPassword_Click() {
    Password window(m_state, this);
    window.raise();
    window.exec();
}

void PrayerPopup::mHelpContents_Click() {
    emit helpRequested();
}

// ---------------------------------------------------------------------------------------
// Helpers.

void PrayerPopup::setStatus(int panel, const QString& text) {
    SbMainPanels[size_t(panel - 1)]->setText(text);
}

void PrayerPopup::setDateQuietly(const QDate& date) {
    const bool was = m_loading;
    m_loading = true;
    DT1->setDate(date);
    m_loading = was;
}

void PrayerPopup::applyDateFormat() {
    DT1->setDisplayFormat(m_state.DateFormat);
}

QString PrayerPopup::dateText(const QString& entryName) const {
    const auto day = DiaryDate::FromEntryName(entryName);
    return day ? DiaryDate::Format(*day, m_state.DateFormat) : entryName;
}

void PrayerPopup::showHint(const QString& text) {
    setStatus(1, text);
}

bool PrayerPopup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        if (watched == RT || watched == RT->viewport())
            showHint(
                QStringLiteral("Type your Prayer, Thoughts and Ideas here. Click Save when done."));
        else if (watched == SbPics)
            showHint(QStringLiteral("Use Pictures to Describe your Prayer"));
        else if (watched == tbIcons)
            showHint(QStringLiteral("Select up to 5 pictures to describe your Prayer Attitude"));
        else if (watched == tbMenu)
            showHint(QStringLiteral("Main Menu. Choose a menu item by clicking on it."));
        else if (watched == DT1)
            showHint(QStringLiteral("Select Date to use for Prayer Diary Entry"));
    }
    for (QComboBox* list : {cboPrayerT, CboResult}) {
        if (watched != list && watched != list->lineEdit())
            continue;
        if (event->type() == QEvent::FocusIn)
            showHint(list == cboPrayerT
                         ? QStringLiteral("Choose a Prayer Heading or ENTER to Add New or DEL to "
                                          "Delete")
                         : QStringLiteral("Choose a Prayer Response or ENTER to Add New or DEL to "
                                          "Delete"));
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            listKey(list, list == cboPrayerT, key);
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Delete)
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
