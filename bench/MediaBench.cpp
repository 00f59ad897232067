// Timings of the help-file and audio Bible windows on the shipped files, each a median over
// repeated runs with the slowest run beside it:
//
//   tolvane-bench-media [repetitions]
//
//   help-file page   from the double click in the selector to the help window showing the
//                    start page (contents listed), and from a link to the largest book (Psalms)
//   notice           from the "Download" click to the notice window shown, fetched from a
//                    server on this machine; the floor is the bare HTTP transfer
//   book             from the double click on a book to the player loading it, and to the
//                    player knowing its length
#include "../tests/media/NoticeServer.h"
#include "Median.h"
#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/SettingsStore.h"
#include "media/NoticeCipher.h"
#include "media/NoticeFetcher.h"
#include "media/frmCHM.h"
#include "media/frmMP3.h"
#include "media/frmMSG.h"
#include "platform/ConsoleDialogs.h"
#include "platform/HelpViewer.h"
#include "platform/UrlOpener.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMediaPlayer>
#include <QNetworkProxy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

void report(const char* name, std::vector<double> v, double target, double floorMs = -1) {
    const double worst = *std::max_element(v.begin(), v.end());
    std::printf("%-46s median %8.2f ms  slowest %8.2f ms  (target %.0f ms)", name, median(v), worst,
                target);
    if (floorMs > 0)
        std::printf("  floor %.2f ms, ratio %.1f", floorMs, median(v) / floorMs);
    std::printf("\n");
}

// Runs the event loop until done() or the time limit; false on the limit.
bool spin(const std::function<bool()>& done, int limitMs = 10000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    const int reps = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;

    // The shipped program folder, read only; settings of our own.
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    ConsoleDialogs dialogs;
    ProgramState state(store, dialogs);
    const QString program = QStringLiteral(TOLVANE_SOURCE_DIR "/data/program/");
    state.programDir = program;
    state.ProgramFolder = program;
    state.MessageFolder = program + QStringLiteral("msg/");
    state.SysDefsFolder = program + QStringLiteral("sysdefs/");
    state.ModulePath = program + QStringLiteral("Modules/");
    UrlOpener opener;

    std::vector<double> open, psalms;
    for (int i = 0; i < reps; ++i) {
        frmCHM selector(state, opener);
        selector.Form_Load();
        selector.show();
        QElapsedTimer t;
        t.start();
        emit selector.LV->itemDoubleClicked(selector.LV->topLevelItem(0), 0);
        HelpViewer* viewer = selector.viewer();
        if (!viewer || !viewer->isLoaded() || viewer->contentsTree()->topLevelItemCount() == 0) {
            std::fprintf(stderr, "the help-file Bible did not open\n");
            return 1;
        }
        QCoreApplication::processEvents(); // painted
        open.push_back(ms(t));
        t.restart();
        viewer->followLink(QUrl(QStringLiteral("book19.htm")));
        QCoreApplication::processEvents();
        psalms.push_back(ms(t));
        if (!viewer->browser()->toPlainText().startsWith(QStringLiteral("Psalms")))
            return 1;
        viewer->close();
    }
    report("help-file page: double click to start page", open, 50);
    report("help-file page: link to Psalms (largest page)", psalms, 50);

    NoticeServer server;
    server.setMode(NoticeServer::Mode::Serve,
                   NoticeCipher::scramble("OK\thttps://downloads.example.org/\t<<Audio Bibles>>"
                                          "Recordings\tmailto:a@example.org Contact\t"
                                          "https://example.org/ More"));
    store.write(SettingsKeys::Settings, SettingsKeys::NoticeURL, server.url().toString());
    std::vector<double> bare, shown;
    NoticeFetcher fetcher;
    bool done = false;
    QObject::connect(&fetcher, &NoticeFetcher::finished, [&] { done = true; });
    for (int i = 0; i < reps; ++i) {
        done = false;
        QElapsedTimer t;
        t.start();
        fetcher.fetch(server.url());
        if (!spin([&] { return done; }))
            return 1;
        bare.push_back(ms(t));
    }
    {
        frmMP3 window(state, opener);
        window.Form_Load();
        window.show();
        for (int i = 0; i < reps; ++i) {
            QElapsedTimer t;
            t.start();
            window.cmdDownload_Click();
            if (!spin([&] { return window.notice() && window.notice()->isVisible(); }))
                return 1;
            shown.push_back(ms(t));
            window.notice()->close();
            spin([&] { return !window.notice(); });
        }
        report("notice: Download click to notice window", shown, 100, median(bare));
    }

    std::vector<double> loading, loaded;
    for (int i = 0; i < reps; ++i) {
        frmMP3 window(state, opener);
        window.Form_Load();
        QListWidgetItem* jude =
            window.Lb->findItems(QStringLiteral("JUDE.MP3"), Qt::MatchExactly).value(0);
        if (!jude) {
            std::fprintf(stderr, "no book JUDE.MP3\n");
            return 1;
        }
        QElapsedTimer t;
        t.start();
        emit window.Lb->itemDoubleClicked(jude);
        if (!spin([&] { return window.Mp->mediaStatus() != QMediaPlayer::NoMedia; })) {
            std::fprintf(stderr, "the book did not start loading\n");
            return 1;
        }
        loading.push_back(ms(t));
        if (!spin([&] { return window.Mp->duration() > 0; })) {
            std::fprintf(stderr, "the book's length was not found\n");
            return 1;
        }
        loaded.push_back(ms(t));
        window.Mp->stop();
    }
    report("book: double click to loading", loading, 100);
    report("book: double click to length known", loaded, 100);
    return 0;
}
