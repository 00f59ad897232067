// The results pane as a notepad: file, clipboard, find, wrap and formatting commands, the
// selection tracking that keeps the buttons current, and the page setup of the pane.
#include "app/MainMenu.h"

#include "app/notepad/DocumentFile.h"
#include "app/notepad/NotepadFind.h"
#include "app/notepad/NotepadFormat.h"
#include "app/notepad/PaneEvents.h"
#include "app/notepad/PlainTextLoader.h"
#include "app/notepad/RichClipboard.h"
#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"
#include "platform/RichPane.h"
#include "platform/Twips.h"
#include "platform/WinColour.h"
#include "platform/rtf/RtfReader.h"
#include "printing/PageSetup.h"
#include "printing/PageValues.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>

using MessageText::Frm;
using MessageText::Std;

namespace {

// Number of the standard message that reports a save that did not happen.
constexpr int kSaveFailedMessage = 401;
// Indent steps and the bullets' indent, in twips.
constexpr double kIndentStepTwips = 500;
constexpr double kBulletIndentTwips = 300;
// Wrap off: a line width no window reaches.
constexpr double kNoWrapTwips = 128000;

QString product() {
    return TolvaneRoutines::ProductName();
}

double twipsToPixels(const QTextEdit* pane, double twips) {
    return Twips::toPixels(twips, RichPane::LogicalDpi(pane));
}

void setFrameBackground(QTextEdit* pane, const QColor* colour) {
    QTextFrame* root = pane->document()->rootFrame();
    QTextFrameFormat f = root->frameFormat();
    if (colour)
        f.setBackground(*colour);
    else
        f.clearBackground();
    root->setFrameFormat(f);
}

// Writes the pane to the file; a failure is reported and changes nothing.
bool writeDocument(ProgramState& s, const QTextEdit* pane, const QString& path) {
    const QString error = DocumentFile::saveRich(path, *pane->document());
    if (error.isEmpty())
        return true;
    s.dialogs.show(Dialogs::Icon::Warning, product(),
                   Std(s, kSaveFailedMessage) + QStringLiteral("\r\n\r\n") +
                       QDir::toNativeSeparators(path) + QStringLiteral("\r\n") + error);
    return false;
}

// The dialogs open where the user last chose a file, at first in the documents folder.
Dialogs::FileRequest fileRequest(const QString& folder, const QString& title) {
    Dialogs::FileRequest r;
    r.title = title;
    r.folder = folder.isEmpty() ? QString() : folder + QLatin1Char('/');
    return r;
}

// A name without an extension is saved as a rich-text file, as the dialog's filter says.
QString withRtfExtension(const QString& path) {
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".rtf") : path;
}

} // namespace

void MainMenu::connectNotepad() {
    const MainActions& a = m_actions;
    struct Command {
        QAction* action;
        void (MainMenu::*handler)();
    };
    const Command commands[] = {
        {a.file.newFile, &MainMenu::NewFile_Click},
        {a.file.open, &MainMenu::OpenFile_Click},
        {a.file.save, &MainMenu::Save_Click},
        {a.file.saveAs, &MainMenu::FileSaveAs_Click},
        {a.edit.cut, &MainMenu::Cut_Click},
        {a.edit.copy, &MainMenu::Copy_Click},
        {a.edit.paste, &MainMenu::Paste_Click},
        {a.edit.undo, &MainMenu::undo_Click},
        {a.edit.remove, &MainMenu::Delete_Click},
        {a.edit.find, &MainMenu::Find_Click},
        {a.edit.findNext, &MainMenu::FindNext_Click},
        {a.edit.selectAll, &MainMenu::SelectAll_Click},
        {a.edit.wrap, &MainMenu::Wrap_Click},
        {a.format.pageSetup, &MainMenu::OpenPageSetup},
        {a.format.backColour, &MainMenu::cmdBColour_Click},
        {a.format.foreColour, &MainMenu::cmdFColuor_Click},
        {a.format.bold, &MainMenu::cmdBold_Click},
        {a.format.italic, &MainMenu::cmdItalic_Click},
        {a.format.underline, &MainMenu::cmdUnderline_Click},
        {a.format.left, &MainMenu::cmdLeftJ_Click},
        {a.format.centre, &MainMenu::cmdCentreJ_Click},
        {a.format.right, &MainMenu::cmdRightJ_Click},
        {a.format.indentLess, &MainMenu::cmdIndentLess_Click},
        {a.format.indentMore, &MainMenu::cmdIndentMore_Click},
        {a.format.bullet, &MainMenu::cmdBullet_Click},
    };
    for (const Command& c : commands)
        checkedConnect(c.action, &QAction::triggered, this, c.handler);
    checkedConnect(cboFont, QOverload<int>::of(&QComboBox::activated), this,
                   &MainMenu::cboFont_Click);
    checkedConnect(cboSize, QOverload<int>::of(&QComboBox::activated), this,
                   &MainMenu::cboSize_Click);

    // The Ctrl shortcuts and F3 act when the key goes down, wherever the focus is in this
    // window (a text box keeps its own Ctrl+A).
    a.file.newFile->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    a.file.open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    a.file.save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a.file.print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    a.format.bold->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    a.format.italic->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    a.format.underline->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    a.edit.find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    a.edit.findNext->setShortcut(QKeySequence(Qt::Key_F3));
    a.edit.wrap->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    a.edit.selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));

    // Cut, Copy and Delete are offered exactly when text is selected; the pane's clipboard
    // keys act as the commands; the buttons follow the selection after each key and click.
    setRule(a.edit.cut, [this] { return RT->textCursor().hasSelection(); });
    setRule(a.edit.copy, [this] { return RT->textCursor().hasSelection(); });
    setRule(a.edit.remove, [this] { return RT->textCursor().hasSelection(); });
    setRule(a.edit.paste, [this] { return m_clipboardUsable; });
    setRule(a.edit.undo, [this] { return m_undoOffered; });
    m_paneEvents = new PaneEvents(RT);
    checkedConnect(RT, &QTextEdit::selectionChanged, this, &MainMenu::updateSelectionCommands);
    // RT_SelChange: Integrate Names reads the selection only when it is of a name's length.
    checkedConnect(RT, &QTextEdit::selectionChanged, this, [this] {
        const QTextCursor c = RT->textCursor();
        m_integrateNames.selectionChanged(m_actions.view.integrateNames->isChecked(),
                                          c.selectionEnd() - c.selectionStart(), Searching,
                                          [&c] { return c.selectedText(); });
    });
    checkedConnect(m_paneEvents, &PaneEvents::clipboardKey, this,
                   [this](QKeySequence::StandardKey key) {
                       if (key == QKeySequence::Cut)
                           Cut_Click();
                       else if (key == QKeySequence::Copy)
                           Copy_Click();
                       else
                           Paste_Click();
                   });
    checkedConnect(m_paneEvents, &PaneEvents::altShortcut, this, [this](Qt::Key key) {
        const MainActions& a = m_actions;
        const QHash<int, QAction*> byKey{
            {Qt::Key_L, a.format.left},       {Qt::Key_C, a.format.centre},
            {Qt::Key_R, a.format.right},      {Qt::Key_D, a.format.indentMore},
            {Qt::Key_S, a.format.indentLess}, {Qt::Key_O, a.format.bullet}};
        if (QAction* action = byKey.value(key))
            action->trigger(); // a disabled command (busy) does nothing
    });
    checkedConnect(m_paneEvents, &PaneEvents::keyReleased, this, &MainMenu::paneKeyReleased);
    checkedConnect(RT->document(), &QTextDocument::contentsChange, this,
                   &MainMenu::paneContentsChanged);
    checkedConnect(m_paneEvents, &PaneEvents::clicked, this, &MainMenu::paneClicked);
    RT->document()->setIndentWidth(twipsToPixels(RT, kBulletIndentTwips));

    // The pane's own menu offers the same commands as the Edit menu.
    RT->setContextMenuPolicy(Qt::CustomContextMenu);
    checkedConnect(RT, &QTextEdit::customContextMenuRequested, this, [this](const QPoint& at) {
        const MainActions& a = m_actions;
        QMenu menu(this);
        menu.addActions(
            {a.edit.cut, a.edit.copy, a.edit.paste, a.edit.undo, a.edit.remove, a.edit.selectAll});
        menu.exec(RT->viewport()->mapToGlobal(at));
    });
}

void MainMenu::paneKeyReleased() {
    if (!m_busy)
        UpdateButtons();
}

// Only an edit (text or formatting changed) makes the document changed: moving about,
// modifier keys and shortcuts that change nothing do not ask to be saved later.
void MainMenu::paneContentsChanged(int, int charsRemoved, int charsAdded) {
    if (!m_fillingPane && (charsRemoved > 0 || charsAdded > 0))
        DocumentChanged = true;
}

void MainMenu::paneClicked() {
    FindStart = RT->textCursor().position();
    UpdateButtons();
}

// ---------------------------------------------------------------------------------------
// Files

bool MainMenu::AskToSave() {
    const Dialogs::Answer a =
        m_state.dialogs.show(Dialogs::Icon::Question, QStringLiteral("Save File ") + product(),
                             Std(m_state, 51), Dialogs::Buttons::YesNoCancel, Dialogs::Answer::Yes);
    if (a == Dialogs::Answer::Cancel)
        return false;
    if (a == Dialogs::Answer::Yes) {
        FileSaveAs_Click();
        // A save that was cancelled or failed keeps the window open.
        return !DocumentChanged;
    }
    return true;
}

void MainMenu::NewFile_Click() {
    if (DocumentChanged &&
        m_state.dialogs.show(Dialogs::Icon::Warning, product(), Std(m_state, 44),
                             Dialogs::Buttons::YesNo, Dialogs::Answer::No) == Dialogs::Answer::No)
        return;
    setWindowTitle(Frm(m_state, 17));
    const PaneFill fill(m_fillingPane);
    RT->clear();
    setFrameBackground(RT, nullptr);
    // A new document starts in the reader's face, size and colours, not in whatever the
    // caret last stood on.
    RichPane::SetColours(RT, m_state.Bib1BC, m_state.Bib1TC);
    RT->document()->setDefaultFont(QFont(m_state.DEFAULTFONT, m_state.Bib1Fontsize));
    QTextCursor start(RT->document());
    start.setBlockFormat(QTextBlockFormat());
    QTextCharFormat typing;
    typing.setFontFamilies({m_state.DEFAULTFONT});
    typing.setFontPointSize(m_state.Bib1Fontsize);
    typing.setForeground(WinColour::toQColor(m_state.Bib1TC));
    RT->setCurrentCharFormat(typing);
    UpdateButtons();
    // The new document has no file yet: Save must ask for one rather than overwrite the
    // file that was open before.
    NotepadFileName.clear();
    FindStart = 0;
    RT->setFocus();
}

void MainMenu::OpenFile_Click() {
    if (DocumentChanged) {
        const Dialogs::Answer a = m_state.dialogs.show(
            Dialogs::Icon::Question, QStringLiteral("Current File not saved ") + product(),
            Std(m_state, 46, NotepadFileName), Dialogs::Buttons::YesNoCancel, Dialogs::Answer::Yes);
        if (a == Dialogs::Answer::Cancel)
            return;
        if (a == Dialogs::Answer::Yes)
            Save_Click();
    }
    Dialogs::FileRequest request = fileRequest(m_lastFolder, Frm(m_state, 59).trimmed());
    request.filters =
        QStringList{QStringLiteral("All files (*.*)"), QStringLiteral("Text Files (*.txt)"),
                    QStringLiteral("Rich Text (*.rtf)")};
    request.filterIndex = 2;
    const std::optional<QString> chosen = m_state.dialogs.openFile(request);
    if (!chosen || chosen->isEmpty())
        return;
    const QString path = *chosen;
    const DocumentFile::Contents file = DocumentFile::read(path);
    if (!file.exists) {
        m_state.dialogs.show(Dialogs::Icon::Warning, product(),
                             Std(m_state, 47, QDir::toNativeSeparators(path)));
        return;
    }
    // The file goes into a document of its own; the pane shows it only once it is complete,
    // so a file that cannot be read, or a long load that is stopped, leaves the pane as it was.
    auto* document = new QTextDocument(RT);
    document->setDefaultFont(RT->document()->defaultFont());
    document->setUndoRedoEnabled(false);
    const bool rich = file.readable && DocumentFile::loadRich(file.bytes, document);
    if (!file.readable) {
        m_state.dialogs.show(Dialogs::Icon::None, product(), Std(m_state, 48));
        document->clear();
    } else if (!rich && !loadPlainText(DocumentFile::decodePlain(file.bytes), document)) {
        delete document;
        return;
    }
    NotepadFileName = path;
    m_lastFolder = QFileInfo(path).absolutePath();
    FindStart = 0;
    const PaneFill fill(m_fillingPane);
    if (rich)
        RichPane::SetColours(RT, 0xFFFFFF, 0);
    else
        RichPane::SetColours(RT, m_state.Bib1BC, m_state.Bib1TC);
    adoptDocument(document);
    DocumentChanged = false;
    setWindowTitle(path + QStringLiteral(" - ") + product());
    RichPane::SetLineLayout(RT, true, 0, 0);
    RT->document()->clearUndoRedoStacks(); // the document as opened is where undo stops
    RT->moveCursor(QTextCursor::Start);
}

bool MainMenu::loadPlainText(const QString& text, QTextDocument* document) {
    QTextCharFormat format;
    format.setForeground(WinColour::toQColor(m_state.Bib1TC));
    format.setFontPointSize(m_state.Bib1Fontsize);
    StopRequested = false;
    menDisable();
    PBar->setRange(0, 1000);
    PBar->setValue(0);
    PBar->show();
    const bool complete = PlainTextLoader::fill(
        *document, text, format, [this](qint64 done, qint64 total) {
            PBar->setValue(int(done * 1000 / qMax<qint64>(total, 1)));
            Timer1_Timer();
            return !StopRequested;
        });
    StopRequested = false;
    PBar->hide();
    menEnable();
    return complete;
}

void MainMenu::adoptDocument(QTextDocument* document) {
    QTextDocument* old = RT->document();
    document->setIndentWidth(old->indentWidth());
    document->setDocumentMargin(old->documentMargin());
    disconnect(old, nullptr, this, nullptr);
    const QPointer<QTextDocument> previous = old;
    RT->setDocument(document);
    // The pane deletes a document it owns itself; one owned by its inner control goes here.
    if (previous)
        previous->deleteLater();
    document->setUndoRedoEnabled(true);
    checkedConnect(document, &QTextDocument::contentsChange, this,
                   &MainMenu::paneContentsChanged);
}

void MainMenu::Save_Click() {
    if (NotepadFileName.isEmpty()) {
        FileSaveAs_Click();
        return;
    }
    if (!writeDocument(m_state, RT, NotepadFileName))
        return;
    DocumentChanged = false;
    setWindowTitle(NotepadFileName);
}

void MainMenu::FileSaveAs_Click() {
    for (;;) {
        Dialogs::FileRequest request = fileRequest(m_lastFolder, Frm(m_state, 61).trimmed());
        request.filters = QStringList{QStringLiteral("RichText (*.rtf)")};
        request.filterIndex = 0;
        const std::optional<QString> chosen = m_state.dialogs.saveFile(request);
        // Cancelling keeps the file name and caption as they were.
        if (!chosen || chosen->isEmpty())
            return;
        const QString path = withRtfExtension(*chosen);
        m_lastFolder = QFileInfo(path).absolutePath();
        if (QFileInfo::exists(path)) {
            const Dialogs::Answer a =
                m_state.dialogs.show(Dialogs::Icon::Question, product(), Std(m_state, 45),
                                     Dialogs::Buttons::YesNoCancel, Dialogs::Answer::No);
            if (a == Dialogs::Answer::No)
                continue;
            if (a == Dialogs::Answer::Cancel)
                return;
        }
        if (!writeDocument(m_state, RT, path))
            return;
        DocumentChanged = false;
        NotepadFileName = path;
        setWindowTitle(path);
        return;
    }
}

// ---------------------------------------------------------------------------------------
// Clipboard and undo

void MainMenu::Cut_Click() {
    RT->setFocus();
    QTextCursor c = RT->textCursor();
    if (QMimeData* data = RichClipboard::fromSelection(c)) {
        QGuiApplication::clipboard()->setMimeData(data);
        c.removeSelectedText();
        RT->setTextCursor(c);
    }
    CheckClipboard();
    offerUndo();
    DocumentChanged = true;
}

void MainMenu::Copy_Click() {
    QGuiApplication::clipboard()->clear();
    RT->setFocus();
    if (QMimeData* data = RichClipboard::fromSelection(RT->textCursor()))
        QGuiApplication::clipboard()->setMimeData(data);
    CheckClipboard();
    DocumentChanged = true;
}

void MainMenu::Paste_Click() {
    RT->setFocus();
    const QByteArray rtf = RichClipboard::rtfOf(QGuiApplication::clipboard()->mimeData());
    QTextCursor c = RT->textCursor();
    if (!rtf.isEmpty() && RtfReader::insert(rtf, c).isRtf)
        RT->setTextCursor(c);
    else
        RT->paste();
    offerUndo();
    DocumentChanged = true;
}

void MainMenu::undo_Click() {
    RT->setFocus();
    RT->undo();
}

void MainMenu::Delete_Click() {
    RT->setFocus();
    CheckClipboard();
    offerUndo();
    QTextCursor c = RT->textCursor();
    c.deleteChar();
    RT->setTextCursor(c);
}

void MainMenu::SelectAll_Click() {
    RT->selectAll();
    RT->setFocus();
    updateSelectionCommands();
}

// ---------------------------------------------------------------------------------------
// Find and wrap

void MainMenu::Find_Click() {
    const std::optional<QString> answer = m_state.dialogs.input(
        QStringLiteral("Enter Text to find"), product() + QStringLiteral(" Search"), FindText);
    if (!answer || answer->isEmpty())
        return;
    FindText = *answer;
    FindNext_Click();
}

void MainMenu::FindNext_Click() {
    if (FindText.isEmpty()) {
        Find_Click();
        return;
    }
    const QTextCursor match = NotepadFind::find(*RT->document(), FindText, FindStart);
    if (match.isNull()) {
        FindPos = -1;
        m_state.dialogs.show(Dialogs::Icon::Information, product(), Std(m_state, 50));
        return;
    }
    RT->setTextCursor(match);
    FindPos = match.selectionStart();
    FindStart = match.selectionEnd();
    RT->setFocus();
}

void MainMenu::Wrap_Click() {
    // The action's tick has already changed when this runs.
    const QTextCursor selection = RT->textCursor();
    if (m_actions.edit.wrap->isChecked())
        ApplyPaneLayout();
    else
        RichPane::SetLineLayout(RT, false, kNoWrapTwips, 0);
    RT->setTextCursor(selection);
}

void MainMenu::OpenPageSetup() {
    PageSetup window(m_state, RT, m_actions.edit.wrap, this);
    window.exec();
}

// ---------------------------------------------------------------------------------------
// Formatting

namespace {
// The button has toggled already; the attribute becomes the opposite of the selection's,
// and with text selected the button then shows what the selection has.
void toggleCharacter(QTextEdit* pane, QAction* command, bool NotepadFormat::State::*attribute,
                     const std::function<void(QTextCharFormat&, bool)>& set) {
    const bool on = !(NotepadFormat::stateOf(pane->textCursor()).*attribute);
    QTextCharFormat f;
    set(f, on);
    pane->mergeCurrentCharFormat(f);
    if (pane->textCursor().hasSelection())
        command->setChecked(NotepadFormat::stateOf(pane->textCursor()).*attribute);
    pane->setFocus();
}
} // namespace

void MainMenu::cmdBold_Click() {
    toggleCharacter(
        RT, m_actions.format.bold, &NotepadFormat::State::bold,
        [](QTextCharFormat& f, bool on) { f.setFontWeight(on ? QFont::Bold : QFont::Normal); });
    offerUndo();
}

void MainMenu::cmdItalic_Click() {
    toggleCharacter(RT, m_actions.format.italic, &NotepadFormat::State::italic,
                    [](QTextCharFormat& f, bool on) { f.setFontItalic(on); });
    offerUndo();
}

void MainMenu::cmdUnderline_Click() {
    toggleCharacter(RT, m_actions.format.underline, &NotepadFormat::State::underline,
                    [](QTextCharFormat& f, bool on) { f.setFontUnderline(on); });
    offerUndo();
}

void MainMenu::cmdLeftJ_Click() {
    RT->setAlignment(Qt::AlignLeft);
    UpdateButtons();
    RT->setFocus();
}

void MainMenu::cmdCentreJ_Click() {
    RT->setAlignment(Qt::AlignHCenter);
    UpdateButtons();
    RT->setFocus();
}

void MainMenu::cmdRightJ_Click() {
    RT->setAlignment(Qt::AlignRight);
    UpdateButtons();
    RT->setFocus();
}

void MainMenu::cmdIndentMore_Click() {
    NotepadFormat::changeIndent(RT->textCursor(), twipsToPixels(RT, kIndentStepTwips));
    RT->setFocus();
}

void MainMenu::cmdIndentLess_Click() {
    NotepadFormat::changeIndent(RT->textCursor(), -twipsToPixels(RT, kIndentStepTwips));
    RT->setFocus();
}

void MainMenu::cmdBullet_Click() {
    NotepadFormat::toggleBullets(RT->textCursor());
    UpdateButtons();
    RT->setFocus();
}

void MainMenu::cmdFColuor_Click() {
    if (const auto c = m_state.dialogs.colour(WinColour::toQColor(m_state.Bib1TC))) {
        m_state.Bib1TC = WinColour::fromQColor(*c);
        RT->setTextColor(WinColour::toQColor(m_state.Bib1TC));
    }
    offerUndo();
    RT->setFocus();
}

void MainMenu::cmdBColour_Click() {
    if (const auto c = m_state.dialogs.colour(WinColour::toQColor(m_state.Bib1BC))) {
        m_state.Bib1BC = WinColour::fromQColor(*c);
        const QColor colour = WinColour::toQColor(m_state.Bib1BC);
        QPalette pal = RT->palette();
        pal.setColor(QPalette::Base, colour);
        RT->setPalette(pal);
        // A page background that came with an opened document would hide the new colour.
        if (RT->document()->rootFrame()->frameFormat().hasProperty(QTextFormat::BackgroundBrush))
            setFrameBackground(RT, &colour);
    }
    offerUndo();
    RT->setFocus();
}

void MainMenu::cboFont_Click(int index) {
    const QString face = cboFont->itemText(index).trimmed();
    if (face.isEmpty())
        return;
    m_state.DEFAULTFONT = face;
    QTextCharFormat f;
    f.setFontFamilies({face});
    RT->mergeCurrentCharFormat(f);
    RT->setFocus();
}

void MainMenu::cboSize_Click(int index) {
    bool ok = false;
    const int size = cboSize->itemText(index).trimmed().toInt(&ok);
    // The size is kept in a byte.
    if (!ok || size < 1 || size > 255)
        return;
    m_state.Bib1Fontsize = quint8(size);
    QTextCharFormat f;
    f.setFontPointSize(size);
    RT->mergeCurrentCharFormat(f);
    offerUndo();
    RT->setFocus();
}

void MainMenu::UpdateButtons() {
    const NotepadFormat::State s = NotepadFormat::stateOf(RT->textCursor());
    const MainActions::Format& f = m_actions.format;
    f.bold->setChecked(s.bold);
    f.italic->setChecked(s.italic);
    f.underline->setChecked(s.underline);
    f.left->setChecked(s.alignment == Qt::AlignLeft);
    f.centre->setChecked(s.alignment == Qt::AlignHCenter);
    f.right->setChecked(s.alignment == Qt::AlignRight);
    f.bullet->setChecked(s.bullet);
    cboSize->setEditText(s.pointSize > 0 ? QString::number(s.pointSize) : QString());
    // Several faces: the list keeps its text, which shut-down stores as the default face.
    if (!s.family.isEmpty())
        cboFont->setEditText(s.family);
}
