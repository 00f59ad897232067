// Timings of the integrity check and the bookmark list, as medians over repetitions.
//
//   tolvane-bench-integrity [repetitions]
//
// Integrity: the check values of every shipped module, with the floor of reading the same
// files whole in the same repetition. Bookmarks: loading a list of 1,000 bookmarks into the
// list window, and Go To of a 500-verse snapshot into the results pane.
#include "Median.h"

#include "bookmarks/BookmarkStore.h"
#include "bookmarks/fBookmarkList.h"
#include "integrity/ModuleChecksum.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "platform/ConsoleDialogs.h"
#include "platform/rtf/RtfWriter.h"

#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeWidget>
#include <cstdio>
#include <functional>

namespace {

QStringList shippedModules() {
    QStringList files;
    QDirIterator it(QStringLiteral(TOLVANE_SOURCE_DIR "/data/program/Modules"), {"*.txt"},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int reps = argc > 1 ? std::max(1, atoi(argv[1])) : 15;

    // Integrity check of the shipped modules against reading them.
    const QStringList files = shippedModules();
    qint64 bytes = 0;
    for (const QString& f : files)
        bytes += QFileInfo(f).size();
    std::vector<double> readMs, checkMs, ratio;
    qint64 sink = 0;
    for (int r = 0; r < reps; ++r) {
        const double read = millis([&] {
            for (const QString& f : files) {
                QFile file(f);
                if (file.open(QIODevice::ReadOnly))
                    sink += file.readAll().size();
            }
        });
        const double check = millis([&] {
            for (const QString& f : files)
                if (const auto sum = ModuleChecksum::ofFile(f))
                    sink += sum->S();
        });
        readMs.push_back(read);
        checkMs.push_back(check);
        ratio.push_back(check / read);
    }
    std::printf("integrity check of %lld files, %.1f MB: read %.2f ms, check %.2f ms, "
                "ratio %.2f (limit 3)\n",
                static_cast<long long>(files.size()), double(bytes) / 1e6, median(readMs),
                median(checkMs), median(ratio));

    // Bookmarks in a program folder of their own.
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    ConsoleDialogs dialogs;
    ProgramState state(store, dialogs);
    state.programDir = dir.path();
    DataFolders::SetProgramPaths(state);
    state.MessageFolder = QStringLiteral(TOLVANE_SOURCE_DIR "/data/program/msg/");
    QTextEdit pane;
    {
        // 500 verses of Genesis with a coloured, bold reference each, as a search leaves them.
        QFile kjv(QStringLiteral(TOLVANE_SOURCE_DIR "/data/program/Modules/Bible/b_kjv.txt"));
        if (!kjv.open(QIODevice::ReadOnly))
            return 1;
        QTextCursor c(pane.document());
        QTextCharFormat ref, plain;
        ref.setFontWeight(QFont::Bold);
        ref.setForeground(Qt::darkRed);
        for (int v = 0; v < 500; ++v) {
            const QList<QByteArray> fields = kjv.readLine().trimmed().split('\t');
            c.insertText(QStringLiteral("GENESIS %1:%2 ")
                             .arg(QString(fields.value(2)), QString(fields.value(3))),
                         ref);
            c.insertText(QString::fromLatin1(fields.value(4)), plain);
            c.insertBlock();
        }
    }
    QVector<Bookmark> rows;
    for (int i = 0; i < 1000; ++i) {
        const QString title = QStringLiteral("Bookmark number %1").arg(i);
        rows.append({title, QStringLiteral("Study"), QStringLiteral("08-Dec-2026"),
                     QStringLiteral("GENESIS 001:001"), BookmarkStore::MakeFN(title)});
    }
    BookmarkStore(state.ProgramFolder).Save(rows);
    fBookmarkList list(state, &pane);
    const QByteArray snapshot = RtfWriter::write(*pane.document());
    FileFunctions::writeWholeFile(
        state.ProgramFolder + QStringLiteral("Bookmarks/") + rows[0].fileName, snapshot);
    std::vector<double> loadMs, gotoMs;
    for (int r = 0; r < reps; ++r) {
        loadMs.push_back(millis([&] { list.LoadBookmarks(); }));
        pane.clear();
        list.LV->setCurrentItem(list.LV->topLevelItem(0));
        gotoMs.push_back(millis([&] { list.cmdGoto_Click(); }));
    }
    std::printf("bookmark list of %d bookmarks: load %.2f ms (limit 100)\n",
                list.LV->topLevelItemCount(), median(loadMs));
    std::printf("Go To of a 500-verse snapshot (%lld KB): %.2f ms (limit 50), pane holds %d "
                "paragraphs\n",
                static_cast<long long>(snapshot.size() / 1024), median(gotoMs),
                pane.document()->blockCount());
    return sink == 0 ? 1 : 0;
}
