// The multi-Bible window, driven as its user drives it: the lists, the refresh, the view
// modes, clicks in the pane and the placement.
#include "ParallelFixture.h"
#include "library/VerseIndex.h"
#include "parallel/MultiBib.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

namespace {

using F = ParallelFixture;

QStringList entries(const QComboBox* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

void choose(QComboBox* list, const QString& text) {
    const int at = list->findText(text);
    QVERIFY2(at >= 0, qPrintable(text));
    list->setCurrentIndex(at);
    emit list->activated(at);
}

// Clicks the pane on a character of block `block`.
void clickLine(QTextEdit* pane, int block) {
    QTextCursor c(pane->document()->findBlockByNumber(block));
    c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 2);
    const QPoint at = pane->cursorRect(c).center();
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, at);
}

struct Window {
    explicit Window(const QByteArray& catalogue) {
        fx.oldAndNew(QStringLiteral("b_a"), "A");
        fx.newOnly(QStringLiteral("b_n"), "N");
        fx.bible(QStringLiteral("b_b"), F::line(1, 1, 1, "B gen1") + F::line(1, 2, 1, "B gen2") +
                                            F::line(19, 3, 1, "B one") +
                                            F::line(19, 3, 3, "B three"));
        fx.load(catalogue);
    }
    ~Window() { delete w; }
    MultiBib& open() {
        w = new MultiBib(*fx.state);
        w->show();
        return *w;
    }
    QString pane() const { return w->RT->toPlainText(); }
    ParallelFixture fx;
    QPointer<MultiBib> w;
};

} // namespace

class TestMultiBib : public QObject {
    Q_OBJECT
private slots:
    void listsOfferTheVersesOfTheFirstTranslation() {
        Window t("1,1,\"Alpha\",\"b_a\"\r\n2,1,\"Bee\",\"b_b\"\r\n3,1,\"Nova\",\"b_n\"\r\n");
        ProgramState& s = *t.fx.state;
        // Another window left the last translation's index in the shared table.
        VerseIndex::PrepareIndex(s, s.BibleFolder, QStringLiteral("b_b.TXT"), true, {});
        MultiBib& w = t.open();
        QCOMPARE(w.cboBook->count(), 66);
        QCOMPARE(entries(w.cboChap), QStringList{"1"}); // Alpha's Genesis, not Bee's
        QVERIFY(t.pane().isEmpty());

        choose(w.cboBook, QStringLiteral("Psalms"));
        QCOMPARE(entries(w.cboChap), QStringList{"3"});
        QCOMPARE(entries(w.cboVs), (QStringList{"0", "1", "2"}));
        QCOMPARE(w.cboVs->currentText(), QStringLiteral("1"));
        QCOMPARE(t.pane(),
                 QStringLiteral("Alpha\nPSALMS 3:1 A increased\n\nBee\nPSALMS 3:1 B one\n"));
        choose(w.cboVs, QStringLiteral("0")); // the first entry: the title, verse 0
        QCOMPARE(w.CurVerse, 0);
        QCOMPARE(t.pane(), QStringLiteral("Alpha\nPSALMS 3:0 A a psalm\n"));

        // The order changed: the lists follow the new first translation.
        t.fx.folder.writeTranslations("1,1,\"Bee\",\"b_b\"\r\n2,1,\"Alpha\",\"b_a\"\r\n");
        Catalogues::LoadTranslationCatalogue(s);
        w.catalogueReloaded();
        QCOMPARE(entries(w.cboVs), (QStringList{"1", "3"})); // the numbers Bee holds
        QCOMPARE(w.CurVerse, 1);

        // A first translation without the book: the lists come from the next that holds it.
        Window nt("1,1,\"Nova\",\"b_n\"\r\n2,1,\"Alpha\",\"b_a\"\r\n");
        MultiBib& w2 = nt.open();
        choose(w2.cboBook, QStringLiteral("Psalms"));
        QCOMPARE(entries(w2.cboVs), (QStringList{"0", "1", "2"}));
    }

    void aRefreshAskedForDuringARefreshWaits() {
        Window t("1,1,\"Alpha\",\"b_a\"\r\n2,1,\"Bee\",\"b_b\"\r\n");
        MultiBib& w = t.open();
        choose(w.cboBook, QStringLiteral("Psalms"));
        bool duringRefresh = false;
        QTimer::singleShot(0, &w, [&] {
            duringRefresh = w.isRefreshing();
            choose(w.cboVs, QStringLiteral("2"));
        });
        QTest::mouseClick(w.cmdGo, Qt::LeftButton);
        QVERIFY(duringRefresh);
        QCOMPARE(t.pane(), QStringLiteral("Alpha\nPSALMS 3:2 A no help\n"));

        // Closed while it works: it finishes, then closes.
        QTimer::singleShot(0, &w, [&] { w.close(); });
        QTest::mouseClick(w.cmdGo, Qt::LeftButton);
        QVERIFY(t.w && !w.isVisible());
        QTRY_VERIFY(!t.w);
    }

    void clickSelectsTheLineAndNamesItsTranslation() {
        // One name inside the other: the block's own name line names it.
        Window t("1,1,\"New King James Version\",\"b_n\"\r\n"
                 "2,1,\"King James Version\",\"b_a\"\r\n");
        MultiBib& w = t.open();
        choose(w.cboBook, QStringLiteral("John"));
        QVERIFY(w.optNone->isChecked() && w.optWholeVerse->isChecked());
        QCOMPARE(w.SB1Panel2->text(), QStringLiteral("Length: 90 Bytes 2 Bibles"));
        clickLine(w.RT, 1);
        QCOMPARE(w.SB1Panel1->text(), QStringLiteral("New King James Version"));
        QCOMPARE(w.RT->textCursor().selectedText(), QStringLiteral("JOHN 3:16 N so loved"));
        QCOMPARE(w.SB1Panel2->text(), QStringLiteral("20 Bytes"));
        clickLine(w.RT, 3);
        QCOMPARE(w.SB1Panel1->text(), QStringLiteral("King James Version"));

        // The last line of the text has no line end after it. ("Chap" shows nothing new
        // before "Refresh".)
        QTest::mouseClick(w.optChap, Qt::LeftButton);
        QVERIFY(w.cboVs->isHidden() && w.L3->isHidden());
        QCOMPARE(w.SB1Panel2->text(), QStringLiteral("18 Bytes")); // the last click's
        QTest::mouseClick(w.cmdGo, Qt::LeftButton);
        QCOMPARE(w.SB1Panel2->text(), QStringLiteral("Length: 78 Bytes 2 Verses"));
        const int last = w.RT->document()->blockCount() - 1;
        clickLine(w.RT, 0);
        clickLine(w.RT, last);
        QCOMPARE(w.SB1Panel1->text(), QStringLiteral("King James Version"));
        QCOMPARE(w.RT->textCursor().selectedText(), QStringLiteral("3:16 A so loved"));

        w.optWholeVerse->setChecked(false);
        clickLine(w.RT, 1);
        QCOMPARE(w.SB1Panel2->text(), QStringLiteral("0 Bytes"));
    }

    void placementColoursAndPageSetup() {
        Window t("1,1,\"Alpha\",\"b_a\"\r\n");
        ProgramState& s = *t.fx.state;
        SettingsStore& store = *t.fx.settings;
        s.Bib2BC = 0x0000FF; // red in the low byte
        s.Bib2TC = 0xFF0000;
        s.Bib2Fontsize = 17;
        s.ApplyToAllForms = 1; // with a 5 inch page and 1 inch on the right: 4 inch lines
        s.FitToDesktop = 0;
        s.CM_IN = 1;
        s.WidthPage = 5;
        s.MarginRight = 1;
        MultiBib& w = t.open();
        const double dpi = w.RT->logicalDpiX();
        QCOMPARE(w.RT->palette().color(QPalette::Base), QColor(255, 0, 0));
        QCOMPARE(w.RT->palette().color(QPalette::Text), QColor(0, 0, 255));
        QCOMPARE(w.RT->document()->defaultFont().pointSize(), 17);
        QCOMPARE(w.RT->lineWrapMode(), QTextEdit::FixedPixelWidth);
        QCOMPARE(w.RT->lineWrapColumnOrWidth(), qRound(4 * dpi));
        QCOMPARE(w.windowTitle(), QStringLiteral("Tolvane Multi-Bible View"));

        w.resize(640, 480);
        const int width = w.width();
        w.close();
        QCOMPARE(store.readNumber(QStringLiteral("Settings"), QStringLiteral("ScreenV1X"), 0),
                 std::round(width * 1440 / dpi));
    }
};

QTEST_MAIN(TestMultiBib)
#include "tst_multibib.moc"
