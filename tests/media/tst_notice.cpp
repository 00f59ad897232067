// The download notice: its cipher and fields, the transfer from a local server, and the
// notice window shown from the audio window.
#include "MediaFixture.h"
#include "NoticeServer.h"
#include "library/SettingsKeys.h"
#include "media/DownloadNotice.h"
#include "media/NoticeCipher.h"
#include "media/NoticeFetcher.h"
#include "media/frmMP3.h"
#include "media/frmMSG.h"

#include <QLabel>
#include <QLineEdit>
#include <QNetworkProxy>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

namespace {

const QByteArray kNotice =
    "OK\thttps://downloads.example.org/audio/\t<<Audio Bibles>>New recordings every month."
    "\tmailto:audio@example.org Write to us\thttps://example.org/more More recordings";

QByteArray groups(std::initializer_list<int> values) {
    QByteArray digits;
    for (int v : values)
        digits += QByteArray::number(v).rightJustified(3, '0');
    return digits;
}

// A fetched text as the server holds it: the digit groups back to front, then one character.
QByteArray fetchedFrom(const QByteArray& digits) {
    QByteArray t = digits;
    std::reverse(t.begin(), t.end());
    return t + '\n';
}

} // namespace

class TestNotice : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); }

    // Vectors worked out by hand from the key, so that a fault shared by the scrambler and
    // the reader cannot hide.
    void unscramblesKnownTexts_data() {
        QTest::addColumn<QByteArray>("fetched");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("failure");
        using F = NoticeCipher::Failure;
        // 'O' ^ 'K' = 4, 'K' ^ '#' = 104; length 7 leaves six digits, two characters.
        QTest::newRow("length 7") << QByteArray("401400\n") << QByteArray("OK") << int(F::None);
        QTest::newRow("length 8: one digit ignored")
            << QByteArray("5401400\n") << QByteArray("OK") << int(F::None);
        QTest::newRow("length 9: short last group")
            << QByteArray("12401400\n") << QByteArray() << int(F::ShortGroup);
        QTest::newRow("group over 255")
            << fetchedFrom(groups({4, 256})) << QByteArray() << int(F::GroupOver255);
        QTest::newRow("999") << fetchedFrom(groups({999})) << QByteArray() << int(F::GroupOver255);
        QTest::newRow("not a number counts as 0")
            << fetchedFrom("4x1" + groups({104})) << QByteArray("KK") << int(F::None);
        QTest::newRow("empty") << QByteArray() << QByteArray() << int(F::Empty);
        QTest::newRow("one character") << QByteArray("\n") << QByteArray() << int(F::None);
        QByteArray zeros;
        for (int i = 0; i < 28; ++i)
            zeros += "000";
        // Character 28 is combined with the first key character again.
        QTest::newRow("key wraps at 28")
            << fetchedFrom(zeros) << QByteArray(NoticeCipher::kKey) + 'K' << int(F::None);
    }
    void unscramblesKnownTexts() {
        QFETCH(QByteArray, fetched);
        QFETCH(QByteArray, text);
        QFETCH(int, failure);
        const NoticeCipher::Result r = NoticeCipher::unscramble(fetched);
        QCOMPARE(int(r.failure), failure);
        QCOMPARE(r.text, text);
    }

    void scramblerIsTheInverse() {
        QByteArray all;
        for (int c = 0; c < 256; ++c)
            all.append(char(c));
        for (const QByteArray& text : {kNotice, all, QByteArray("OK")}) {
            const QByteArray fetched = NoticeCipher::scramble(text);
            QCOMPARE(fetched.size(), text.size() * 3 + 1);
            QCOMPARE(NoticeCipher::unscramble(fetched).text, text);
        }
        QCOMPARE(NoticeCipher::scramble("OK"), QByteArray("401400\n"));
    }

    void readsTheFields_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("failure");
        QTest::addColumn<QStringList>("fields"); // available, caption, message, contact, second
        using F = DownloadNotice::Failure;
        QTest::newRow("full") << kNotice << int(F::None)
                              << QStringList{"1", "Audio Bibles", "New recordings every month.",
                                             "mailto:audio@example.org|Write to us",
                                             "https://example.org/more|More recordings"};
        QTest::newRow("busy, no caption, fifth field keeps its tabs")
            << QByteArray("BUSY\thttps://a.example.org/\tPlain message\tx@example.org Mail\t"
                          "https://b.example.org/ b\tc")
            << int(F::None)
            << QStringList{"0", "", "Plain message", "x@example.org|Mail",
                           "https://b.example.org/|b\tc"};
        QTest::newRow("no spaces in the addresses")
            << QByteArray("OK\tu\tm\tcontact\tsecond") << int(F::None)
            << QStringList{"1", "", "m", "|", "|"};
        QTest::newRow("four fields") << QByteArray("OK\tu\tm\tc d") << int(F::MissingFields)
                                     << QStringList();
        QTest::newRow("nothing") << QByteArray() << int(F::MissingFields) << QStringList();
        QTest::newRow(">> before the third character")
            << QByteArray("OK\tu\t>><<caption\tc d\te f") << int(F::CaptionMarks) << QStringList();
        QTest::newRow("<>> at the start")
            << QByteArray("OK\tu\t<>>x<<\tc d\te f") << int(F::CaptionMarks) << QStringList();
        QTest::newRow("empty caption")
            << QByteArray("OK\tu\t<<>>msg\tc d\te f") << int(F::None)
            << QStringList{"1", "", "msg", "c|d", "e|f"};
    }
    void readsTheFields() {
        QFETCH(QByteArray, text);
        QFETCH(int, failure);
        QFETCH(QStringList, fields);
        DownloadNotice::Failure f = DownloadNotice::Failure::None;
        const DownloadNotice n = DownloadNotice::parse(text, &f);
        QCOMPARE(int(f), failure);
        if (fields.isEmpty())
            return;
        QCOMPARE(QStringList({n.available ? "1" : "0", n.caption, n.message,
                              n.contactAddress + '|' + n.contactText,
                              n.secondAddress + '|' + n.secondText}),
                 fields);
    }

    void opensOnlyWebAndMailAddresses_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("web");
        QTest::addColumn<QString>("contact");
        QTest::newRow("https") << "https://example.org/a" << "https://example.org/a"
                               << "https://example.org/a";
        QTest::newRow("http") << "http://example.org/" << "http://example.org/"
                              << "http://example.org/";
        QTest::newRow("mailto") << "mailto:a@example.org" << "" << "mailto:a@example.org";
        QTest::newRow("bare mail") << "a.b@example.org" << "" << "mailto:a.b@example.org";
        QTest::newRow("local file") << "file:///etc/passwd" << "" << "";
        QTest::newRow("path") << "/etc/passwd" << "" << "";
        QTest::newRow("javascript") << "javascript:alert(1)" << "" << "";
        QTest::newRow("smb") << "smb://host/share" << "" << "";
        QTest::newRow("no host") << "http:///x" << "" << "";
        QTest::newRow("mailto with more") << "mailto:a@example.org?attach=/etc/passwd" << ""
                                          << "";
    }
    void opensOnlyWebAndMailAddresses() {
        QFETCH(QString, address);
        QFETCH(QString, web);
        QFETCH(QString, contact);
        QCOMPARE(DownloadNotice::safeWebAddress(address), web);
        QCOMPARE(DownloadNotice::safeContactAddress(address), contact);
    }

    // The window the user sees: links, hints and what a click opens.
    void noticeWindowShowsTheFields() {
        MediaFixture f;
        DownloadNotice::Failure failure;
        frmMSG w(f.state, f.opener, DownloadNotice::parse(kNotice, &failure));
        w.Form_Load();
        QCOMPARE(w.windowTitle(), QStringLiteral("Audio Bibles"));
        QCOMPARE(w.txtURL->text(), QStringLiteral("Download MP3 Bibles here"));
        QCOMPARE(w.txtMSG->toPlainText(), QStringLiteral("New recordings every month."));
        QCOMPARE(w.txtContact->text(), QStringLiteral("Write to us"));
        QCOMPARE(w.txtURL1->text(), QStringLiteral("More recordings"));
        for (QLineEdit* link : {w.txtURL, w.txtContact, w.txtURL1})
            QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(f.opener.opened,
                 QStringList({"https://downloads.example.org/audio/", "mailto:audio@example.org",
                              "https://example.org/more"}));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w.txtURL, &enter);
        QCOMPARE(w.txtH->text(),
                 QStringLiteral("Click to go to https://downloads.example.org/audio/ But DO NOT "
                                "bookmark it when you get there as it CHANGES regularly!!!"));
        QApplication::sendEvent(w.txtContact, &enter);
        QCOMPARE(w.txtH->text(), QStringLiteral("mailto:audio@example.org"));
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &move);
        QCOMPARE(w.txtH->text(), QString());
    }

    // A forged notice: nothing but web and mail addresses is opened; the rest is text.
    void noticeWindowRefusesOtherAddresses() {
        MediaFixture f;
        DownloadNotice::Failure failure;
        frmMSG w(f.state, f.opener,
                 DownloadNotice::parse("OK\tfile:///etc/passwd\tm\tjavascript:x() Contact\t"
                                       "/bin/sh Run",
                                       &failure));
        w.Form_Load();
        for (QLineEdit* link : {w.txtURL, w.txtContact, w.txtURL1}) {
            QVERIFY(!link->isEnabled());
            QTest::mouseClick(link, Qt::LeftButton);
            w.txtURL_Click();
            w.txtContact_Click();
            w.txtURL1_Click();
        }
        QVERIFY(f.opener.opened.isEmpty());
        QCOMPARE(w.txtContact->text(), QStringLiteral("Contact"));
        QVERIFY(w.txtURL1->toolTip().contains(QStringLiteral("/bin/sh")));
    }

    void noticeWindowShowsMaintenance() {
        MediaFixture f;
        DownloadNotice::Failure failure;
        frmMSG w(f.state, f.opener,
                 DownloadNotice::parse("DOWN\thttps://a.example.org/\tmsg\tc d\te f", &failure));
        w.Form_Load();
        QCOMPARE(w.txtURL->text(),
                 QStringLiteral("We are busy with site maintenance. Sorry, please try later"));
        QVERIFY(!w.txtURL->isEnabled());
        w.txtURL_Click();
        QVERIFY(f.opener.opened.isEmpty());
    }

    // "Download" in the audio window, against the local server: the states in the status
    // bar, then the notice window, or the error text and no window.
    void downloadShowsTheNoticeOrTheError_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("shown");
        const QByteArray good = NoticeCipher::scramble(kNotice);
        QTest::newRow("notice") << int(NoticeServer::Mode::Serve) << good << true;
        QTest::newRow("404") << int(NoticeServer::Mode::NotFound) << good << false;
        QTest::newRow("timeout") << int(NoticeServer::Mode::Silent) << good << false;
        QTest::newRow("10 MB") << int(NoticeServer::Mode::Huge) << good << false;
        QTest::newRow("closed half-way") << int(NoticeServer::Mode::HalfClosed) << good << false;
        QTest::newRow("empty body") << int(NoticeServer::Mode::Serve) << QByteArray() << false;
        QTest::newRow("short last group")
            << int(NoticeServer::Mode::Serve) << QByteArray("12" + good) << false;
        QTest::newRow("missing fields") << int(NoticeServer::Mode::Serve)
                                        << NoticeCipher::scramble("OK\tu\tm") << false;
    }
    void downloadShowsTheNoticeOrTheError() {
        QFETCH(int, mode);
        QFETCH(QByteArray, body);
        QFETCH(bool, shown);
        MediaFixture f;
        NoticeServer server;
        server.setMode(NoticeServer::Mode(mode), body);
        f.settings->write(SettingsKeys::Settings, SettingsKeys::NoticeURL,
                          server.url().toString());
        f.dialogs.expectMessage(Dialogs::Answer::No, QStringLiteral("No audio Bibles"));
        frmMP3 w(f.state, f.opener);
        w.setTransferTimeout(400);
        w.Form_Load();
        QStringList statuses;
        connect(w.Inet, &NoticeFetcher::stateChanged, this,
                [&] { statuses << w.statusText(); });
        QSignalSpy done(w.Inet, &NoticeFetcher::finished);
        QTest::mouseClick(w.cmdDownload, Qt::LeftButton);
        QVERIFY(done.wait(10000));
        QCOMPARE(server.requests(), 1);
        QVERIFY(!w.Inet->busy());
        QCOMPARE(statuses.first(), QStringLiteral("Looking up the web site..."));
        // The transfer's last state: complete, or the error state before the error text.
        QCOMPARE(statuses.last(), mode == int(NoticeServer::Mode::Serve)
                                      ? QStringLiteral("Download complete.")
                                      : QStringLiteral("An error occurred while talking to the web site."));
        if (shown) {
            QVERIFY(w.notice());
            QVERIFY(w.notice()->isVisible());
            QCOMPARE(w.notice()->windowTitle(), QStringLiteral("Audio Bibles"));
            QCOMPARE(w.statusText(), QStringLiteral("Download complete."));
            QCOMPARE(w.sMP3(), kNotice);
            w.notice()->close();
        } else {
            QVERIFY(!w.notice());
            QCOMPARE(w.statusText(), QStringLiteral("There was an error connecting to the site"));
            QCOMPARE(w.sMP3(), QByteArray("ERROR"));
        }
    }

    void defaultNoticeAddressIsOnTheProjectSite() {
        MediaFixture f;
        f.dialogs.setLenient(true);
        frmMP3 w(f.state, f.opener);
        QCOMPARE(w.noticeAddress(), QStringLiteral("https://tolvane.example.org/mp3notice.txt"));
    }
};

QTEST_MAIN(TestNotice)
#include "tst_notice.moc"
