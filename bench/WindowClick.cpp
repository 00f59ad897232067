#include "Median.h"
#include "WindowClick.h"

#include "app/MainMenu.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "platform/UrlOpener.h"

#include "platform/ConsoleDialogs.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct ClickCase {
    const char* name;
    const char* mode; // the mode's option button
    const char* text;
};

} // namespace

void windowClickFigures(const QString& programDir, int reps, double floorMs) {
    // The window reads its texts from the message files.
    const QString msg = QStringLiteral(TOLVANE_SOURCE_DIR) + QStringLiteral("/data/program/msg/");
    QDir().mkpath(programDir + QStringLiteral("/msg"));
    for (const QString& name : QDir(msg).entryList(QDir::Files))
        QFile::copy(msg + name, programDir + QStringLiteral("/msg/") + name);

    SettingsStore store(programDir + QStringLiteral("/window-settings.ini"));
    store.write(QStringLiteral("Settings"), QStringLiteral("ShowSplash"), QStringLiteral("0"));
    store.write(QStringLiteral("Settings"), QStringLiteral("CBOBookmark"), QStringLiteral("71"));
    ConsoleDialogs dialogs;
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
}
