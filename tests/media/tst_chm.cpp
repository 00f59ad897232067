// Help-file Bibles: the reader on the shipped file and on damaged ones, and the selector
// window with the help window it opens.
#include "MediaFixture.h"
#include "media/ChmContents.h"
#include "media/ChmFile.h"
#include "media/HelpFileBibles.h"
#include "media/frmCHM.h"
#include "platform/HelpSource.h"
#include "platform/HelpViewer.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QtEndian>
#include <QtTest>

namespace {
const QString kShipped = QStringLiteral("Modules/CHM/cn_web.chm");

QByteArray shippedBytes() {
    QFile f(MediaFixture::shippedPath(kShipped));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QTreeWidgetItem* findTopic(QTreeWidget* tree, const QString& title) {
    const auto found = tree->findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}
} // namespace

class TestChm : public QObject {
    Q_OBJECT

private slots:
    void shippedBibleOpens() {
        ChmFile chm;
        QVERIFY(chm.open(MediaFixture::shippedPath(kShipped)));
        QCOMPARE(chm.title(), QStringLiteral("World English Bible (2015)"));
        QCOMPARE(chm.homePage(), QStringLiteral("/index.htm"));
        QCOMPARE(chm.pages().size(), 67);
        QByteArray john;
        QVERIFY(chm.read(QStringLiteral("BOOK43.HTM"), john)); // letter case does not matter
        const QString page = ChmFile::decodePage(john);
        QVERIFY(page.contains(QStringLiteral("<a name=\"c3\"></a>John 3")));
        QVERIFY(page.contains(QStringLiteral("For God so loved the world")));
        QVERIFY(page.contains(QChar(0x201C))); // the module's curly quotes survive
        QVERIFY(!chm.read(QStringLiteral("/book67.htm"), john));

        QByteArray sitemap;
        QVERIFY(chm.read(chm.contentsFile(), sitemap));
        const QVector<ChmContents::Entry> toc = ChmContents::parse(ChmFile::decodePage(sitemap));
        QCOMPARE(toc.size(), 1 + 66 + 1189);
        const auto johnThree = std::find_if(toc.begin(), toc.end(), [](const auto& e) {
            return e.name == QLatin1String("John 3");
        });
        QVERIFY(johnThree != toc.end());
        QCOMPARE(johnThree->local, QStringLiteral("book43.htm#c3"));
        QCOMPARE(johnThree->depth, 1);
    }

    void readsSitemaps_data() {
        QTest::addColumn<QString>("sitemap");
        QTest::addColumn<QStringList>("entries"); // depth:name:local
        QTest::newRow("nested, any case, unquoted")
            << "<ul><LI><object TYPE=text/sitemap><param name=Name value=Top>"
               "<param name='Local' value='a.htm'></object><UL><li><OBJECT type=\"text/sitemap\">"
               "<PARAM name=\"Name\" value=\"Child &amp; more\"></OBJECT></UL></ul>"
            << QStringList{"0:Top:a.htm", "1:Child & more:"};
        QTest::newRow("other objects and unnamed entries are skipped")
            << "<object type=\"text/site properties\"><param name=\"Name\" value=\"x\"></object>"
               "<ul><li><object type=\"text/sitemap\"><param name=\"Local\" value=\"b.htm\">"
               "</object></ul>"
            << QStringList();
        QTest::newRow("unclosed lists and objects")
            << "</ul></ul><ul><ul><li><object type=\"text/sitemap\"><param name=\"Name\" "
               "value=\"&#8220;Deep&#x201D;\"><param name=\"Local\" value=\"c.htm#x\">"
            << QStringList();
    }
    void readsSitemaps() {
        QFETCH(QString, sitemap);
        QFETCH(QStringList, entries);
        QStringList got;
        for (const ChmContents::Entry& e : ChmContents::parse(sitemap))
            got << QStringLiteral("%1:%2:%3").arg(e.depth).arg(e.name, e.local);
        QCOMPARE(got, entries);
    }

    // Damaged, cut or foreign files are refused with a reason, never a crash.
    void refusesDamagedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("failure");
        using F = ChmFile::Failure;
        const QByteArray chm = shippedBytes();
        QTest::newRow("empty") << QByteArray() << int(F::NotHelpFile);
        QTest::newRow("text") << QByteArray("In the beginning\r\n") << int(F::NotHelpFile);
        QTest::newRow("header only") << chm.left(0x60) << int(F::NotHelpFile);
        QTest::newRow("cut at 4 KiB") << chm.left(4096) << int(F::NotHelpFile);
        QByteArray badSignature = chm;
        badSignature[0] = 'X';
        QTest::newRow("signature") << badSignature << int(F::NotHelpFile);
        // Directory damage that would send the library round in circles or past its buffer.
        QFile small(QStringLiteral(TOLVANE_SOURCE_DIR "/fuzz/chm/corpus/small.chm"));
        QVERIFY(small.open(QIODevice::ReadOnly));
        const QByteArray good = small.readAll();
        const qsizetype listing = good.indexOf("PMGL");
        QVERIFY(listing > 0);
        auto patched = [&](qsizetype at, quint32 value) {
            QByteArray b = good;
            qToLittleEndian(value, b.data() + at);
            return b;
        };
        QTest::newRow("listing chunk follows itself") << patched(listing + 0x10, 0)
                                                      << int(F::NotHelpFile);
        QTest::newRow("listing chunk follows one not there") << patched(listing + 0x10, 9999)
                                                             << int(F::NotHelpFile);
        QTest::newRow("free space larger than the chunk") << patched(listing + 4, 0xFFFFFF00)
                                                          << int(F::NotHelpFile);
        const qsizetype control = good.indexOf("LZXC") - 4;
        QVERIFY(control > 0);
        QTest::newRow("LZX window that wraps to zero") << patched(control + 0x10, 0x20000)
                                                       << int(F::NotHelpFile);
        QTest::newRow("no windows per reset") << patched(control + 0x14, 0) << int(F::NotHelpFile);
        QTest::newRow("no free space: the tail read as entries") << patched(listing + 4, 0)
                                                    << int(F::NotHelpFile);
        QFile pages(QStringLiteral(TOLVANE_SOURCE_DIR "/tests/media/data/nopages.chm"));
        QVERIFY(pages.open(QIODevice::ReadOnly));
        QTest::newRow("a help file without pages") << pages.readAll() << int(F::NoPages);
    }
    void refusesDamagedFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, failure);
        TestProgramFolder folder;
        folder.write(QStringLiteral("x.chm"), bytes);
        ChmFile chm;
        QVERIFY(!chm.open(folder.file(QStringLiteral("x.chm"))));
        QCOMPARE(int(chm.failure()), failure);
        QByteArray out;
        QVERIFY(!chm.read(QStringLiteral("/index.htm"), out));
    }

    void selectorOpensTheBibleAndLeavesF1Alone() {
        MediaFixture f;
        f.folder.writeTranslations("1,1,\"World English Bible\",\"b_web\"\r\n");
        QVERIFY(f.copyShipped(kShipped, QStringLiteral("Modules/CHM/cn_web.chm")));
        QVERIFY(f.copyShipped(kShipped, QStringLiteral("Modules/CHM/cf_web.chm")));
        const QString help = f.state.HelpFile;
        frmCHM w(f.state, f.opener);
        w.Form_Load();
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("CHM Bible Selector"));
        QCOMPARE(w.lblCount->text(), QStringLiteral("2 Modules found"));
        QCOMPARE(w.LV->topLevelItem(0)->text(0), QStringLiteral("World English Bible"));
        QCOMPARE(w.LV->topLevelItem(1)->text(1), QStringLiteral("cf_web.chm"));

        emit w.LV->itemDoubleClicked(w.LV->topLevelItem(0), 0);
        HelpViewer* viewer = w.viewer();
        QVERIFY(viewer && viewer->isVisible());
        QTextBrowser* browser = viewer->browser();
        QVERIFY(browser->toPlainText().contains(QStringLiteral("New Testament")));
        // A link inside the file, the table of contents, and links that leave it.
        emit browser->anchorClicked(QUrl(QStringLiteral("book65.htm")));
        QVERIFY(browser->toPlainText().startsWith(QStringLiteral("Jude")));
        QTreeWidgetItem* john3 = findTopic(viewer->contentsTree(), QStringLiteral("John 3"));
        QVERIFY(john3);
        emit viewer->contentsTree()->itemClicked(john3, 0);
        QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/book43.htm#c3")));
        emit browser->anchorClicked(QUrl(QStringLiteral("ms-its:cn_web.chm::/book01.htm")));
        QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/book01.htm")));
        emit browser->anchorClicked(QUrl(QStringLiteral("file:///etc/passwd")));
        emit browser->anchorClicked(QUrl(QStringLiteral("https://example.org/")));
        QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/book01.htm")));
        QCOMPARE(f.opener.opened, QStringList{QStringLiteral("https://example.org/")});

        viewer->close();
        w.close(); // the close box, not the Close button
        QCOMPARE(f.state.HelpFile, help);
    }

    void selectorRefusesFilesThatAreNotBibles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("text named like a Bible")
            << QByteArray("plain text") << QStringLiteral("could not be opened");
        QFile pages(QStringLiteral(TOLVANE_SOURCE_DIR "/tests/media/data/nopages.chm"));
        QVERIFY(pages.open(QIODevice::ReadOnly));
        QTest::newRow("help file without pages")
            << pages.readAll() << QStringLiteral("is not a help-file Bible");
    }
    void selectorRefusesFilesThatAreNotBibles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        MediaFixture f;
        f.folder.writeTranslations("1,1,\"King James\",\"b_kjv\"\r\n");
        f.folder.write(QStringLiteral("Modules/CHM/cn_kjv.chm"), bytes);
        frmCHM w(f.state, f.opener);
        w.Form_Load();
        QCOMPARE(w.lblCount->text(), QStringLiteral("1 Modules found"));
        f.dialogs.expectMessage(Dialogs::Answer::Ok, message);
        emit w.LV->itemDoubleClicked(w.LV->topLevelItem(0), 0);
        QCOMPARE(f.dialogs.pending(), 0);
        QVERIFY(!w.viewer());
    }
};

QTEST_MAIN(TestChm)
#include "tst_chm.moc"
