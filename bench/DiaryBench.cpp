// Timings of the prayer diary on a generated diary of ten years (3,650 entries of about 2 KB
// of RTF each, a word in every tenth): opening an entry and saving it in the offscreen diary
// window, and a diary search walking every hit of the word, the windows repainting at each.
// Each entry figure is a median, given with the ratio to a floor measured the same way:
// reading the entry's enciphered file.
//
//   tolvane-bench-diary [repetitions] [diary folder made by tools/diary/make_diary.py]
//
// Without a folder the diary is made in a temporary folder with python3.
#include "Median.h"
#include "diary/DiaryDate.h"
#include "diary/DiarySearch.h"
#include "diary/PrayerPopup.h"
#include "diary/SearchPopup.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "platform/ConsoleDialogs.h"
#include "printing/PrintService.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <cstdio>
#include <functional>

namespace {

// Answers every box with its default button and counts the boxes.
class CountingDialogs : public ConsoleDialogs {
public:
    Answer message(const Box& box) override {
        ++boxes;
        return box.defaultButton;
    }
    int boxes = 0;
};

void report(const char* name, const std::vector<double>& ms, const std::vector<double>& floor) {
    std::vector<double> ratio;
    for (size_t i = 0; i < ms.size() && i < floor.size(); ++i)
        ratio.push_back(floor[i] > 0 ? ms[i] / floor[i] : 0);
    std::printf("%-34s median %8.3f ms   floor %7.3f ms   ratio %6.1f\n", name, median(ms),
                median(floor), median(ratio));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    QTemporaryDir root;
    const QString prayers = root.filePath(QStringLiteral("Modules/Prayers/"));
    const QString diaryFolder = prayers + QStringLiteral("Default");
    if (argc > 2) {
        QDir().mkpath(prayers);
        if (!QFile::link(QDir(QString::fromLocal8Bit(argv[2])).absolutePath(), diaryFolder)) {
            std::fprintf(stderr, "cannot use %s\n", argv[2]);
            return 2;
        }
    } else {
        std::fprintf(stderr, "making the diary...\n");
        const int status = QProcess::execute(
            QStringLiteral("python3"),
            {QStringLiteral(TOLVANE_SOURCE_DIR) + QStringLiteral("/tools/diary/make_diary.py"),
             diaryFolder});
        if (status != 0) {
            std::fprintf(stderr, "could not make the diary (python3 needed)\n");
            return 2;
        }
    }

    SettingsStore store(root.filePath(QStringLiteral("settings.ini")));
    CountingDialogs dialogs;
    ProgramState state(store, dialogs);
    state.ProgramFolder = QStringLiteral(TOLVANE_SOURCE_DIR) + QStringLiteral("/data/program/");
    state.MessageFolder = state.ProgramFolder + QStringLiteral("msg/");
    state.ModulePath = root.filePath(QStringLiteral("Modules/"));
    state.PrayersPath = prayers;
    store.write(QStringLiteral("Identity"), QStringLiteral("0"), QStringLiteral("Default"));
    store.write(QStringLiteral("Identity"), QStringLiteral("Password0"), QStringLiteral("5190372"));
    store.write(QStringLiteral("Identity"), QStringLiteral("Default"), QStringLiteral("Default"));
    PrintService print(state);
    PrayerPopup* diary = new PrayerPopup(state, print);
    diary->resize(900, 650);
    diary->show();
    QApplication::processEvents();

    const QStringList entries = DiaryFolder(diaryFolder).EntryNames();
    std::printf("%lld entries in %s\n", qlonglong(entries.size()), qPrintable(diaryFolder));
    std::vector<double> open, save, floor;
    for (int i = 0; i < repetitions; ++i) {
        const QString name = entries.at(int((qint64(i) * 7919) % entries.size()));
        const QDate day = *DiaryDate::FromEntryName(name);
        QByteArray bytes;
        floor.push_back(millis([&] {
            FileFunctions::readWholeFile(
                diaryFolder + QLatin1Char('/') + name + QStringLiteral(".Px"), bytes);
        }));
        open.push_back(millis([&] {
            diary->DT1->setDate(day);
            diary->RepaintEntry(); // painted, not only scheduled
        }));
        diary->RT->moveCursor(QTextCursor::End);
        diary->RT->insertPlainText(QStringLiteral(" Amen."));
        save.push_back(millis([&] { diary->CmdSave->click(); })); // replaces: default Yes
    }
    report("open an entry (date change)", open, floor);
    report("save an entry (replacing it)", save, floor);

    // The floor of the search: the same walk through the model alone, nothing shown.
    for (int run = 0; run < 3; ++run) {
        DiarySearch model{DiaryFolder(diaryFolder)};
        int hits = 0;
        const double ms = millis([&] {
            model.Start(20010101, 20991231, DiarySearch::Order::Chronological, {});
            while (model.FindNext(QStringLiteral("jubilee"), QString()))
                ++hits;
        });
        std::printf("search model alone run %d: %d entries with hits %8.1f ms\n", run + 1, hits,
                    ms);
    }

    diary->mPowerS_Click();
    SearchPopup* search = diary->searchWindow();
    search->txtSearch->setText(QStringLiteral("jubilee"));
    search->optChrono->setChecked(true);
    QApplication::processEvents();
    for (int run = 0; run < 3; ++run) {
        const int boxesBefore = dialogs.boxes;
        int hits = 0;
        QElapsedTimer t;
        t.start();
        search->OKButton->click();
        const double first = double(t.nsecsElapsed()) / 1e6;
        ++hits;
        while (dialogs.boxes == boxesBefore) {
            search->cmdAgain->click();
            if (dialogs.boxes == boxesBefore)
                ++hits;
        }
        const double all = double(t.nsecsElapsed()) / 1e6;
        std::printf("search run %d: first hit %7.1f ms, all %d hits %8.1f ms\n", run + 1, first,
                    hits, all);
    }
    diary->Dirty = false;
    delete diary;
    return 0;
}
