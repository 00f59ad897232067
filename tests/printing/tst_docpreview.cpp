// The print preview window driven offscreen: page count, page and zoom buttons, the five
// scales, scrolling, closing with and without printing, and the route through the printing
// service.
#include "ModalWatch.h"
#include "PrintTestText.h"
#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"

#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "printing/PageLayout.h"
#include "printing/PrintMargins.h"
#include "printing/PrintService.h"
#include "printing/frmDocPreview.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <cmath>

namespace {
const QSizeF kA4(11906, 16838); // twips
const QMarginsF kInch(1, 1, 1, 1);

QRect inkBox(const QImage& image) {
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    QRect box;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xFFFFFF) != 0xFFFFFF)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

QStringList items(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

QList<int> visiblePictures(const frmDocPreview& w) {
    QList<int> out;
    for (int z = 1; z <= 5; ++z)
        if (!w.picture(z)->isHidden())
            out << z;
    return out;
}
} // namespace

class TestDocPreview : public QObject {
    Q_OBJECT
    TestProgramFolder m_folder;
    std::unique_ptr<SettingsStore> m_settings;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<ProgramState> m_state;
    QTextDocument m_long;

private slots:
    void initTestCase();
    void loadCountsThePages();
    void pageButtonsFollowThePage();
    void shortAndEmptyTextsAreOnePage_data();
    void shortAndEmptyTextsAreOnePage();
    void zoomButtonsAndScaleList();
    void scrollBarsMoveTheImage();
    void printAndCloseButtons();
    void previewingTwiceGivesTheSameMargins();
};

void TestDocPreview::initTestCase() {
    m_folder.installMessages();
    m_settings = m_folder.makeSettings();
    m_state = std::make_unique<ProgramState>(*m_settings, m_dialogs);
    m_state->MessageFolder = m_folder.path() + QStringLiteral("/msg/");
    PrintTestText::Fill(m_long, PrintTestText::Verses(300));
}

void TestDocPreview::loadCountsThePages() {
    frmDocPreview w(*m_state, m_long, kA4, kInch);
    w.Form_Load();
    const int n = PageLayout(m_long, kA4, kInch).pageCount();
    QVERIFY(n > 10);
    QCOMPARE(w.pageCount(), n);
    QCOMPARE(w.windowTitle(), QStringLiteral("Tolvane Print Preview"));
    QCOMPARE(w.txtTotalPages->text(), QStringLiteral("Total %1 pages").arg(n));
    QCOMPARE(w.cboPageNo->count(), n);
    QCOMPARE(w.cboPageNo->itemText(0), QStringLiteral("1"));
    QCOMPARE(w.cboPageNo->itemText(n - 1), QString::number(n));
    QCOMPARE(w.cboPageNo->currentText(), QStringLiteral("1"));
    QCOMPARE(w.currentPage(), 1);

    // Full-size page image at the window's resolution; the shown image is the "25" one.
    const QSize page(qRound(11906 * w.logicalDpiX() / 1440.0),
                     qRound(16838 * w.logicalDpiY() / 1440.0));
    QCOMPARE(w.PicX().size(), page);
    QCOMPARE(items(w.cboScale), (QStringList{"150", "100", "75", "50", "25"}));
    QCOMPARE(w.cboScale->currentText(), QStringLiteral("25"));
    QCOMPARE(w.zoomState(), 5);
    QCOMPARE(visiblePictures(w), QList<int>{5});
    QCOMPARE(w.Pic2->size(), page);
    QCOMPARE(w.Pic5->size(), QSize(qRound(page.width() / 4.0), qRound(page.height() / 4.0)));
    QVERIFY(!inkBox(w.PicX()).isNull());
}

void TestDocPreview::pageButtonsFollowThePage() {
    frmDocPreview w(*m_state, m_long, kA4, kInch);
    w.Form_Load();
    const int n = w.pageCount();
    QVERIFY(!w.cmdPrevPage->isEnabled());
    QVERIFY(w.cmdNextPage->isEnabled());
    const QImage first = w.PicX();

    QTest::mouseClick(w.cmdNextPage, Qt::LeftButton);
    QCOMPARE(w.currentPage(), 2);
    QCOMPARE(w.cboPageNo->currentText(), QStringLiteral("2"));
    QVERIFY(w.cmdPrevPage->isEnabled());
    QVERIFY(w.cmdNextPage->isEnabled());
    QVERIFY(w.PicX() != first);

    // The image is exactly the page the layout paints: what is shown is what prints.
    QImage expected(w.PicX().size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter p(&expected);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        w.layout()->paintPage(p, 1, w.logicalDpiX(), w.logicalDpiY());
    }
    QCOMPARE(w.PicX(), expected);

    // Choosing the last page in the list.
    w.cboPageNo->setCurrentIndex(n - 1);
    emit w.cboPageNo->activated(n - 1);
    QCOMPARE(w.currentPage(), n);
    QVERIFY(w.cmdPrevPage->isEnabled());
    QVERIFY(!w.cmdNextPage->isEnabled());
    w.cmdNextPage_Click(); // nothing beyond the last page
    QCOMPARE(w.currentPage(), n);

    QTest::mouseClick(w.cmdPrevPage, Qt::LeftButton);
    QCOMPARE(w.currentPage(), n - 1);
    QCOMPARE(w.cboPageNo->currentText(), QString::number(n - 1));
    QVERIFY(w.cmdNextPage->isEnabled());

    w.cboPageNo->setCurrentIndex(0);
    emit w.cboPageNo->activated(0);
    QCOMPARE(w.PicX(), first);
    QVERIFY(!w.cmdPrevPage->isEnabled());
    w.cmdPrevPage_Click();
    QCOMPARE(w.currentPage(), 1);
}

void TestDocPreview::shortAndEmptyTextsAreOnePage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("blank");
    QTest::newRow("one page") << PrintTestText::Verses(3) << false;
    QTest::newRow("empty pane") << QString() << true;
}

void TestDocPreview::shortAndEmptyTextsAreOnePage() {
    QFETCH(QString, text);
    QFETCH(bool, blank);
    QTextDocument doc;
    PrintTestText::Fill(doc, text);
    frmDocPreview w(*m_state, doc, kA4, kInch);
    w.Form_Load();
    QCOMPARE(w.pageCount(), 1);
    QCOMPARE(w.txtTotalPages->text(), QStringLiteral("Total 1 pages"));
    QCOMPARE(items(w.cboPageNo), QStringList{QStringLiteral("1")});
    QVERIFY(!w.cmdPrevPage->isEnabled());
    QVERIFY(!w.cmdNextPage->isEnabled());
    QCOMPARE(inkBox(w.PicX()).isNull(), blank);
}

void TestDocPreview::zoomButtonsAndScaleList() {
    QTextDocument doc;
    PrintTestText::Fill(doc, PrintTestText::Verses(10));
    frmDocPreview w(*m_state, doc, kA4, kInch);
    w.Form_Load();
    const QSize page = w.PicX().size();
    QVERIFY(w.cmdZoomIn->isEnabled());
    QVERIFY(!w.cmdZoomOut->isEnabled());
    w.cmdZoomOut_Click(); // already at "25"
    QCOMPARE(w.zoomState(), 5);

    QTest::mouseClick(w.cmdZoomIn, Qt::LeftButton);
    QCOMPARE(w.zoomState(), 4);
    QCOMPARE(w.cboScale->currentText(), QStringLiteral("50"));
    QVERIFY(w.cmdZoomIn->isEnabled());
    QVERIFY(w.cmdZoomOut->isEnabled());
    QCOMPARE(visiblePictures(w), QList<int>{4});

    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(w.cmdZoomIn, Qt::LeftButton);
    QCOMPARE(w.zoomState(), 1);
    QCOMPARE(w.cboScale->currentText(), QStringLiteral("150"));
    QVERIFY(!w.cmdZoomIn->isEnabled());
    QVERIFY(w.cmdZoomOut->isEnabled());
    QCOMPARE(visiblePictures(w), QList<int>{1});
    w.cmdZoomIn_Click(); // nothing above "150"
    QCOMPARE(w.zoomState(), 1);
    // "150" is about 122 % per side: one and a half times the page's area.
    const double side = double(w.Pic1->width()) / page.width();
    QVERIFY2(std::abs(side - std::sqrt(1.5)) < 0.005, qPrintable(QString::number(side)));
    QVERIFY(std::abs(double(w.Pic1->height()) / page.height() - std::sqrt(1.5)) < 0.005);
    QCOMPARE(w.Pic1->pixmap().size(), w.Pic1->size());

    QTest::mouseClick(w.cmdZoomOut, Qt::LeftButton);
    QCOMPARE(w.zoomState(), 2);
    QCOMPARE(w.Pic2->size(), page);
    QCOMPARE(visiblePictures(w), QList<int>{2});

    w.cboScale->setCurrentIndex(2);
    emit w.cboScale->activated(2);
    QCOMPARE(w.zoomState(), 3);
    QCOMPARE(visiblePictures(w), QList<int>{3});
    QCOMPARE(w.Pic3->size(), QSize(qRound(page.width() * 0.75), qRound(page.height() * 0.75)));
    QVERIFY(w.cmdZoomIn->isEnabled() && w.cmdZoomOut->isEnabled());

    // Changing page keeps the scale and renews its image.
    const QImage before = w.Pic3->pixmap().toImage();
    w.cmdNextPage_Click(); // one page only: nothing changes
    QCOMPARE(w.Pic3->pixmap().toImage(), before);
}

void TestDocPreview::scrollBarsMoveTheImage() {
    frmDocPreview w(*m_state, m_long, kA4, kInch);
    w.Form_Load();
    for (QScrollBar* bar : {w.HScroll1, w.VScroll1}) {
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 1000);
    }
    w.cmdZoomIn_Click();
    w.cmdZoomIn_Click();
    w.cmdZoomIn_Click(); // "100"
    w.HScroll1->setValue(300);
    QCOMPARE(w.Pic2->pos(), QPoint(-300, 0));
    w.VScroll1->setValue(750);
    QCOMPARE(w.Pic2->pos(), QPoint(-300, -750));
    // The other scales keep the same place when chosen.
    w.cmdZoomIn_Click();
    QCOMPARE(w.Pic1->pos(), QPoint(-300, -750));
    w.HScroll1->setValue(0);
    QCOMPARE(w.Pic1->pos(), QPoint(0, -750));
}

void TestDocPreview::printAndCloseButtons() {
    {
        frmDocPreview w(*m_state, m_long, kA4, kInch);
        whenModal<frmDocPreview>([](frmDocPreview* open) {
            QVERIFY(!open->printRequested());
            QTest::mouseClick(open->cmdPrint, Qt::LeftButton);
        });
        QVERIFY(w.run());
        QVERIFY(w.printRequested());
        QVERIFY(!w.isVisible());
    }
    frmDocPreview w(*m_state, m_long, kA4, kInch);
    whenModal<frmDocPreview>(
        [](frmDocPreview* open) { QTest::mouseClick(open->cmdClose, Qt::LeftButton); });
    QVERIFY(!w.run());
    QVERIFY(!w.isVisible());
    QCOMPARE(m_dialogs.records().size(), 0);
}

void TestDocPreview::previewingTwiceGivesTheSameMargins() {
    // Page setup in millimetres: the margins are converted for each preview, never in place.
    m_state->CM_IN = 0;
    m_state->FitToDesktop = 0;
    m_state->MarginLeft = 20;
    m_state->MarginRight = 15;
    m_state->gTopMargin = 30;
    m_state->gBottomMargin = 25;
    QTextEdit pane;
    pane.document()->setDefaultFont(QFont(QStringLiteral("DejaVu Serif"), 12));
    pane.setPlainText(PrintTestText::Verses(120));
    PrintService service(*m_state);

    QList<QRect> boxes;
    QList<int> counts;
    for (int i = 0; i < 2; ++i) {
        whenModal<frmDocPreview>([&](frmDocPreview* open) {
            boxes << inkBox(open->PicX());
            counts << open->pageCount();
            open->cmdClose_Click();
        });
        QCOMPARE(service.PrintPreview(&pane, nullptr), PrintService::Result::NotRequested);
    }
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes[0], boxes[1]);
    QCOMPARE(counts[0], counts[1]);
    QCOMPARE(m_state->gTopMargin, 30.0);
    // The text starts 30 mm down and 20 mm in from the printable area's corner.
    const double dpi = pane.logicalDpiY();
    QVERIFY2(std::abs(boxes[0].top() - 30 / 25.4 * dpi) < 4, qPrintable(QString::number(boxes[0].top())));
    QVERIFY2(std::abs(boxes[0].left() - 20 / 25.4 * dpi) < 4, qPrintable(QString::number(boxes[0].left())));
    QCOMPARE(m_dialogs.records().size(), 0); // closing the preview prints nothing
}

QTEST_MAIN(TestDocPreview)
#include "tst_docpreview.moc"
