// Page layout: print margins from the page setup values, the page rectangle, page breaks
// and character ranges, and painting pages at any resolution.
#include "PrintTestText.h"

#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "printing/PageLayout.h"
#include "printing/PreviewScales.h"
#include "printing/PrintMargins.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextBlockFormat>
#include <QTextImageFormat>
#include <cmath>

#include "ScriptedDialogs.h"

namespace {
const QSizeF kA4(11906, 16838);     // twips
const QSizeF kLetter(12240, 15840); // twips

// The bounding box of everything that is not white.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) != 0xFFFFFF)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

QImage paint(const PageLayout& layout, int page, double dpi) {
    QImage image(layout.pixelSize(dpi, dpi), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    layout.paintPage(p, page, dpi, dpi);
    return image;
}
} // namespace

class TestPageLayout : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_settings;
    ScriptedDialogs m_dialogs;

    ProgramState makeState() {
        if (!m_settings)
            m_settings = std::make_unique<SettingsStore>(m_dir.filePath(QStringLiteral("s.ini")));
        return ProgramState(*m_settings, m_dialogs);
    }

private slots:
    void marginsFromPageSetup_data();
    void marginsFromPageSetup();
    void pageRectangle();
    void longTextBreaksIntoContiguousPagesAtLineStarts();
    void marginsChangeThePageCount();
    void emptyDocumentIsOneBlankPage();
    void selectionIsLaidOutAlone();
    void paintingStaysInsideThePageRectangle();
    void paintingScalesWithResolution();
    void pictureTallerThanAPageEnds();
    void textBeyondTheLayoutRangeIsLaidOutCoarser();
    void previewScaleSizes();
};

void TestPageLayout::marginsFromPageSetup_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("fit");
    QTest::addColumn<QList<double>>("values"); // left, right, top, bottom as set up
    QTest::addColumn<QList<double>>("inches"); // left, top, right, bottom expected

    QTest::newRow("millimetres") << 0 << 0 << QList<double>{25.4, 12.7, 50.8, 0}
                                 << QList<double>{1, 2, 0.5, 0};
    QTest::newRow("inches as they stand") << 1 << 0 << QList<double>{1.5, 0.3, 0.7, 1.1}
                                          << QList<double>{1.5, 0.7, 0.3, 1.1};
    QTest::newRow("fit to form drops the sides") << 0 << 1 << QList<double>{25.4, 25.4, 25.4, 12.7}
                                                 << QList<double>{0, 1, 0, 0.5};
    QTest::newRow("fit to form in inches") << 1 << 1 << QList<double>{2, 2, 0.5, 0.5}
                                           << QList<double>{0, 0.5, 0, 0.5};
}

void TestPageLayout::marginsFromPageSetup() {
    QFETCH(int, unit);
    QFETCH(int, fit);
    QFETCH(QList<double>, values);
    QFETCH(QList<double>, inches);
    ProgramState s = makeState();
    s.CM_IN = quint8(unit);
    s.FitToDesktop = qint16(fit);
    s.MarginLeft = values[0];
    s.MarginRight = values[1];
    s.gTopMargin = values[2];
    s.gBottomMargin = values[3];

    const QMarginsF first = PrintMargins::Inches(s);
    // Page setup values are single precision, and so are the margins worked out from them.
    QCOMPARE(float(first.left()), float(inches[0]));
    QCOMPARE(float(first.top()), float(inches[1]));
    QCOMPARE(float(first.right()), float(inches[2]));
    QCOMPARE(float(first.bottom()), float(inches[3]));
    // Asking again (a second preview) gives the same margins; page setup keeps its values.
    QCOMPARE(PrintMargins::Inches(s), first);
    QCOMPARE(s.gTopMargin, values[2]);
    QCOMPARE(s.MarginLeft, values[0]);
}

void TestPageLayout::pageRectangle() {
    const QRectF r = PrintMargins::PageRectTwips(kLetter, QMarginsF(1, 0.5, 0.75, 2));
    QCOMPARE(r, QRectF(QPointF(1440, 720), QPointF(12240 - 1080, 15840 - 2880)));
    QCOMPARE(PrintMargins::PageRectTwips(kA4, QMarginsF()), QRectF(QPointF(0, 0), kA4));

    // Margins wider than the page still leave a (small) rectangle to lay text out in.
    const QRectF squeezed = PrintMargins::PageRectTwips(kLetter, QMarginsF(5, 6, 5, 6));
    QCOMPARE(squeezed.left(), 5 * 1440.0);
    QCOMPARE(squeezed.width(), PrintMargins::kMinimumSideTwips);
    QCOMPARE(squeezed.height(), PrintMargins::kMinimumSideTwips);
}

void TestPageLayout::longTextBreaksIntoContiguousPagesAtLineStarts() {
    QTextDocument doc;
    PrintTestText::Fill(doc, PrintTestText::Verses(300));
    const QString text = doc.toPlainText();
    const PageLayout layout(doc, kA4, QMarginsF(1, 1, 1, 1));

    QVERIFY2(layout.pageCount() > 10, qPrintable(QString::number(layout.pageCount())));
    QString joined;
    int expectedFirst = 0;
    for (int p = 0; p < layout.pageCount(); ++p) {
        const PageLayout::Range r = layout.pageRange(p);
        QCOMPARE(r.first, expectedFirst);
        QVERIFY(r.end > r.first);
        // A page starts at the start of a line: after a space or a paragraph break.
        if (p > 0)
            QVERIFY(text.at(r.first - 1).isSpace());
        joined += layout.pageText(p);
        expectedFirst = r.end;
    }
    QCOMPARE(expectedFirst, text.size());
    QCOMPARE(joined, text);
    QCOMPARE(layout.pageRange(layout.pageCount()).end, 0); // out of range: empty
}

void TestPageLayout::marginsChangeThePageCount() {
    QTextDocument doc;
    PrintTestText::Fill(doc, PrintTestText::Verses(120));
    const int plain = PageLayout(doc, kA4, QMarginsF()).pageCount();
    const int tallMargins = PageLayout(doc, kA4, QMarginsF(0, 3, 0, 3)).pageCount();
    const int wideMargins = PageLayout(doc, kA4, QMarginsF(2.5, 0, 2.5, 0)).pageCount();
    QVERIFY2(tallMargins > plain, qPrintable(QStringLiteral("%1 %2").arg(tallMargins).arg(plain)));
    QVERIFY2(wideMargins > plain, qPrintable(QStringLiteral("%1 %2").arg(wideMargins).arg(plain)));
    // Same input, same pages.
    QCOMPARE(PageLayout(doc, kA4, QMarginsF(0, 3, 0, 3)).pageCount(), tallMargins);
}

void TestPageLayout::emptyDocumentIsOneBlankPage() {
    QTextDocument doc;
    const PageLayout layout(doc, kA4, QMarginsF(1, 1, 1, 1));
    QCOMPARE(layout.pageCount(), 1);
    QCOMPARE(layout.pageRange(0).first, 0);
    QCOMPARE(layout.pageRange(0).end, 0);
    QVERIFY(inkBox(paint(layout, 0, 96)).isNull());
}

void TestPageLayout::selectionIsLaidOutAlone() {
    QTextDocument doc;
    PrintTestText::Fill(doc, PrintTestText::Verses(200));
    const QString text = doc.toPlainText();
    const int from = text.indexOf(QStringLiteral("Verse 50:"));
    const int to = text.indexOf(QStringLiteral("Verse 61:"));
    const PageLayout part(doc, kA4, QMarginsF(1, 1, 1, 1), from, to);
    QCOMPARE(part.text(), text.mid(from, to - from));
    QVERIFY(part.pageCount() < PageLayout(doc, kA4, QMarginsF(1, 1, 1, 1)).pageCount());
    // The source is left alone.
    QCOMPARE(doc.toPlainText(), text);
}

void TestPageLayout::paintingStaysInsideThePageRectangle() {
    QTextDocument doc;
    PrintTestText::Fill(doc, PrintTestText::Verses(60));
    // The pane's own indent must not add to the page margins on paper.
    QTextFrameFormat indent = doc.rootFrame()->frameFormat();
    indent.setLeftMargin(200);
    doc.rootFrame()->setFrameFormat(indent);

    const PageLayout withMargins(doc, kA4, QMarginsF(1, 1, 1.5, 1));
    const QRect box = inkBox(paint(withMargins, 0, 96));
    QVERIFY(!box.isNull());
    QVERIFY2(box.left() >= 96 && box.left() <= 100, qPrintable(QString::number(box.left())));
    QVERIFY(box.top() >= 96);
    const int rightEdge = qRound((11906 - 1.5 * 1440) * 96 / 1440.0);
    QVERIFY2(box.right() < rightEdge && box.right() > rightEdge - 60,
             qPrintable(QStringLiteral("%1 %2").arg(box.right()).arg(rightEdge)));
    QVERIFY(box.bottom() < qRound((16838 - 1440) * 96 / 1440.0));

    // No side margins: lines run from the left edge of the page to the right.
    const QRect full = inkBox(paint(PageLayout(doc, kA4, QMarginsF(0, 1, 0, 1)), 0, 96));
    QVERIFY2(full.left() <= 3, qPrintable(QString::number(full.left())));
    QVERIFY2(full.right() > qRound(11906 * 96 / 1440.0) - 60, qPrintable(QString::number(full.right())));

    // Asking for a page that does not exist draws nothing.
    QVERIFY(inkBox(paint(withMargins, 99, 96)).isNull());
}

void TestPageLayout::paintingScalesWithResolution() {
    QTextDocument doc;
    PrintTestText::Fill(doc, PrintTestText::Verses(60));
    const PageLayout layout(doc, kLetter, QMarginsF(1, 1, 1, 1));
    QCOMPARE(layout.pixelSize(96, 96), QSize(816, 1056));
    const QRect small = inkBox(paint(layout, 1, 96));
    const QRect large = inkBox(paint(layout, 1, 192));
    QVERIFY(!small.isNull());
    QVERIFY2(std::abs(large.left() - 2 * small.left()) <= 3 &&
                 std::abs(large.top() - 2 * small.top()) <= 3 &&
                 std::abs(large.right() - 2 * small.right()) <= 6 &&
                 std::abs(large.bottom() - 2 * small.bottom()) <= 6,
             qPrintable(QStringLiteral("%1,%2,%3,%4 vs %5,%6,%7,%8")
                            .arg(small.left()).arg(small.top()).arg(small.right())
                            .arg(small.bottom()).arg(large.left()).arg(large.top())
                            .arg(large.right()).arg(large.bottom())));
}

void TestPageLayout::pictureTallerThanAPageEnds() {
    QTextDocument doc;
    QImage tall(50, 3000, QImage::Format_RGB32);
    tall.fill(Qt::blue);
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("tall")), tall);
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("before "));
    QTextImageFormat img;
    img.setName(QStringLiteral("tall"));
    img.setHeight(2000); // screen pixels: about two and a half Letter pages
    img.setWidth(300);
    c.insertImage(img);
    c.insertText(QStringLiteral(" after"));
    const PageLayout layout(doc, kLetter, QMarginsF(1, 1, 1, 1));
    QVERIFY2(layout.pageCount() >= 3 && layout.pageCount() < 10,
             qPrintable(QString::number(layout.pageCount())));
    QString joined;
    for (int p = 0; p < layout.pageCount(); ++p)
        joined += layout.pageText(p);
    QCOMPARE(joined, layout.text());
    // The pages the picture runs over hold no characters of their own.
    QCOMPARE(layout.pageRange(1).first, layout.pageRange(1).end);
}

void TestPageLayout::textBeyondTheLayoutRangeIsLaidOutCoarser() {
    // Far taller than the layout's coordinates reach at its normal resolution: short
    // paragraphs each followed by a tall gap, about 14,000 Letter pages in all.
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextBlockFormat gap;
    gap.setBottomMargin(960); // ten inches on the screen's scale
    for (int i = 0; i < 12000; ++i) {
        if (i > 0)
            c.insertBlock(gap);
        c.insertText(QStringLiteral("p%1").arg(i));
    }
    const PageLayout layout(doc, kLetter, QMarginsF(1, 1, 1, 1));
    QVERIFY2(layout.layoutDpi() < 288, qPrintable(QString::number(layout.layoutDpi())));
    QVERIFY2(layout.pageCount() > 12000, qPrintable(QString::number(layout.pageCount())));
    QCOMPARE(layout.pageText(0), QStringLiteral("p0\np1\n")); // the first gap follows p1
    QString joined;
    for (int p = 0; p < layout.pageCount(); ++p)
        joined += layout.pageText(p);
    QCOMPARE(joined, doc.toPlainText());

    // An ordinary text keeps the fine resolution.
    QTextDocument small;
    PrintTestText::Fill(small, PrintTestText::Verses(5));
    QCOMPARE(PageLayout(small, kLetter, QMarginsF()).layoutDpi(), 288.0);
}

void TestPageLayout::previewScaleSizes() {
    QCOMPARE(PreviewScales::Entries(),
             (QStringList{"150", "100", "75", "50", "25"}));
    // "150" is one and a half times the area, not one and a half times each side.
    const QSize page(816, 1056);
    const QSize big = PreviewScales::ImageSize(page, 1);
    QCOMPARE(big, QSize(999, 1293));
    QVERIFY(std::abs(double(big.width()) * big.height() / (page.width() * page.height()) - 1.5) < 0.01);
    QCOMPARE(PreviewScales::ImageSize(page, 2), page);
    QCOMPARE(PreviewScales::ImageSize(page, 3), QSize(612, 792));
    QCOMPARE(PreviewScales::ImageSize(page, 4), QSize(408, 528));
    QCOMPARE(PreviewScales::ImageSize(page, 5), QSize(204, 264));
}

QTEST_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
