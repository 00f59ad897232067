// Printing real PDFs through the printing service and the main window's commands, checked
// with poppler's pdfinfo and pdftotext: page counts against the preview, the text against
// the pane, margins, selections, page ranges, cancelling and failures.
#include "Controls.h"
#include "ModalWatch.h"
#include "PdfCheck.h"
#include "PrintTestText.h"
#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"

#include "app/MainMenu.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "platform/UrlOpener.h"
#include "printing/PageLayout.h"
#include "printing/PrintMargins.h"
#include "printing/PrintService.h"
#include "printing/frmDocPreview.h"

#include <QAction>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextEdit>
#include <QToolButton>

namespace {
constexpr double kPointsPerMm = 72 / 25.4;

std::function<void(QPrinter&)> toPdf(const QString& path) {
    return [path](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(path);
    };
}

class NoOpener : public UrlOpener {
protected:
    bool launch(const QString&) override { return true; }
};
} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
    TestProgramFolder m_folder;
    QTemporaryDir m_out;
    std::unique_ptr<SettingsStore> m_settings;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<ProgramState> m_state;
    QTextEdit m_pane;
    int m_files = 0;

    QString nextPdf() { return m_out.filePath(QStringLiteral("out%1.pdf").arg(++m_files)); }
    void setMargins(int unit, int fit, double left, double right, double top, double bottom) {
        m_state->CM_IN = quint8(unit);
        m_state->FitToDesktop = qint16(fit);
        m_state->MarginLeft = left;
        m_state->MarginRight = right;
        m_state->gTopMargin = top;
        m_state->gBottomMargin = bottom;
    }
    QStringList paneWords() const { return PrintTestText::Words(m_pane.toPlainText()); }

private slots:
    void initTestCase();
    void init();
    void printedPagesMatchThePreview();
    void marginsOnPaper_data();
    void marginsOnPaper();
    void emptyPaneIsOneBlankPage();
    void listLabelsPrintAtTheirItemsSize();
    void selectionOrWholeText();
    void pageRangeFromTheDialog();
    void cancelPrintsNothingAndSaysNothing();
    void failuresAreReported();
    void printSetupChoicesHold();
    void mainWindowCommands();
};

void TestPrinting::initTestCase() {
    if (!PdfCheck::ToolsAvailable())
        QSKIP("pdfinfo and pdftotext (poppler-utils) are not installed; "
              "scripts/install-deps.sh installs them");
    m_folder.installMessages();
    m_settings = m_folder.makeSettings();
    m_state = std::make_unique<ProgramState>(*m_settings, m_dialogs);
    m_state->MessageFolder = m_folder.path() + QStringLiteral("/msg/");
    m_pane.document()->setDefaultFont(QFont(QStringLiteral("DejaVu Serif"), 12));
}

void TestPrinting::init() {
    m_dialogs.clear();
    m_pane.setPlainText(PrintTestText::Verses(200));
    setMargins(0, 0, 25.4, 25.4, 25.4, 25.4);
}

void TestPrinting::printedPagesMatchThePreview() {
    PrintService service(*m_state);
    const QString pdf = nextPdf();
    int previewPages = 0;
    whenModal<frmDocPreview>([&](frmDocPreview* open) {
        previewPages = open->pageCount();
        QTest::mouseClick(open->cmdPrint, Qt::LeftButton);
    });
    m_dialogs.expectPrinter(true, toPdf(pdf));
    QCOMPARE(service.PrintPreview(&m_pane, nullptr), PrintService::Result::Printed);
    QVERIFY(previewPages > 5);
    QCOMPARE(PdfCheck::PageCount(pdf), previewPages);
    QCOMPARE(PrintTestText::Words(PdfCheck::Text(pdf)), paneWords());
    QCOMPARE(m_dialogs.messageTexts(), QStringList());
    QCOMPARE(m_dialogs.pending(), 0);
}

void TestPrinting::marginsOnPaper_data() {
    // Margins as page setup holds them; expected text box edges in points from the page's
    // corner (-1: the edge of the page itself, give or take the glyphs' own side bearing).
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("fit");
    QTest::addColumn<QList<double>>("margins"); // left, right, top, bottom
    QTest::addColumn<double>("minimum");        // the printer's, in millimetres, on every side
    QTest::addColumn<QList<double>>("edges");   // left, right, top in points
    QTest::newRow("fit to form: edge to edge")
        << 0 << 1 << QList<double>{40, 40, 20, 20} << 0.0
        << QList<double>{0, -1, 20 * kPointsPerMm};
    // Page boundaries that are not whole twips: no line may fall between two pages.
    QTest::newRow("no margins at all")
        << 0 << 1 << QList<double>{0, 0, 0, 0} << 0.0 << QList<double>{0, -1, 0};
    QTest::newRow("millimetres") << 0 << 0 << QList<double>{25.4, 50.8, 30, 30} << 0.0
                                 << QList<double>{72, 144, 30 * kPointsPerMm};
    QTest::newRow("inches") << 1 << 0 << QList<double>{0.5, 1.5, 1, 1} << 0.0
                            << QList<double>{36, 108, 72};
    // Nothing is printed where the printer cannot print.
    QTest::newRow("fit to form on a printer with a border")
        << 0 << 1 << QList<double>{40, 40, 0, 20} << 6.35 << QList<double>{18, 18, 18};
    QTest::newRow("margins below the printer's raised to it")
        << 0 << 0 << QList<double>{2, 30, 5, 5} << 10.0
        << QList<double>{10 * kPointsPerMm, 30 * kPointsPerMm, 10 * kPointsPerMm};
}

void TestPrinting::marginsOnPaper() {
    QFETCH(int, unit);
    QFETCH(int, fit);
    QFETCH(QList<double>, margins);
    QFETCH(double, minimum);
    QFETCH(QList<double>, edges);
    setMargins(unit, fit, margins[0], margins[1], margins[2], margins[3]);
    PrintService service(*m_state);
    const QString pdf = nextPdf();
    m_dialogs.expectPrinter(true, [&](QPrinter& p) {
        toPdf(pdf)(p);
        const QMarginsF border(minimum, minimum, minimum, minimum);
        p.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, border,
                                    QPageLayout::Millimeter, border));
    });
    QCOMPARE(service.Print(&m_pane), PrintService::Result::Printed);

    const QSizeF page = PdfCheck::PageSize(pdf);
    const QList<PdfCheck::Word> words = PdfCheck::Words(pdf);
    QVERIFY(words.size() > 1000);
    const QRectF box = PdfCheck::InkBox(words);
    const double rightEdge = page.width() - (edges[1] < 0 ? 0 : edges[1]);
    const QString got = QStringLiteral("box %1,%2 - %3,%4 on %5 x %6")
                            .arg(box.left())
                            .arg(box.top())
                            .arg(box.right())
                            .arg(box.bottom())
                            .arg(page.width())
                            .arg(page.height());
    QVERIFY2(box.left() >= edges[0] - 0.5 && box.left() < edges[0] + 3, qPrintable(got));
    // Lines wrap before the right edge; the longest come within a word's width of it.
    QVERIFY2(box.right() <= rightEdge + 0.5 && box.right() > rightEdge - 45, qPrintable(got));
    QVERIFY2(box.top() >= edges[2] - 0.5 && box.top() < edges[2] + 6, qPrintable(got));
    QCOMPARE(PrintTestText::Words(PdfCheck::Text(pdf)), paneWords());
}

void TestPrinting::emptyPaneIsOneBlankPage() {
    m_pane.clear();
    PrintService service(*m_state);
    const QString pdf = nextPdf();
    m_dialogs.expectPrinter(true, toPdf(pdf));
    QCOMPARE(service.Print(&m_pane), PrintService::Result::Printed);
    QCOMPARE(PdfCheck::PageCount(pdf), 1);
    QCOMPARE(PdfCheck::Text(pdf).trimmed(), QString());
}

void TestPrinting::listLabelsPrintAtTheirItemsSize() {
    m_pane.clear();
    QTextCursor c(m_pane.document());
    QTextListFormat numbers;
    numbers.setStyle(QTextListFormat::ListUpperRoman);
    c.insertText(QStringLiteral("First"));
    c.createList(numbers);
    c.insertBlock();
    c.insertText(QStringLiteral("Second"));
    PrintService service(*m_state);
    const QString pdf = nextPdf();
    m_dialogs.expectPrinter(true, toPdf(pdf));
    QCOMPARE(service.Print(&m_pane), PrintService::Result::Printed);
    QHash<QString, QRectF> boxes;
    for (const PdfCheck::Word& w : PdfCheck::Words(pdf))
        boxes.insert(w.text, w.box);
    QVERIFY2(boxes.contains(QStringLiteral("II.")), qPrintable(PdfCheck::Text(pdf)));
    QCOMPARE(qRound(boxes.value(QStringLiteral("II.")).height()),
             qRound(boxes.value(QStringLiteral("Second")).height()));
    QCOMPARE(qRound(boxes.value(QStringLiteral("II.")).bottom()),
             qRound(boxes.value(QStringLiteral("Second")).bottom()));
    QVERIFY(boxes.value(QStringLiteral("II.")).right() < boxes.value(QStringLiteral("Second")).left());
}

void TestPrinting::selectionOrWholeText() {
    const QString text = m_pane.toPlainText();
    const int from = text.indexOf(QStringLiteral("Verse 10:"));
    const int to = text.indexOf(QStringLiteral("Verse 15:"));
    QTextCursor c = m_pane.textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    m_pane.setTextCursor(c);

    PrintService service(*m_state);
    const QString part = nextPdf();
    QPrinter::PrintRange offered = QPrinter::AllPages;
    m_dialogs.expectPrinter(true, [&](QPrinter& p) {
        offered = p.printRange();
        toPdf(part)(p);
    });
    QCOMPARE(service.Print(&m_pane), PrintService::Result::Printed);
    QCOMPARE(offered, QPrinter::Selection); // the dialog opens with "Selection" chosen
    QCOMPARE(PdfCheck::PageCount(part), 1);
    QCOMPARE(PrintTestText::Words(PdfCheck::Text(part)),
             PrintTestText::Words(text.mid(from, to - from)));

    // The user chooses "All" instead.
    const QString all = nextPdf();
    m_dialogs.expectPrinter(true, [&](QPrinter& p) {
        p.setPrintRange(QPrinter::AllPages);
        toPdf(all)(p);
    });
    QCOMPARE(service.Print(&m_pane), PrintService::Result::Printed);
    QCOMPARE(PrintTestText::Words(PdfCheck::Text(all)), paneWords());

    // No selection: the dialog opens with "All" chosen.
    m_pane.moveCursor(QTextCursor::End);
    m_dialogs.expectPrinter(true, [&](QPrinter& p) {
        offered = p.printRange();
        toPdf(nextPdf())(p);
    });
    QCOMPARE(service.Print(&m_pane), PrintService::Result::Printed);
    QCOMPARE(offered, QPrinter::AllPages);
}

void TestPrinting::pageRangeFromTheDialog() {
    PrintService service(*m_state);
    const QString pdf = nextPdf();
    m_dialogs.expectPrinter(true, [&](QPrinter& p) {
        toPdf(pdf)(p);
        p.setPrintRange(QPrinter::PageRange);
        p.setFromTo(2, 3);
    });
    QCOMPARE(service.Print(&m_pane), PrintService::Result::Printed);
    const PageLayout layout(*m_pane.document(), service.pageTwips(),
                            PrintMargins::Inches(*m_state));
    QCOMPARE(PdfCheck::PageCount(pdf), 2);
    QCOMPARE(PrintTestText::Words(PdfCheck::Text(pdf)),
             PrintTestText::Words(layout.pageText(1) + QLatin1Char(' ') + layout.pageText(2)));
}

void TestPrinting::cancelPrintsNothingAndSaysNothing() {
    PrintService service(*m_state);
    const QString pdf = nextPdf();
    m_dialogs.expectPrinter(false, toPdf(pdf));
    QCOMPARE(service.Print(&m_pane), PrintService::Result::Cancelled);
    m_dialogs.expectPrinter(false, toPdf(pdf));
    QCOMPARE(service.DocPrintProc(*m_pane.document()), PrintService::Result::Cancelled);
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(m_dialogs.records().size(), 2);
    QCOMPARE(m_dialogs.messageTexts(), QStringList());
}

void TestPrinting::failuresAreReported() {
    PrintService service(*m_state);
    // The job cannot start.
    m_dialogs.expectPrinter(true, toPdf(m_out.filePath(QStringLiteral("missing/folder/x.pdf"))));
    m_dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("could not be printed"));
    QCOMPARE(service.Print(&m_pane), PrintService::Result::Failed);

    // The job starts and fails half-way: a full disk.
    if (QFile::exists(QStringLiteral("/dev/full"))) {
        m_dialogs.expectPrinter(true, toPdf(QStringLiteral("/dev/full")));
        m_dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("could not be printed"));
        QCOMPARE(service.DocPrintProc(*m_pane.document()), PrintService::Result::Failed);
        // A one-page job: no page break to fail on, only the file left short.
        QTextDocument shortText(QStringLiteral("In the beginning."));
        m_dialogs.expectPrinter(true, toPdf(QStringLiteral("/dev/full")));
        m_dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("could not be printed"));
        QCOMPARE(service.DocPrintProc(shortText), PrintService::Result::Failed);
    }
    QCOMPARE(m_dialogs.pending(), 0);
    const auto& boxes = m_dialogs.records();
    QCOMPARE(boxes.last().box.icon, Dialogs::Icon::None); // a plain OK box
    QCOMPARE(boxes.last().box.buttons, Dialogs::Buttons::Ok);

    // The printer is usable again afterwards.
    const QString pdf = nextPdf();
    m_dialogs.expectPrinter(true, toPdf(pdf));
    QCOMPARE(service.Print(&m_pane), PrintService::Result::Printed);
    QVERIFY2(PdfCheck::PageCount(pdf) > 1, qPrintable(QString::number(PdfCheck::PageCount(pdf))));
}

void TestPrinting::printSetupChoicesHold() {
    PrintService service(*m_state);
    const QString pdf = nextPdf();
    setMargins(0, 1, 0, 0, 0, 0); // "Fit to Form", nothing at top or bottom
    m_dialogs.expectPageSetup(true, [&](QPrinter& p) {
        toPdf(pdf)(p);
        p.setPageSize(QPageSize(QPageSize::Letter));
        p.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    });
    QVERIFY(service.PrintSetup());
    QVERIFY(!QFile::exists(pdf)); // setting up prints nothing
    QCOMPARE(service.pageTwips(), QSizeF(12240, 15840));

    m_dialogs.expectPrinter(true); // the user accepts what print setup chose
    QCOMPARE(service.Print(&m_pane), PrintService::Result::Printed);
    QCOMPARE(PdfCheck::PageSize(pdf), QSizeF(612, 792));
    // The margins chosen in print setup are kept clear too.
    const QRectF ink = PdfCheck::InkBox(PdfCheck::Words(pdf));
    QVERIFY2(ink.left() >= 15 * kPointsPerMm - 0.5 && ink.left() < 15 * kPointsPerMm + 3 &&
                 ink.top() >= 15 * kPointsPerMm - 0.5,
             qPrintable(QStringLiteral("%1,%2").arg(ink.left()).arg(ink.top())));
    QCOMPARE(PdfCheck::PageCount(pdf),
             PageLayout(*m_pane.document(), QSizeF(12240, 15840), service.paperMargins())
                 .pageCount());
}

void TestPrinting::mainWindowCommands() {
    TestProgramFolder folder;
    folder.makeStandard();
    auto settings = folder.makeSettings();
    settings->write(QStringLiteral("Settings"), QStringLiteral("ShowSplash"), QStringLiteral("0"));
    ScriptedDialogs dialogs;
    NoOpener opener;
    ProgramState state(*settings, dialogs);
    state.programDir = folder.path();
    MainMenu window(state, opener);
    window.setSplashMilliseconds(1);
    int ends = 0;
    window.setEndHandler([&ends] { ++ends; });
    window.Form_Load();
    QCOMPARE(ends, 0);
    ctl<QTextEdit>(window, "RT")
        ->document()
        ->setDefaultFont(QFont(QStringLiteral("DejaVu Serif"), 12));
    ctl<QTextEdit>(window, "RT")->setPlainText(PrintTestText::Verses(80));
    const QStringList words = PrintTestText::Words(ctl<QTextEdit>(window, "RT")->toPlainText());

    const QString viaMenu = nextPdf();
    dialogs.expectPrinter(true, toPdf(viaMenu));
    ctl<QAction>(window, "Printt")->trigger();
    QCOMPARE(PrintTestText::Words(PdfCheck::Text(viaMenu)), words);

    const QString viaButton = nextPdf();
    dialogs.expectPrinter(true, toPdf(viaButton));
    auto* button = window.findChild<QToolButton*>(QStringLiteral("cmdPrint"));
    QVERIFY(button);
    button->setEnabled(true);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(PdfCheck::PageCount(viaButton), PdfCheck::PageCount(viaMenu));

    // Print setup is the page-setup dialog (paper, orientation), not the print dialog.
    dialogs.expectPageSetup(false);
    ctl<QAction>(window, "PrintSetup")->trigger();
    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(dialogs.records().last().kind, ScriptedDialogs::Kind::PageSetup);

    // Closing the preview prints nothing; its print button prints the whole pane.
    int shown = 0;
    whenModal<frmDocPreview>([&](frmDocPreview* open) {
        shown = open->pageCount();
        open->cmdClose_Click();
    });
    const int boxesBefore = dialogs.records().size();
    ctl<QAction>(window, "PrintPreview")->trigger();
    QVERIFY(shown > 1);
    QCOMPARE(dialogs.records().size(), boxesBefore);

    const QString viaPreview = nextPdf();
    whenModal<frmDocPreview>([](frmDocPreview* open) { open->cmdPrint_Click(); });
    dialogs.expectPrinter(true, toPdf(viaPreview));
    ctl<QAction>(window, "PrintPreview")->trigger();
    QCOMPARE(PdfCheck::PageCount(viaPreview), shown);
    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(dialogs.messageTexts(), QStringList());
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
