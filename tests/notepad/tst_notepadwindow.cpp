// The notepad commands of the real main window, driven offscreen with scripted dialogs.
#include "MainMenuFixture.h"
#include "ModalDriver.h"
#include "app/notepad/NotepadFormat.h"
#include "library/TolvaneRoutines.h"
#include "platform/RichPane.h"
#include "platform/Twips.h"
#include "platform/WinColour.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextFrame>
#include <QToolButton>
#include <memory>

using Answer = Dialogs::Answer;

namespace {

std::unique_ptr<MainMenuFixture> loaded() {
    auto f = std::make_unique<MainMenuFixture>();
    f->load();
    f->window->activateWindow();
    if (!QTest::qWaitForWindowActive(f->window.get()))
        qWarning("main window did not become active");
    ctl<QTextEdit>(*f->window, "RT")->setFocus();
    return f;
}

QToolButton* tool(MainMenuFixture& f, const char* name) {
    return f.window->findChild<QToolButton*>(QString::fromLatin1(name));
}

QAction* item(MainMenuFixture& f, const char* name) {
    return ctl<QAction>(*f.window, name);
}

// The pane holding text as if it had just been opened: nothing unsaved.
void setText(MainMenuFixture& f, const QString& text) {
    ctl<QTextEdit>(*f.window, "RT")->setPlainText(text);
    ctl<QTextEdit>(*f.window, "RT")->moveCursor(QTextCursor::Start);
    f.window->setDocumentChanged(false);
}

void selectRange(MainMenuFixture& f, int from, int to) {
    QTextCursor c = ctl<QTextEdit>(*f.window, "RT")->textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    ctl<QTextEdit>(*f.window, "RT")->setTextCursor(c);
}

NotepadFormat::State stateOf(MainMenuFixture& f, int from, int to) {
    QTextCursor c(ctl<QTextEdit>(*f.window, "RT")->document());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    return NotepadFormat::stateOf(c);
}

QString fileIn(MainMenuFixture& f, const char* name) {
    return f.folder.file(QString::fromLatin1(name));
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QColor baseOf(MainMenuFixture& f) {
    return ctl<QTextEdit>(*f.window, "RT")->palette().color(QPalette::Base);
}

int pixels(MainMenuFixture& f, double twips) {
    return Twips::toPixelsRounded(twips, RichPane::LogicalDpi(ctl<QTextEdit>(*f.window, "RT")));
}

} // namespace

class TestNotepadWindow : public QObject {
    Q_OBJECT
private slots:
    void typingMarksChangesAndQuittingAsks();
    void quittingWithYesSavesOrStaysOpen();
    void openLoadsPlainTextInSearchColours();
    void openLoadsRichTextOnWhite();
    void openAsksAboutUnsavedChanges();
    void openOfAMissingFileChangesNothing();
    void saveAfterOpenWritesBackWithoutADialog();
    void saveAsOntoAnExistingFile();
    void failedSaveIsReportedAndChangesStay();
    void newWithChanges();
    void findFromTheFirstCharacter();
    void findStartsAtTheClick();
    void wrapTogglesBetweenPageAndNoWrap();
    void characterFormatsToggle();
    void altShortcutsActWhenReleased();
    void colourCommands();
    void fontAndSizeLists();
    void clipboardCommandsKeepFormatting();
    void selectionTracking();
    void longPlainFileLoadsInPiecesAndCanBeStopped();
    void newStartsInTheReaderFormat();
    void saveAsAddsTheExtensionAndDialogsRememberTheFolder();
    void standardShortcutsReachTheirCommands();
};

void TestNotepadWindow::typingMarksChangesAndQuittingAsks() {
    auto f = loaded();
    QVERIFY(!f->window->documentChanged());
    QTest::keyClicks(ctl<QTextEdit>(*f->window, "RT"), QStringLiteral("x"));
    QVERIFY(f->window->documentChanged());

    f->dialogs.expectMessage(Answer::Cancel, QStringLiteral("not been saved"));
    QVERIFY(!f->window->close());
    QCOMPARE(f->endRequests, 0);
    QCOMPARE(f->dialogs.records().last().box.title,
             QStringLiteral("Save File ") + TolvaneRoutines::ProductName());
    QCOMPARE(f->dialogs.records().last().box.buttons, Dialogs::Buttons::YesNoCancel);

    f->dialogs.expectMessage(Answer::No);
    QVERIFY(f->window->close());
    QCOMPARE(f->endRequests, 1);
    QCOMPARE(f->dialogs.pending(), 0);
}

void TestNotepadWindow::quittingWithYesSavesOrStaysOpen() {
    auto f = loaded();
    QTest::keyClicks(ctl<QTextEdit>(*f->window, "RT"), QStringLiteral("Amen"));
    // Yes, then cancelling the save dialog: the window stays open.
    f->dialogs.expectMessage(Answer::Yes);
    f->dialogs.expectSaveFile(std::nullopt);
    QVERIFY(!f->window->close());
    QCOMPARE(f->endRequests, 0);

    const QString path = fileIn(*f, "amen.rtf");
    f->dialogs.expectMessage(Answer::Yes);
    f->dialogs.expectSaveFile(path);
    QVERIFY(f->window->close());
    QCOMPARE(f->endRequests, 1);
    QVERIFY(readFile(path).startsWith("{\\rtf"));
    QVERIFY(readFile(path).contains("Amen"));
}

void TestNotepadWindow::openLoadsPlainTextInSearchColours() {
    auto f = loaded();
    f->state->Bib1BC = 0x00FFEE; // yellow-green background, as a Windows colour
    f->state->Bib1TC = 0x800000; // dark blue text
    f->state->Bib1Fontsize = 17;
    const QString path = fileIn(*f, "psalm.txt");
    writeFile(path, "The Lord is my shepherd\r\nI shall not want\r\n");
    f->window->setDocumentChanged(false);
    f->dialogs.expectOpenFile(path);
    tool(*f, "cmdOpen")->click();

    QCOMPARE(ctl<QTextEdit>(*f->window, "RT")->toPlainText(),
             QStringLiteral("The Lord is my shepherd\nI shall not want\n"));
    QCOMPARE(baseOf(*f), WinColour::toQColor(0x00FFEE));
    const QTextCharFormat fmt =
        ctl<QTextEdit>(*f->window, "RT")->document()->begin().begin().fragment().charFormat();
    QCOMPARE(fmt.foreground().color(), WinColour::toQColor(0x800000));
    QCOMPARE(fmt.fontPointSize(), 17.0);
    QCOMPARE(f->window->windowTitle(),
             path + QStringLiteral(" - ") + TolvaneRoutines::ProductName());
    QCOMPARE(f->window->notepadFileName(), path);
    QCOMPARE(ctl<QTextEdit>(*f->window, "RT")->lineWrapMode(), QTextEdit::WidgetWidth);
    QVERIFY(!f->window->documentChanged());
    const ScriptedDialogs::Record open = f->dialogs.records().last();
    QCOMPARE(open.kind, ScriptedDialogs::Kind::OpenFile);
}

void TestNotepadWindow::openLoadsRichTextOnWhite() {
    auto f = loaded();
    QTextDocument source;
    source.setPlainText(QStringLiteral("Jesus wept"));
    QTextCursor c(&source);
    c.setPosition(0);
    c.setPosition(5, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.mergeCharFormat(bold);
    const QString path = fileIn(*f, "wept.rtf");
    writeFile(path, RtfWriter::write(source));

    // Long lines from a page layout are set back to the window's edge.
    RichPane::SetLineLayout(ctl<QTextEdit>(*f->window, "RT"), false, 3000, 300);
    f->dialogs.expectOpenFile(path);
    item(*f, "OpenFile")->trigger();
    QCOMPARE(ctl<QTextEdit>(*f->window, "RT")->toPlainText(), QStringLiteral("Jesus wept"));
    QVERIFY(stateOf(*f, 0, 5).bold);
    QVERIFY(!stateOf(*f, 6, 10).bold);
    QCOMPARE(baseOf(*f), QColor(Qt::white));
    QCOMPARE(ctl<QTextEdit>(*f->window, "RT")->lineWrapMode(), QTextEdit::WidgetWidth);
    QVERIFY(!f->window->documentChanged());
}

void TestNotepadWindow::openAsksAboutUnsavedChanges() {
    auto f = loaded();
    const QString first = fileIn(*f, "first.txt");
    writeFile(first, "first");
    f->dialogs.expectOpenFile(first);
    item(*f, "OpenFile")->trigger();
    QTest::keyClicks(ctl<QTextEdit>(*f->window, "RT"), QStringLiteral("!"));

    // Cancel: nothing else happens.
    f->dialogs.expectMessage(Answer::Cancel, QStringLiteral("first.txt"));
    item(*f, "OpenFile")->trigger();
    QCOMPARE(f->dialogs.records().last().box.title,
             QStringLiteral("Current File not saved ") + TolvaneRoutines::ProductName());
    QCOMPARE(f->dialogs.pending(), 0);
    QVERIFY(f->window->documentChanged());

    // Yes: saved back to the file, then the dialog; No: straight to the dialog.
    const QString second = fileIn(*f, "second.txt");
    writeFile(second, "second");
    f->dialogs.expectMessage(Answer::Yes);
    f->dialogs.expectOpenFile(second);
    item(*f, "OpenFile")->trigger();
    QVERIFY(readFile(first).startsWith("{\\rtf"));
    QCOMPARE(ctl<QTextEdit>(*f->window, "RT")->toPlainText(), QStringLiteral("second"));

    QTest::keyClicks(ctl<QTextEdit>(*f->window, "RT"), QStringLiteral("?"));
    f->dialogs.expectMessage(Answer::No);
    f->dialogs.expectOpenFile(std::nullopt); // cancelled: the pane keeps its text
    item(*f, "OpenFile")->trigger();
    QVERIFY(ctl<QTextEdit>(*f->window, "RT")->toPlainText().contains(QLatin1Char('?')));
    QVERIFY(f->window->documentChanged());
    QCOMPARE(readFile(second), QByteArray("second"));
}

void TestNotepadWindow::openOfAMissingFileChangesNothing() {
    auto f = loaded();
    setText(*f, QStringLiteral("kept"));
    const QString missing = fileIn(*f, "nowhere.rtf");
    f->dialogs.expectOpenFile(missing);
    f->dialogs.expectMessage(Answer::Ok, QStringLiteral("nowhere.rtf"));
    item(*f, "OpenFile")->trigger();
    QCOMPARE(f->dialogs.records().last().box.icon, Dialogs::Icon::Warning);
    QCOMPARE(ctl<QTextEdit>(*f->window, "RT")->toPlainText(), QStringLiteral("kept"));
    QVERIFY(f->window->notepadFileName().isEmpty());
}

void TestNotepadWindow::saveAfterOpenWritesBackWithoutADialog() {
    auto f = loaded();
    const QString path = fileIn(*f, "plain.txt");
    writeFile(path, "plain words");
    f->dialogs.expectOpenFile(path);
    item(*f, "OpenFile")->trigger();
    ctl<QTextEdit>(*f->window, "RT")->moveCursor(QTextCursor::End);
    QTest::keyClicks(ctl<QTextEdit>(*f->window, "RT"), QStringLiteral(" more"));
    QVERIFY(f->window->documentChanged());

    tool(*f, "CmdSave")->click();
    QCOMPARE(f->dialogs.pending(), 0);
    QVERIFY(!f->window->documentChanged());
    QCOMPARE(f->window->windowTitle(), path);
    const QByteArray written = readFile(path);
    QVERIFY(written.startsWith("{\\rtf")); // plain text is written back as rich text
    QTextDocument back;
    QVERIFY(RtfReader::read(written, &back).isRtf);
    QCOMPARE(back.toPlainText(), QStringLiteral("plain words more"));
}

void TestNotepadWindow::saveAsOntoAnExistingFile() {
    auto f = loaded();
    const QString existing = fileIn(*f, "existing.rtf");
    writeFile(existing, "old");
    const QString other = fileIn(*f, "other.rtf");
    QTest::keyClicks(ctl<QTextEdit>(*f->window, "RT"), QStringLiteral("new words"));
    const QString title = f->window->windowTitle();

    // Cancel at the question: nothing saved, nothing changed.
    f->dialogs.expectSaveFile(existing);
    f->dialogs.expectMessage(Answer::Cancel, QStringLiteral("already exists"));
    item(*f, "FileSaveAs")->trigger();
    QCOMPARE(readFile(existing), QByteArray("old"));
    QVERIFY(f->window->documentChanged());
    QCOMPARE(f->window->windowTitle(), title);
    QCOMPARE(f->dialogs.records().last().box.defaultButton, Answer::No);

    // No: the dialog again; then a new name is saved.
    f->dialogs.expectSaveFile(existing);
    f->dialogs.expectMessage(Answer::No);
    f->dialogs.expectSaveFile(other);
    item(*f, "FileSaveAs")->trigger();
    QCOMPARE(readFile(existing), QByteArray("old"));
    QVERIFY(readFile(other).contains("new words"));
    QVERIFY(!f->window->documentChanged());
    QCOMPARE(f->window->windowTitle(), other);

    // Yes replaces the file.
    QTest::keyClicks(ctl<QTextEdit>(*f->window, "RT"), QStringLiteral("!"));
    f->dialogs.expectSaveFile(existing);
    f->dialogs.expectMessage(Answer::Yes);
    item(*f, "FileSaveAs")->trigger();
    QVERIFY(readFile(existing).contains("new words!"));
    QCOMPARE(f->window->notepadFileName(), existing);
    QCOMPARE(f->dialogs.pending(), 0);
}

void TestNotepadWindow::failedSaveIsReportedAndChangesStay() {
    auto f = loaded();
    QTest::keyClicks(ctl<QTextEdit>(*f->window, "RT"), QStringLiteral("precious"));
    const QString title = f->window->windowTitle();
    const QString bad = fileIn(*f, "no/such/folder/x.rtf");
    f->dialogs.expectSaveFile(bad);
    f->dialogs.expectMessage(Answer::Ok, QStringLiteral("could not be saved"));
    item(*f, "FileSaveAs")->trigger();
    QVERIFY(f->window->documentChanged());
    QCOMPARE(f->window->windowTitle(), title);
    QVERIFY(f->window->notepadFileName().isEmpty());
    QVERIFY(f->dialogs.records().last().box.text.contains(QStringLiteral("x.rtf")));

    // Quitting after a failed save keeps the window open.
    f->dialogs.expectMessage(Answer::Yes);
    f->dialogs.expectSaveFile(bad);
    f->dialogs.expectMessage(Answer::Ok, QStringLiteral("could not be saved"));
    QVERIFY(!f->window->close());
    QCOMPARE(f->endRequests, 0);
    QCOMPARE(f->dialogs.pending(), 0);
}

void TestNotepadWindow::newWithChanges() {
    auto f = loaded();
    const QString path = fileIn(*f, "kept.txt");
    writeFile(path, "kept");
    f->dialogs.expectOpenFile(path);
    item(*f, "OpenFile")->trigger();
    QTest::keyClicks(ctl<QTextEdit>(*f->window, "RT"), QStringLiteral("x"));

    f->dialogs.expectMessage(Answer::No, QStringLiteral("Clear it anyway"));
    item(*f, "NewFile")->trigger();
    QCOMPARE(f->dialogs.records().last().box.defaultButton, Answer::No);
    QCOMPARE(f->dialogs.records().last().box.icon, Dialogs::Icon::Warning);
    QVERIFY(!ctl<QTextEdit>(*f->window, "RT")->toPlainText().isEmpty());

    f->dialogs.expectMessage(Answer::Yes);
    item(*f, "NewFile")->trigger();
    QVERIFY(ctl<QTextEdit>(*f->window, "RT")->toPlainText().isEmpty());
    QVERIFY(f->window->documentChanged()); // quitting still asks
    QCOMPARE(f->window->windowTitle(), QStringLiteral("New Document"));

    // The new document does not overwrite the file that was open.
    f->dialogs.expectSaveFile(std::nullopt);
    item(*f, "Save")->trigger();
    QCOMPARE(readFile(path), QByteArray("kept"));
    QCOMPARE(f->dialogs.pending(), 0);
}

void TestNotepadWindow::findFromTheFirstCharacter() {
    auto f = loaded();
    setText(*f, QStringLiteral("Amen. Say amen! AMEN"));
    f->dialogs.expectInput(QStringLiteral("amen"));
    item(*f, "Find")->trigger();
    QCOMPARE(f->dialogs.records().last().box.title,
             TolvaneRoutines::ProductName() + QStringLiteral(" Search"));
    QCOMPARE(ctl<QTextEdit>(*f->window, "RT")->textCursor().selectionStart(), 0);
    QCOMPARE(ctl<QTextEdit>(*f->window, "RT")->textCursor().selectedText(), QStringLiteral("Amen"));

    QTest::keyClick(ctl<QTextEdit>(*f->window, "RT"), Qt::Key_F3);
    QCOMPARE(ctl<QTextEdit>(*f->window, "RT")->textCursor().selectionStart(), 10);
    tool(*f, "CmdFindNext")->click();
    QCOMPARE(f->window->findPosition(), 16);
    f->dialogs.expectMessage(Answer::Ok, QStringLiteral("not found"));
    item(*f, "FindNext")->trigger();
    QCOMPARE(f->dialogs.records().last().box.icon, Dialogs::Icon::Information);
    QCOMPARE(f->window->findPosition(), -1);

    // An empty answer stops; the old text stays.
    f->dialogs.expectInput(QString());
    QTest::keyClick(ctl<QTextEdit>(*f->window, "RT"), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(f->window->findText(), QStringLiteral("amen"));
    QCOMPARE(f->dialogs.pending(), 0);
}

void TestNotepadWindow::findStartsAtTheClick() {
    auto f = loaded();
    setText(*f, QStringLiteral("light light light"));
    ctl<QTextEdit>(*f->window, "RT")->show();
    const QRect second = ctl<QTextEdit>(*f->window, "RT")->cursorRect([&] {
        QTextCursor c(ctl<QTextEdit>(*f->window, "RT")->document());
        c.setPosition(7);
        return c;
    }());
    QTest::mouseClick(ctl<QTextEdit>(*f->window, "RT")->viewport(), Qt::LeftButton, {},
                      second.center());
    const int caret = ctl<QTextEdit>(*f->window, "RT")->textCursor().position();
    QCOMPARE(f->window->findStart(), caret);
    QVERIFY(caret > 6 && caret < 12);
    f->dialogs.expectInput(QStringLiteral("light"));
    tool(*f, "cmdFind")->click();
    QCOMPARE(f->window->findPosition(), 12);
}

void TestNotepadWindow::wrapTogglesBetweenPageAndNoWrap() {
    auto f = loaded();
    ProgramState& s = *f->state;
    s.CM_IN = 0;
    s.WidthPage = 210;
    s.MarginRight = 20;
    s.MarginLeft = 25;
    s.FitToDesktop = 0;
    QTextEdit* rt = ctl<QTextEdit>(*f->window, "RT");
    setText(*f, QStringLiteral("In the beginning"));
    selectRange(*f, 3, 6);

    item(*f, "Wrap")->trigger(); // ticked: the page layout
    QVERIFY(item(*f, "Wrap")->isChecked());
    QCOMPARE(rt->lineWrapMode(), QTextEdit::FixedPixelWidth);
    QCOMPARE(rt->lineWrapColumnOrWidth(), pixels(*f, 190 * 56.7));
    QCOMPARE(rt->document()->rootFrame()->frameFormat().leftMargin(),
             Twips::toPixels(25 * 56.7, RichPane::LogicalDpi(rt)));
    QCOMPARE(rt->textCursor().selectionStart(), 3);
    QCOMPARE(rt->textCursor().selectionEnd(), 6);

    QTest::keyClick(rt, Qt::Key_W, Qt::ControlModifier); // unticked: no wrapping
    QVERIFY(!item(*f, "Wrap")->isChecked());
    QCOMPARE(rt->lineWrapColumnOrWidth(), pixels(*f, 128000));
    QCOMPARE(rt->document()->rootFrame()->frameFormat().leftMargin(), 0.0);

    s.CM_IN = 1; // inches
    s.WidthPage = 8.5;
    s.MarginLeft = 0.5;
    s.MarginRight = 1;
    item(*f, "Wrap")->trigger();
    QCOMPARE(rt->lineWrapColumnOrWidth(), pixels(*f, 7.5 * 1440));

    s.FitToDesktop = 1;
    item(*f, "Wrap")->trigger();
    item(*f, "Wrap")->trigger();
    QCOMPARE(rt->lineWrapMode(), QTextEdit::WidgetWidth);
}

void TestNotepadWindow::characterFormatsToggle() {
    auto f = loaded();
    QTextEdit* rt = ctl<QTextEdit>(*f->window, "RT");
    setText(*f, QStringLiteral("Holy holy holy"));
    QVERIFY(!item(*f, "undo")->isEnabled());
    selectRange(*f, 0, 4);

    tool(*f, "cmdBold")->click();
    QVERIFY(stateOf(*f, 0, 4).bold);
    QVERIFY(!stateOf(*f, 5, 9).bold);
    QVERIFY(tool(*f, "cmdBold")->isChecked());
    QVERIFY(item(*f, "undo")->isEnabled());
    QVERIFY(tool(*f, "cmdUndo")->isEnabled());

    QTest::keyClick(rt, Qt::Key_B, Qt::ControlModifier);
    QVERIFY(!stateOf(*f, 0, 4).bold);
    QVERIFY(!tool(*f, "cmdBold")->isChecked());

    QTest::keyClick(rt, Qt::Key_T, Qt::ControlModifier);
    QVERIFY(stateOf(*f, 0, 4).italic);
    QTest::keyClick(rt, Qt::Key_U, Qt::ControlModifier);
    QVERIFY(stateOf(*f, 0, 4).underline);
    QVERIFY(tool(*f, "cmdUnderline")->isChecked());

    // Half bold counts as not bold: the whole selection becomes bold.
    selectRange(*f, 0, 9);
    tool(*f, "cmdBold")->click();
    selectRange(*f, 5, 14);
    tool(*f, "cmdBold")->click();
    QVERIFY(stateOf(*f, 0, 14).bold);

    tool(*f, "cmdUndo")->click();
    QVERIFY(stateOf(*f, 0, 9).bold);
    QVERIFY(!stateOf(*f, 10, 14).bold);
    QVERIFY(rt->hasFocus());
}

void TestNotepadWindow::altShortcutsActWhenReleased() {
    auto f = loaded();
    QTextEdit* rt = ctl<QTextEdit>(*f->window, "RT");
    setText(*f, QStringLiteral("one\ntwo\nthree"));
    selectRange(*f, 0, 5);

    QTest::keyPress(rt, Qt::Key_C, Qt::AltModifier);
    QCOMPARE(stateOf(*f, 0, 5).alignment, Qt::Alignment(Qt::AlignLeft));
    QTest::keyRelease(rt, Qt::Key_C, Qt::AltModifier);
    QCOMPARE(stateOf(*f, 0, 5).alignment, Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(stateOf(*f, 9, 10).alignment, Qt::Alignment(Qt::AlignLeft));
    QVERIFY(tool(*f, "cmdCentreJ")->isChecked());
    QCOMPARE(rt->toPlainText(), QStringLiteral("one\ntwo\nthree")); // nothing typed

    QTest::keyClick(rt, Qt::Key_R, Qt::AltModifier);
    QCOMPARE(stateOf(*f, 0, 5).alignment, Qt::Alignment(Qt::AlignRight));
    QVERIFY(tool(*f, "cmdRightJ")->isChecked());
    QVERIFY(!tool(*f, "cmdCentreJ")->isChecked());
    QTest::keyClick(rt, Qt::Key_L, Qt::AltModifier);
    QCOMPARE(stateOf(*f, 0, 5).alignment, Qt::Alignment(Qt::AlignLeft));

    const double step = Twips::toPixels(500, RichPane::LogicalDpi(rt));
    QTest::keyClick(rt, Qt::Key_D, Qt::AltModifier);
    QTest::keyClick(rt, Qt::Key_D, Qt::AltModifier);
    QCOMPARE(rt->document()->findBlockByNumber(1).blockFormat().leftMargin(), 2 * step);
    QCOMPARE(rt->document()->findBlockByNumber(2).blockFormat().leftMargin(), 0.0);
    QTest::keyClick(rt, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(rt->document()->findBlockByNumber(0).blockFormat().leftMargin(), step);

    QTest::keyClick(rt, Qt::Key_O, Qt::AltModifier);
    QVERIFY(rt->document()->findBlockByNumber(0).textList());
    QVERIFY(tool(*f, "cmdBullet")->isChecked());
    QCOMPARE(rt->textCursor().selectionStart(), 0); // the selection stays
    QCOMPARE(rt->textCursor().selectionEnd(), 5);
    tool(*f, "cmdBullet")->click();
    QVERIFY(!rt->document()->findBlockByNumber(0).textList());
    QVERIFY(!tool(*f, "cmdBullet")->isChecked());
}

void TestNotepadWindow::colourCommands() {
    auto f = loaded();
    setText(*f, QStringLiteral("Scarlet as snow"));
    selectRange(*f, 0, 7);
    f->dialogs.expectColour(QColor(200, 10, 20));
    tool(*f, "cmdFColuor")->click();
    QCOMPARE(f->state->Bib1TC, quint32(200 | (10 << 8) | (20 << 16)));
    QTextCursor c(ctl<QTextEdit>(*f->window, "RT")->document());
    c.setPosition(3);
    QCOMPARE(c.charFormat().foreground().color(), QColor(200, 10, 20));
    QVERIFY(item(*f, "undo")->isEnabled());

    f->dialogs.expectColour(std::nullopt); // cancelled: nothing changes
    tool(*f, "cmdFColuor")->click();
    QCOMPARE(f->state->Bib1TC, quint32(200 | (10 << 8) | (20 << 16)));

    f->dialogs.expectColour(QColor(0, 0, 64));
    tool(*f, "cmdBColour")->click();
    QCOMPARE(f->state->Bib1BC, quint32(64 << 16));
    QCOMPARE(baseOf(*f), QColor(0, 0, 64));
    QCOMPARE(f->dialogs.pending(), 0);
}

void TestNotepadWindow::fontAndSizeLists() {
    auto f = loaded();
    setText(*f, QStringLiteral("Great is thy faithfulness"));
    selectRange(*f, 0, 5);
    QComboBox* size = ctl<QComboBox>(*f->window, "cboSize");
    const int twenty = size->findText(QStringLiteral("20"));
    QVERIFY(twenty > 0);
    size->setCurrentIndex(twenty);
    emit size->activated(twenty);
    QCOMPARE(stateOf(*f, 0, 5).pointSize, 20.0);
    QCOMPARE(int(f->state->Bib1Fontsize), 20);
    QVERIFY(item(*f, "undo")->isEnabled());

    QComboBox* font = ctl<QComboBox>(*f->window, "cboFont");
    font->addItem(QStringLiteral("Test Face"));
    const int face = font->count() - 1;
    emit font->activated(face);
    QCOMPARE(stateOf(*f, 0, 5).family, QStringLiteral("Test Face"));
    QCOMPARE(f->state->DEFAULTFONT, QStringLiteral("Test Face"));

    // The lists then show what the caret's text has.
    selectRange(*f, 1, 3);
    f->window->UpdateButtons();
    QCOMPARE(size->currentText(), QStringLiteral("20"));
    QCOMPARE(font->currentText(), QStringLiteral("Test Face"));
    selectRange(*f, 3, 9); // two sizes: the list shows none
    f->window->UpdateButtons();
    QCOMPARE(size->currentText(), QString());
}

void TestNotepadWindow::clipboardCommandsKeepFormatting() {
    auto f = loaded();
    QTextEdit* rt = ctl<QTextEdit>(*f->window, "RT");
    setText(*f, QStringLiteral("Peace be still"));
    selectRange(*f, 0, 6);
    tool(*f, "cmdBold")->click();
    f->window->setDocumentChanged(false);

    tool(*f, "cmdCut")->click();
    QCOMPARE(rt->toPlainText(), QStringLiteral("be still"));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->hasFormat(QStringLiteral("text/rtf")));
    QCOMPARE(data->text(), QStringLiteral("Peace "));
    QVERIFY(item(*f, "Paste")->isEnabled());
    QVERIFY(f->window->documentChanged());

    rt->moveCursor(QTextCursor::End);
    QTest::keyClick(rt, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(rt->toPlainText(), QStringLiteral("be stillPeace "));
    QVERIFY(stateOf(*f, 8, 13).bold);
    QVERIFY(!stateOf(*f, 0, 8).bold);

    item(*f, "undo")->trigger();
    QCOMPARE(rt->toPlainText(), QStringLiteral("be still"));

    // Text from elsewhere, without RTF, pastes as it is.
    QGuiApplication::clipboard()->setText(QStringLiteral(" now"));
    item(*f, "Paste")->trigger();
    QCOMPARE(rt->toPlainText(), QStringLiteral("be still now"));

    // Copy with nothing selected (only the key can ask for it: the item and button are
    // off) leaves an empty clipboard and no Paste.
    QVERIFY(!item(*f, "Copy")->isEnabled());
    QVERIFY(!tool(*f, "cmdCopy")->isEnabled());
    f->window->setDocumentChanged(false);
    QTest::keyPress(rt, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(!item(*f, "Paste")->isEnabled());
    QVERIFY(!tool(*f, "cmdPaste")->isEnabled());
    QVERIFY(f->window->documentChanged());
    QTest::keyRelease(rt, Qt::Key_C, Qt::ControlModifier);

    selectRange(*f, 0, 2);
    QTest::keyClick(rt, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("be"));
    selectRange(*f, 0, 3);
    item(*f, "Delete")->trigger();
    QCOMPARE(rt->toPlainText(), QStringLiteral("still now"));
    QVERIFY(item(*f, "Paste")->isEnabled());
}

void TestNotepadWindow::selectionTracking() {
    auto f = loaded();
    setText(*f, QStringLiteral("Be still"));
    for (const char* n : {"Cut", "Copy", "Delete"})
        QVERIFY2(!item(*f, n)->isEnabled(), n);
    QTest::keyClick(ctl<QTextEdit>(*f->window, "RT"), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(ctl<QTextEdit>(*f->window, "RT")->textCursor().selectedText(),
             QStringLiteral("Be still"));
    for (const char* n : {"Cut", "Copy", "Delete"})
        QVERIFY2(item(*f, n)->isEnabled(), n);
    QVERIFY(tool(*f, "cmdCut")->isEnabled());
    QTest::keyClick(ctl<QTextEdit>(*f->window, "RT"), Qt::Key_End);
    QVERIFY(!item(*f, "Copy")->isEnabled());
    QVERIFY(!tool(*f, "cmdDelete")->isEnabled());

    // Only edits mark the document as changed: moving about, modifier keys and shortcuts
    // that change nothing do not; typing and formatting do.
    f->window->setDocumentChanged(false);
    QTextEdit* rt = ctl<QTextEdit>(*f->window, "RT");
    QTest::keyClick(rt, Qt::Key_Left);
    QTest::keyClick(rt, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(rt, Qt::Key_Control);
    QTest::keyClick(rt, Qt::Key_C, Qt::ControlModifier);
    f->window->setDocumentChanged(false); // Copy marks it, as the command always has
    QTest::keyClick(rt, Qt::Key_Home);
    QVERIFY(!f->window->documentChanged());
    QTest::keyClick(rt, Qt::Key_L, Qt::AltModifier);
    QVERIFY(f->window->documentChanged());
    f->window->setDocumentChanged(false);
    QTest::keyClicks(rt, QStringLiteral("x"));
    QVERIFY(f->window->documentChanged());
}

void TestNotepadWindow::longPlainFileLoadsInPiecesAndCanBeStopped() {
    auto f = loaded();
    QTextEdit* rt = ctl<QTextEdit>(*f->window, "RT");
    setText(*f, QStringLiteral("notes kept"));
    const QString path = fileIn(*f, "long.txt");
    QByteArray bytes;
    for (int i = 0; i < 60000; ++i)
        bytes += "Line " + QByteArray::number(i) + " of a long plain text file\r\n";
    writeFile(path, bytes);

    // Stopped half-way: the pane, its file and its caption stay as they were.
    bool sawBusy = false;
    QTimer stopper;
    stopper.setInterval(0);
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (!f->window->isBusy())
            return;
        sawBusy = rt->isReadOnly() && !ctl<QProgressBar>(*f->window, "PBar")->isHidden();
        ctl<QPushButton>(*f->window, "cStop")->click();
    });
    stopper.start();
    const QString title = f->window->windowTitle();
    f->dialogs.expectOpenFile(path);
    item(*f, "OpenFile")->trigger();
    stopper.stop();
    QVERIFY(sawBusy);
    QCOMPARE(rt->toPlainText(), QStringLiteral("notes kept"));
    QVERIFY(f->window->notepadFileName().isEmpty());
    QCOMPARE(f->window->windowTitle(), title);
    QVERIFY(!f->window->isBusy());

    // Let through: every line, as it was, with nothing to save.
    f->dialogs.expectOpenFile(path);
    item(*f, "OpenFile")->trigger();
    QCOMPARE(rt->document()->blockCount(), 60000 + 1);
    QCOMPARE(rt->document()->findBlockByNumber(59999).text(),
             QStringLiteral("Line 59999 of a long plain text file"));
    QVERIFY(!f->window->documentChanged());
    QVERIFY(!rt->document()->isUndoAvailable());
    QTest::keyClicks(rt, QStringLiteral("x"));
    QVERIFY(f->window->documentChanged());
}

void TestNotepadWindow::newStartsInTheReaderFormat() {
    auto f = loaded();
    QTextEdit* rt = ctl<QTextEdit>(*f->window, "RT");
    QTextCharFormat odd;
    odd.setFontUnderline(true);
    odd.setFontWeight(QFont::Bold);
    odd.setForeground(Qt::magenta);
    odd.setFontPointSize(30);
    rt->setCurrentCharFormat(odd);
    QTest::keyClicks(rt, QStringLiteral("odd"));
    f->dialogs.expectMessage(Answer::Yes);
    item(*f, "NewFile")->trigger();
    const QTextCharFormat typing = rt->currentCharFormat();
    QVERIFY(!typing.fontUnderline());
    QCOMPARE(typing.fontWeight(), int(QFont::Normal));
    QCOMPARE(typing.foreground().color(), WinColour::toQColor(f->state->Bib1TC));
    QCOMPARE(typing.font().pointSizeF(), double(f->state->Bib1Fontsize));
    QCOMPARE(typing.font().family(), f->state->DEFAULTFONT);
    QCOMPARE(baseOf(*f), WinColour::toQColor(f->state->Bib1BC));
    QVERIFY(!tool(*f, "cmdBold")->isChecked());
    QVERIFY(!tool(*f, "cmdUnderline")->isChecked());
}

void TestNotepadWindow::saveAsAddsTheExtensionAndDialogsRememberTheFolder() {
    auto f = loaded();
    QTest::keyClicks(ctl<QTextEdit>(*f->window, "RT"), QStringLiteral("words"));
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(documents).isDir())
        documents = QDir::homePath();
    const QString bare = fileIn(*f, "notes");
    f->dialogs.expectSaveFile(bare);
    item(*f, "FileSaveAs")->trigger();
    QCOMPARE(f->dialogs.records().last().folder, documents + QLatin1Char('/'));
    QVERIFY(readFile(bare + QStringLiteral(".rtf")).startsWith("{\\rtf"));
    QVERIFY(!QFile::exists(bare));
    QCOMPARE(f->window->notepadFileName(), bare + QStringLiteral(".rtf"));
    // A name with an extension of its own keeps it; the next dialog opens where this one was.
    const QString text = fileIn(*f, "notes.text");
    f->dialogs.expectSaveFile(text);
    item(*f, "FileSaveAs")->trigger();
    QCOMPARE(f->dialogs.records().last().folder, QFileInfo(bare).absolutePath() + '/');
    QVERIFY(QFile::exists(text));
    f->dialogs.expectOpenFile(std::nullopt);
    item(*f, "OpenFile")->trigger();
    QCOMPARE(f->dialogs.records().last().folder, QFileInfo(bare).absolutePath() + '/');
}

void TestNotepadWindow::standardShortcutsReachTheirCommands() {
    auto f = loaded();
    QTextEdit* rt = ctl<QTextEdit>(*f->window, "RT");
    // Shown beside their menu items.
    for (const char* n : {"NewFile", "OpenFile", "Save", "Printt", "Find", "FindNext", "Wrap",
                          "SelectAll", "cmdBold", "cmdItalic", "cmdUnderline"})
        QVERIFY2(!item(*f, n)->shortcut().isEmpty(), n);
    f->dialogs.expectOpenFile(std::nullopt);
    QTest::keyClick(rt, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(f->dialogs.records().last().kind, ScriptedDialogs::Kind::OpenFile);
    QTest::keyClicks(rt, QStringLiteral("text"));
    f->dialogs.expectSaveFile(std::nullopt);
    QTest::keyClick(rt, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f->dialogs.records().last().kind, ScriptedDialogs::Kind::SaveFile);
    f->dialogs.expectPrinter(false);
    QTest::keyClick(rt, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(f->dialogs.records().last().kind, ScriptedDialogs::Kind::Printer);
    f->dialogs.expectMessage(Answer::Yes);
    QTest::keyClick(rt, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(rt->toPlainText().isEmpty());
    QCOMPARE(f->dialogs.pending(), 0);
}

QTEST_MAIN(TestNotepadWindow)
#include "tst_notepadwindow.moc"
