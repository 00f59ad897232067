#include "platform/UrlOpener.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Records what would have been handed to the desktop instead of handing it over.
class RecordingOpener : public UrlOpener {
public:
    QStringList launched;
    bool result = true;

protected:
    bool launch(const QString& address) override {
        launched << address;
        return result;
    }
};
} // namespace

class TestUrlOpener : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_help;  // a file the program lists as allowed
    QString m_other; // a file beside it that nobody listed

private slots:
    void initTestCase() {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("help page")));
        m_help = m_dir.filePath(QStringLiteral("help page/index #1.html"));
        m_other = m_dir.filePath(QStringLiteral("help page/secret.html"));
        for (const QString& p : {m_help, m_other}) {
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::link(m_help, m_dir.filePath(QStringLiteral("link.html"))));
    }

    void onlyAllowedAddressesAreOpened_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("https") << QStringLiteral("https://tolvane.example.org/") << true;
        QTest::newRow("http with query") << QStringLiteral("http://example.org/a?b=1#c") << true;
        QTest::newRow("upper-case scheme") << QStringLiteral("HTTPS://EXAMPLE.ORG/") << true;
        QTest::newRow("mailto") << QStringLiteral("mailto:support@tolvane.example.org") << true;
        QTest::newRow("mailto with subject")
            << QStringLiteral("mailto:list@tolvane.example.org?subject=subscribe") << true;
        QTest::newRow("empty mailto") << QStringLiteral("mailto:") << false;
        QTest::newRow("http without host") << QStringLiteral("http:///etc/passwd") << false;
        QTest::newRow("javascript") << QStringLiteral("javascript:alert(1)") << false;
        QTest::newRow("javascript mixed case") << QStringLiteral("JavaScript:alert(1)") << false;
        QTest::newRow("javascript after a space") << QStringLiteral(" javascript:alert(1)")
                                                  << false;
        QTest::newRow("vbscript") << QStringLiteral("vbscript:msgbox(1)") << false;
        QTest::newRow("data") << QStringLiteral("data:text/html,<script>x</script>") << false;
        QTest::newRow("ftp") << QStringLiteral("ftp://example.org/file.txt") << false;
        QTest::newRow("smb") << QStringLiteral("smb://server/share") << false;
        QTest::newRow("unlisted local file") << QStringLiteral("/etc/passwd") << false;
        QTest::newRow("unlisted file URL") << QStringLiteral("file:///etc/passwd") << false;
        QTest::newRow("empty") << QString() << false;
    }
    void onlyAllowedAddressesAreOpened() {
        QFETCH(QString, address);
        QFETCH(bool, allowed);
        QCOMPARE(UrlOpener::isAllowed(address, {m_help}), allowed);
        RecordingOpener opener;
        QCOMPARE(opener.open(address, {m_help}), allowed);
        QCOMPARE(opener.launched, allowed ? QStringList{address} : QStringList{});
    }

    void listedLocalFilesAreOpened_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("listed path") << m_help << true;
        QTest::newRow("listed, as a file URL")
            << QUrl::fromLocalFile(m_help).toString(QUrl::FullyEncoded) << true;
        QTest::newRow("listed, through dot-dot")
            << m_dir.filePath(QStringLiteral("help page/../help page/index #1.html")) << true;
        QTest::newRow("listed, through a link") << m_dir.filePath(QStringLiteral("link.html"))
                                                << true;
        QTest::newRow("beside the listed file") << m_other << false;
        QTest::newRow("its folder") << m_dir.filePath(QStringLiteral("help page")) << false;
        QTest::newRow("missing file") << m_dir.filePath(QStringLiteral("help page/none.html"))
                                      << false;
    }
    void listedLocalFilesAreOpened() {
        QFETCH(QString, address);
        QFETCH(bool, allowed);
        RecordingOpener opener;
        QCOMPARE(opener.open(address, {m_help}), allowed);
        QCOMPARE(opener.launched.size(), allowed ? 1 : 0);
        // Nothing listed: no local file at all.
        QVERIFY(!UrlOpener::isAllowed(address, {}));
    }

    void aListedFileThatIsGoneIsRefused() {
        const QString gone = m_dir.filePath(QStringLiteral("gone.html"));
        QVERIFY(!UrlOpener::isAllowed(gone, {gone}));
    }

    void theDesktopAnswerIsPassedOn() {
        RecordingOpener opener;
        opener.result = false;
        QVERIFY(!opener.open(QStringLiteral("https://example.org/")));
        QCOMPARE(opener.launched.size(), 1);
    }
    // A relative file name that reads as an address of another kind must not reach the
    // desktop as that address, even when it is listed.
    void aFileNamedLikeAnAddressIsNotOpenedAsOne() {
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        const QString name = QStringLiteral("javascript:alert(1)");
        {
            QFile f(name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        RecordingOpener opener;
        const bool opened = opener.open(name, {m_dir.filePath(name)});
        QDir::setCurrent(before);
        QVERIFY(!opened);
        QVERIFY(opener.launched.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestUrlOpener)
#include "tst_UrlOpener.moc"
