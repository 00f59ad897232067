#include "WindowClick.h"
#include "Median.h"

#include "app/MainMenu.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "platform/UrlOpener.h"

#include "platform/ConsoleDialogs.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

// Console dialogs that choose a given file in the open dialog.
class ChosenFile : public ConsoleDialogs {
public:
    QString path;
    std::optional<QString> openFile(const FileRequest&) override { return path; }
};

// Opens plain-text files of growing size in the notepad: the time should grow in step.
void openFileFigures(MainMenu& window, ChosenFile& dialogs, const QString& programDir,
                     const QString& text) {
    auto* pane = window.findChild<QTextEdit*>(QStringLiteral("RT"));
    for (int megabytes : {5, 50}) {
        QByteArray bytes;
        while (bytes.size() < megabytes * 1024 * 1024)
            bytes += text.toLatin1();
        dialogs.path = programDir + QStringLiteral("/open-%1mb.txt").arg(megabytes);
        QFile out(dialogs.path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            return;
        out.close();
        window.setDocumentChanged(false);
        QElapsedTimer t;
        t.start();
        window.OpenFile_Click();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        std::printf("%-52s %10.0f %10s   (%d lines)\n",
                    qPrintable(QStringLiteral("open a %1 MB plain-text file").arg(megabytes)), ms,
                    "-", pane->document()->blockCount());
        QFile::remove(dialogs.path);
    }
}

struct ClickCase {
    const char* name;
    const char* mode; // the mode's option button
    const char* text;
};

} // namespace

void windowClickFigures(const QString& programDir, int reps, double floorMs,
                        const QString& openText) {
    // The window reads its texts from the message files.
    const QString msg = QStringLiteral(TOLVANE_SOURCE_DIR) + QStringLiteral("/data/program/msg/");
    QDir().mkpath(programDir + QStringLiteral("/msg"));
    for (const QString& name : QDir(msg).entryList(QDir::Files))
        QFile::copy(msg + name, programDir + QStringLiteral("/msg/") + name);

    SettingsStore store(programDir + QStringLiteral("/window-settings.ini"));
    store.write(QStringLiteral("Settings"), QStringLiteral("ShowSplash"), QStringLiteral("0"));
    store.write(QStringLiteral("Settings"), QStringLiteral("CBOBookmark"), QStringLiteral("71"));
    ChosenFile dialogs;
    UrlOpener opener;
    ProgramState state(store, dialogs);
    state.programDir = programDir;
    MainMenu window(state, opener);
    window.setEndHandler([] {});
    window.Form_Load();
    window.timer()->stop();

    const ClickCase cases[] = {
        {"window click \"*love*\" (None)", "chkNone", "*love*"},
        {"window click \"love*God\" (Ignore Order)", "chkAnyOrder", "love*God"},
        {"window click (Entire Selection)", "chkAllverses", "*"},
    };
    auto* search = window.findChild<QComboBox*>(QStringLiteral("cboSearch"));
    auto* button = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* pane = window.findChild<QTextEdit*>(QStringLiteral("RT"));
    auto* status = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
    for (const ClickCase& c : cases) {
        window.findChild<QRadioButton*>(QString::fromLatin1(c.mode))->setChecked(true);
        search->setEditText(QString::fromLatin1(c.text));
        std::vector<double> ms;
        int lines = 0;
        for (int r = 0; r < reps; ++r) {
            QElapsedTimer t;
            t.start();
            button->click();
            ms.push_back(double(t.nsecsElapsed()) / 1e6);
            lines = pane->document()->blockCount() - 1;
        }
        std::printf("%-52s %10.2f %10.2f   (%d verses, %s)\n", c.name, median(ms),
                    median(ms) / floorMs, lines, qPrintable(status->text()));
    }
    if (!openText.isEmpty())
        openFileFigures(window, dialogs, programDir, openText);
}
