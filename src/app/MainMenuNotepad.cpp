// The results pane as a notepad: file, clipboard, find, wrap and formatting commands, the
// selection tracking that keeps the buttons current, and the page setup of the pane.
#include "app/MainMenu.h"

#include "app/notepad/DocumentFile.h"
#include "app/notepad/NotepadFind.h"
#include "app/notepad/NotepadFormat.h"
#include "app/notepad/RichClipboard.h"
#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
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
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QShortcut>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextFrame>
#include <QToolButton>

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

// The Alt shortcuts of the pane act when the key is released.
enum class AltKey { None, Left, Centre, Right, IndentMore, IndentLess, Bullet };

AltKey altKeyOf(const QKeyEvent* e) {
    if ((e->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier)
        return AltKey::None;
    switch (e->key()) {
    case Qt::Key_L:
        return AltKey::Left;
    case Qt::Key_C:
        return AltKey::Centre;
    case Qt::Key_R:
        return AltKey::Right;
    case Qt::Key_D:
        return AltKey::IndentMore;
    case Qt::Key_S:
        return AltKey::IndentLess;
    case Qt::Key_O:
        return AltKey::Bullet;
    default:
        return AltKey::None;
    }
}

// The pane's keyboard and mouse: the Alt shortcuts (which would otherwise open menus),
// the clipboard keys (so they behave as the Cut, Copy and Paste commands), and the
// selection tracking after each key and click.
class PaneEvents : public QObject {
public:
    explicit PaneEvents(MainMenu* window) : QObject(window->RT), m_window(window) {
        setObjectName(QStringLiteral("PaneEvents"));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window->RT->viewport()) {
            if (event->type() == QEvent::MouseButtonRelease)
                paneClicked();
            return false;
        }
        switch (event->type()) {
        case QEvent::ShortcutOverride: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (altKeyOf(key) != AltKey::None) {
                key->accept();
                return true;
            }
            return false;
        }
        case QEvent::KeyPress:
            return keyDown(static_cast<QKeyEvent*>(event));
        case QEvent::KeyRelease:
            keyUp(static_cast<QKeyEvent*>(event));
            return false;
        default:
            return false;
        }
    }

private:
    bool keyDown(QKeyEvent* key) {
        if (altKeyOf(key) != AltKey::None)
            return true; // acted on when released
        if (m_window->isBusy())
            return false;
        if (key->matches(QKeySequence::Cut)) {
            m_window->Cut_Click();
            return true;
        }
        if (key->matches(QKeySequence::Copy)) {
            m_window->Copy_Click();
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            m_window->Paste_Click();
            return true;
        }
        return false;
    }

    void keyUp(QKeyEvent* key) {
        const char* button = nullptr;
        switch (altKeyOf(key)) {
        case AltKey::Left:
            button = "cmdLeftJ";
            break;
        case AltKey::Centre:
            button = "cmdCentreJ";
            break;
        case AltKey::Right:
            button = "cmdRightJ";
            break;
        case AltKey::IndentMore:
            button = "cmdIndentMore";
            break;
        case AltKey::IndentLess:
            button = "cmdIndentLess";
            break;
        case AltKey::Bullet:
            button = "cmdBullet";
            break;
        case AltKey::None:
            break;
        }
        if (button && !key->isAutoRepeat())
            if (auto* b = m_window->findChild<QToolButton*>(QString::fromLatin1(button)))
                b->click(); // a disabled button (busy) does nothing
        m_window->DocumentChanged = true;
        m_window->UpdateButtons();
    }

    void paneClicked() {
        m_window->FindStart = m_window->RT->textCursor().position();
        m_window->UpdateButtons();
    }

    MainMenu* m_window;
};

QToolButton* button(const MainMenu* w, const char* name) {
    return w->findChild<QToolButton*>(QString::fromLatin1(name));
}

void enableUndo(MainMenu* w) {
    w->action(QStringLiteral("undo"))->setEnabled(true);
    if (!w->isBusy())
        button(w, "cmdUndo")->setEnabled(true);
}

// Cut, Copy and Delete are offered exactly when text is selected.
void updateSelectionItems(MainMenu* w) {
    const bool selected = w->RT->textCursor().hasSelection();
    for (const char* n : {"Cut", "Copy", "Delete"})
        w->action(QString::fromLatin1(n))->setEnabled(selected);
    if (w->isBusy())
        return;
    for (const char* n : {"cmdCut", "cmdCopy", "cmdDelete"})
        button(w, n)->setEnabled(selected);
}

void mergeFormat(MainMenu* w, const QTextCharFormat& format) {
    w->RT->mergeCurrentCharFormat(format);
}

double twipsToPixels(const MainMenu* w, double twips) {
    return Twips::toPixels(twips, RichPane::LogicalDpi(w->RT));
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
bool writeDocument(MainMenu* w, const QString& path) {
    const QString error = DocumentFile::saveRich(path, *w->RT->document());
    if (error.isEmpty())
        return true;
    ProgramState& s = w->state();
    s.dialogs.show(Dialogs::Icon::Warning, product(),
                   Std(s, kSaveFailedMessage) + QStringLiteral("\r\n\r\n") +
                       QDir::toNativeSeparators(path) + QStringLiteral("\r\n") + error);
    return false;
}

Dialogs::FileRequest fileRequest(const MainMenu* w, const QString& title) {
    Dialogs::FileRequest r;
    r.title = title;
    if (!w->NotepadFileName.isEmpty())
        r.folder = QFileInfo(w->NotepadFileName).absolutePath() + QLatin1Char('/');
    return r;
}

} // namespace

void MainMenu::connectNotepad() {
    auto item = [this](const char* name, void (MainMenu::*handler)()) {
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    item("NewFile", &MainMenu::NewFile_Click);
    item("OpenFile", &MainMenu::OpenFile_Click);
    item("Save", &MainMenu::Save_Click);
    item("FileSaveAs", &MainMenu::FileSaveAs_Click);
    item("Cut", &MainMenu::Cut_Click);
    item("Copy", &MainMenu::Copy_Click);
    item("Paste", &MainMenu::Paste_Click);
    item("undo", &MainMenu::undo_Click);
    item("Delete", &MainMenu::Delete_Click);
    item("Find", &MainMenu::Find_Click);
    item("FindNext", &MainMenu::FindNext_Click);
    item("SelectAll", &MainMenu::SelectAll_Click);
    item("Wrap", &MainMenu::Wrap_Click);
    item("Page_Setup", &MainMenu::OpenPageSetup);

    auto tool = [this](const char* name, void (MainMenu::*handler)()) {
        connect(button(this, name), &QToolButton::clicked, this, handler);
    };
    tool("cmdOpen", &MainMenu::OpenFile_Click);
    tool("CmdSave", &MainMenu::Save_Click);
    tool("cmdCut", &MainMenu::Cut_Click);
    tool("cmdCopy", &MainMenu::Copy_Click);
    tool("cmdPaste", &MainMenu::Paste_Click);
    tool("cmdUndo", &MainMenu::undo_Click);
    tool("cmdDelete", &MainMenu::Delete_Click);
    tool("cmdFind", &MainMenu::Find_Click);
    tool("CmdFindNext", &MainMenu::FindNext_Click);
    tool("cmdBColour", &MainMenu::cmdBColour_Click);
    tool("cmdFColuor", &MainMenu::cmdFColuor_Click);
    tool("cmdBold", &MainMenu::cmdBold_Click);
    tool("cmdItalic", &MainMenu::cmdItalic_Click);
    tool("cmdUnderline", &MainMenu::cmdUnderline_Click);
    tool("cmdLeftJ", &MainMenu::cmdLeftJ_Click);
    tool("cmdCentreJ", &MainMenu::cmdCentreJ_Click);
    tool("cmdRightJ", &MainMenu::cmdRightJ_Click);
    tool("cmdIndentLess", &MainMenu::cmdIndentLess_Click);
    tool("cmdIndentMore", &MainMenu::cmdIndentMore_Click);
    tool("cmdBullet", &MainMenu::cmdBullet_Click);
    connect(cboFont, QOverload<int>::of(&QComboBox::activated), this, &MainMenu::cboFont_Click);
    connect(cboSize, QOverload<int>::of(&QComboBox::activated), this, &MainMenu::cboSize_Click);

    // The Ctrl shortcuts and F3 act when the key goes down, wherever the focus is in this
    // window (a text box keeps its own Ctrl+A).
    auto key = [this](const QKeySequence& seq, std::function<void()> f) {
        auto* s = new QShortcut(seq, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, [this, f] {
            if (!isBusy())
                f();
        });
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_B), [this] { button(this, "cmdBold")->click(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_T), [this] { button(this, "cmdItalic")->click(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_U), [this] { button(this, "cmdUnderline")->click(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_F), [this] { Find_Click(); });
    key(QKeySequence(Qt::Key_F3), [this] { FindNext_Click(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_W), [this] { action(QStringLiteral("Wrap"))->trigger(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_A), [this] { SelectAll_Click(); });

    auto* events = new PaneEvents(this);
    RT->installEventFilter(events);
    RT->viewport()->installEventFilter(events);
    connect(RT, &QTextEdit::selectionChanged, this, [this] { updateSelectionItems(this); });
    RT->document()->setIndentWidth(twipsToPixels(this, kBulletIndentTwips));

    // The pane's own menu offers the same commands as the Edit menu.
    RT->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RT, &QTextEdit::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        for (const char* n : {"Cut", "Copy", "Paste", "undo", "Delete", "SelectAll"})
            menu.addAction(action(QString::fromLatin1(n)));
        menu.exec(RT->viewport()->mapToGlobal(at));
    });
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
    RT->clear();
    setFrameBackground(RT, nullptr);
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
    Dialogs::FileRequest request = fileRequest(this, Frm(m_state, 59).trimmed());
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
    NotepadFileName = path;
    FindStart = 0;
    RT->clear();
    RichPane::SetColours(RT, 0xFFFFFF, 0);
    if (!file.readable || !DocumentFile::loadRich(file.bytes, RT->document())) {
        RichPane::SetColours(RT, m_state.Bib1BC, m_state.Bib1TC);
        if (file.readable) {
            RT->setPlainText(DocumentFile::decodePlain(file.bytes));
            QTextCursor all(RT->document());
            all.select(QTextCursor::Document);
            QTextCharFormat f;
            f.setForeground(WinColour::toQColor(m_state.Bib1TC));
            f.setFontPointSize(m_state.Bib1Fontsize);
            all.mergeCharFormat(f);
            RT->document()->clearUndoRedoStacks();
        } else {
            m_state.dialogs.show(Dialogs::Icon::None, product(), Std(m_state, 48));
        }
    }
    DocumentChanged = false;
    setWindowTitle(path + QStringLiteral(" - ") + product());
    RichPane::SetLineLayout(RT, true, 0, 0);
    RT->moveCursor(QTextCursor::Start);
}

void MainMenu::Save_Click() {
    if (NotepadFileName.isEmpty()) {
        FileSaveAs_Click();
        return;
    }
    if (!writeDocument(this, NotepadFileName))
        return;
    DocumentChanged = false;
    setWindowTitle(NotepadFileName);
}

void MainMenu::FileSaveAs_Click() {
    for (;;) {
        Dialogs::FileRequest request = fileRequest(this, Frm(m_state, 61).trimmed());
        request.filters = QStringList{QStringLiteral("RichText (*.rtf)")};
        request.filterIndex = 0;
        const std::optional<QString> chosen = m_state.dialogs.saveFile(request);
        // Cancelling keeps the file name and caption as they were.
        if (!chosen || chosen->isEmpty())
            return;
        const QString path = *chosen;
        if (QFileInfo::exists(path)) {
            const Dialogs::Answer a =
                m_state.dialogs.show(Dialogs::Icon::Question, product(), Std(m_state, 45),
                                     Dialogs::Buttons::YesNoCancel, Dialogs::Answer::No);
            if (a == Dialogs::Answer::No)
                continue;
            if (a == Dialogs::Answer::Cancel)
                return;
        }
        if (!writeDocument(this, path))
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
    enableUndo(this);
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
    enableUndo(this);
    DocumentChanged = true;
}

void MainMenu::undo_Click() {
    RT->setFocus();
    RT->undo();
}

void MainMenu::Delete_Click() {
    RT->setFocus();
    CheckClipboard();
    enableUndo(this);
    QTextCursor c = RT->textCursor();
    c.deleteChar();
    RT->setTextCursor(c);
}

void MainMenu::SelectAll_Click() {
    RT->selectAll();
    RT->setFocus();
    updateSelectionItems(this);
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
    if (action(QStringLiteral("Wrap"))->isChecked())
        ApplyPaneLayout();
    else
        RichPane::SetLineLayout(RT, false, kNoWrapTwips, 0);
    RT->setTextCursor(selection);
}

void MainMenu::OpenPageSetup() {
    PageSetup window(m_state, RT, action(QStringLiteral("Wrap")), this);
    window.exec();
}

// ---------------------------------------------------------------------------------------
// Formatting

namespace {
// The button has toggled already; the attribute becomes the opposite of the selection's,
// and with text selected the button then shows what the selection has.
void toggleCharacter(MainMenu* w, const char* name, bool NotepadFormat::State::*attribute,
                     const std::function<void(QTextCharFormat&, bool)>& set) {
    const bool on = !(NotepadFormat::stateOf(w->RT->textCursor()).*attribute);
    QTextCharFormat f;
    set(f, on);
    mergeFormat(w, f);
    if (w->RT->textCursor().hasSelection())
        button(w, name)->setChecked(NotepadFormat::stateOf(w->RT->textCursor()).*attribute);
    enableUndo(w);
    w->RT->setFocus();
}
} // namespace

void MainMenu::cmdBold_Click() {
    toggleCharacter(this, "cmdBold", &NotepadFormat::State::bold, [](QTextCharFormat& f, bool on) {
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    });
}

void MainMenu::cmdItalic_Click() {
    toggleCharacter(this, "cmdItalic", &NotepadFormat::State::italic,
                    [](QTextCharFormat& f, bool on) { f.setFontItalic(on); });
}

void MainMenu::cmdUnderline_Click() {
    toggleCharacter(this, "cmdUnderline", &NotepadFormat::State::underline,
                    [](QTextCharFormat& f, bool on) { f.setFontUnderline(on); });
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
    NotepadFormat::changeIndent(RT->textCursor(), twipsToPixels(this, kIndentStepTwips));
    RT->setFocus();
}

void MainMenu::cmdIndentLess_Click() {
    NotepadFormat::changeIndent(RT->textCursor(), -twipsToPixels(this, kIndentStepTwips));
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
    enableUndo(this);
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
    enableUndo(this);
    RT->setFocus();
}

void MainMenu::cboFont_Click(int index) {
    const QString face = cboFont->itemText(index).trimmed();
    if (face.isEmpty())
        return;
    m_state.DEFAULTFONT = face;
    QTextCharFormat f;
    f.setFontFamilies({face});
    mergeFormat(this, f);
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
    mergeFormat(this, f);
    enableUndo(this);
    RT->setFocus();
}

void MainMenu::UpdateButtons() {
    const NotepadFormat::State s = NotepadFormat::stateOf(RT->textCursor());
    button(this, "cmdBold")->setChecked(s.bold);
    button(this, "cmdItalic")->setChecked(s.italic);
    button(this, "cmdUnderline")->setChecked(s.underline);
    const Qt::Alignment a = s.alignment;
    button(this, "cmdLeftJ")->setChecked(a == Qt::AlignLeft);
    button(this, "cmdCentreJ")->setChecked(a == Qt::AlignHCenter);
    button(this, "cmdRightJ")->setChecked(a == Qt::AlignRight);
    button(this, "cmdBullet")->setChecked(s.bullet);
    cboSize->setEditText(s.pointSize > 0 ? QString::number(s.pointSize) : QString());
    // Several faces: the list keeps its text, which shut-down stores as the default face.
    if (!s.family.isEmpty())
        cboFont->setEditText(s.family);
}

// ---------------------------------------------------------------------------------------
// Still provided by later work.

void MainMenu::LoadBookmarks() {}

void MainMenu::QuitDiary() {}
