// Audio Bibles: the recorded books of the shipped folder, the frame reader, and the audio
// window with its lists and player.
#include "MediaFixture.h"
#include "media/AudioLibrary.h"
#include "media/Mp3Probe.h"
#include "media/NoticeFetcher.h"
#include "media/frmMP3.h"

#include <QAudioDevice>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

namespace {
// The shipped books and their lengths as the speech synthesiser wrote them (seconds).
struct Book {
    const char* language;
    const char* file;
    double seconds;
};
const Book kBooks[] = {
    {"English", "Philemon.mp3", 138.95}, {"English", "2 John.mp3", 94.20},
    {"English", "3 John.mp3", 96.45},    {"English", "Jude.mp3", 209.21},
    {"Spanish", "2 Juan.mp3", 107.49},   {"Spanish", "3 Juan.mp3", 107.86},
};

QString shippedBook(const Book& b) {
    return MediaFixture::shippedPath(QStringLiteral("Modules/mp3/%1/%2")
                                         .arg(QLatin1String(b.language), QLatin1String(b.file)));
}

// The shipped books under their own names in the test's folder.
void installBooks(MediaFixture& f) {
    for (const Book& b : kBooks)
        QVERIFY(f.copyShipped(QStringLiteral("Modules/mp3/%1/%2")
                                  .arg(QLatin1String(b.language), QLatin1String(b.file)),
                              QStringLiteral("Modules/mp3/%1/%2")
                                  .arg(QLatin1String(b.language), QLatin1String(b.file))));
}

QStringList texts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QListWidgetItem* book(const QListWidget* list, const QString& shown) {
    const auto found = list->findItems(shown, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}
} // namespace

class TestAudio : public QObject {
    Q_OBJECT

private slots:
    void probesTheShippedBooks_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<double>("seconds");
        for (const Book& b : kBooks)
            QTest::newRow(b.file) << shippedBook(b) << b.seconds;
    }
    void probesTheShippedBooks() {
        QFETCH(QString, path);
        QFETCH(double, seconds);
        const Mp3Probe p = Mp3Probe::probeFile(path);
        QVERIFY(p.isAudio);
        QCOMPARE(p.sampleRate, 16000);
        QCOMPARE(p.channels, 1);
        QCOMPARE(p.bitrateKbps, 16);
        // At 16 kbit/s a frame is too small for the encoder's gapless record, so the file plays
        // its added samples too: about 80 ms more than the speech.
        QVERIFY2(p.durationMs >= seconds * 1000 && p.durationMs - seconds * 1000 < 150,
                 qPrintable(QString::number(p.durationMs)));
    }

    void refusesWhatIsNotAudio_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("audio");
        QFile f(shippedBook(kBooks[0]));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray mp3 = f.readAll();
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("text") << QByteArray("Paul, a prisoner of Jesus Christ\r\n") << false;
        QTest::newRow("sync bytes everywhere") << QByteArray(4096, '\xFF') << false;
        QTest::newRow("one frame header") << mp3.left(mp3.indexOf("\xFF\xF3") + 4) << false;
        QTest::newRow("an ID3 tag alone") << QByteArray("ID3\x04\x00\x00\x00\x00\x00\x20", 10)
                                                 .append(QByteArray(32, 'x'))
                                          << false;
        QTest::newRow("an ID3 tag claiming more than the file")
            << QByteArray("ID3\x04\x00\x00\x7F\x7F\x7F\x7F", 10) << false;
        QTest::newRow("the first ten kilobytes") << mp3.left(10240) << true;
        QTest::newRow("the book after a page of text") << QByteArray(3000, 'a') + mp3 << true;
    }
    void refusesWhatIsNotAudio() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, audio);
        const Mp3Probe p = Mp3Probe::probe(bytes);
        QCOMPARE(p.isAudio, audio);
        QCOMPARE(p.durationMs > 0, audio);
    }

    void windowListsLanguagesAndBooksByTheirRealNames() {
        MediaFixture f;
        installBooks(f);
        f.folder.write(QStringLiteral("Modules/mp3/German/liesmich.txt"), "keine Bücher");
        frmMP3 w(f.state, f.opener);
        w.Form_Load();
        QCOMPARE(w.windowTitle(), QStringLiteral("Audio Bibles"));
        QCOMPARE(w.cboLang->count(), 3);
        QCOMPARE(w.cboLang->itemText(0), QStringLiteral("ENGLISH"));
        QCOMPARE(texts(w.Lb), QStringList({"2 JOHN.MP3", "3 JOHN.MP3", "JUDE.MP3", "PHILEMON.MP3"}));
        QCOMPARE(w.statusText(), QStringLiteral("You have 4 books installed!"));
        w.cboLang->setCurrentIndex(1);
        emit w.cboLang->activated(1);
        QCOMPARE(texts(w.Lb), QStringList{});
        QCOMPARE(w.statusText(), QStringLiteral("You have 0 books installed!"));
        w.cboLang->setCurrentIndex(2);
        emit w.cboLang->activated(2);
        QCOMPARE(texts(w.Lb), QStringList({"2 JUAN.MP3", "3 JUAN.MP3"}));

        // Played from the name on disk: the capitals would not be found on this file system.
        emit w.Lb->itemDoubleClicked(book(w.Lb, QStringLiteral("3 JUAN.MP3")));
        QCOMPARE(w.Mp->source(),
                 QUrl::fromLocalFile(f.folder.file(QStringLiteral("Modules/mp3/Spanish/3 Juan.mp3"))));
    }

    // The book loads with its true length; playing needs a sound output, which test machines
    // often lack, and is then not tried.
    void playsABookWithItsTrueDuration() {
        MediaFixture f;
        installBooks(f);
        frmMP3 w(f.state, f.opener);
        w.Form_Load();
        emit w.Lb->itemDoubleClicked(book(w.Lb, QStringLiteral("PHILEMON.MP3")));
        QTRY_VERIFY_WITH_TIMEOUT(w.Mp->duration() > 0, 10000);
        const qint64 probed = Mp3Probe::probeFile(w.Mp->source().toLocalFile()).durationMs;
        QVERIFY2(qAbs(w.Mp->duration() - probed) < 100,
                 qPrintable(QStringLiteral("%1 %2").arg(w.Mp->duration()).arg(probed)));
        QCOMPARE(w.sldPosition->maximum(), int(w.Mp->duration()));
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("lblTime"))->text().endsWith(QStringLiteral("2:19")));
        if (QMediaDevices::audioOutputs().isEmpty()) {
            QCOMPARE(w.statusText(),
                     QStringLiteral("No sound output was found: the book is loaded but cannot be heard."));
            QSKIP("No audio output device: Philemon loaded with its true duration; playing, "
                  "pausing and moving through it were not tried.");
        }
        QTRY_COMPARE_WITH_TIMEOUT(w.Mp->playbackState(), QMediaPlayer::PlayingState, 5000);
        QTest::mouseClick(w.cmdPause, Qt::LeftButton);
        QCOMPARE(w.Mp->playbackState(), QMediaPlayer::PausedState);
        w.sldPosition->setSliderDown(true);
        w.sldPosition->setSliderPosition(60000);
        w.sldPosition->setSliderDown(false);
        QTRY_VERIFY(qAbs(w.Mp->position() - 60000) < 1000);
        QTest::mouseClick(w.cmdStop, Qt::LeftButton);
        QCOMPARE(w.Mp->playbackState(), QMediaPlayer::StoppedState);
    }

    void refusesAFileThatIsNotAudio() {
        MediaFixture f;
        f.folder.write(QStringLiteral("Modules/mp3/English/Fake.mp3"), "ID3 but nothing else");
        frmMP3 w(f.state, f.opener);
        w.Form_Load();
        f.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("Fake.mp3 is not a recording"));
        emit w.Lb->itemDoubleClicked(w.Lb->item(0));
        QCOMPARE(f.dialogs.pending(), 0);
        QVERIFY(w.Mp->source().isEmpty());
        QCOMPARE(w.statusText(), QStringLiteral("The file Fake.mp3 is not a recording that Tolvane can play."));
    }

    // No entries at all: the question; Yes fetches the notice when the window is activated.
    void emptyAudioFolderAsks_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void emptyAudioFolderAsks() {
        QFETCH(bool, yes);
        MediaFixture f;
        f.folder.write(QStringLiteral("Modules/Bible/b_kjv.txt"), "");
        f.settings->write(QStringLiteral("Settings"), QStringLiteral("NoticeURL"),
                          QStringLiteral("http://127.0.0.1:1/none.txt"));
        f.dialogs.expectMessage(yes ? Dialogs::Answer::Yes : Dialogs::Answer::No,
                                QStringLiteral("No audio Bibles are installed"));
        frmMP3 w(f.state, f.opener);
        w.Form_Load();
        QCOMPARE(f.dialogs.records().first().box.title, QStringLiteral("Audio Bibles"));
        QCOMPARE(w.downloadOnActivation(), yes);
        QCOMPARE(w.cboLang->count(), 0);
        w.Form_Activate();
        QCOMPARE(w.Inet->busy(), yes);
        QVERIFY(!w.downloadOnActivation());
    }
};

QTEST_MAIN(TestAudio)
#include "tst_audio.moc"
