#include "app/MainMenu.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "platform/QtDialogs.h"
#include "platform/UrlOpener.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

namespace {
// Without a display Qt would abort with a platform-plugin error; say plainly what to do.
bool displayAvailable() {
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") ||
           std::getenv("QT_QPA_PLATFORM");
}
} // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr, "Tolvane needs a display; without one, start it with: "
                             "xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tolvane.Tolvane"));
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));

    SettingsStore settings(SettingsStore::userStorePath());
    QtDialogs dialogs;
    UrlOpener opener;
    ProgramState state(settings, dialogs);
    // Installed, the shipped program folder is read only and the user's own folder takes
    // every write; from a build folder both are that folder.
    state.Folders = FolderLayout::ForExecutable(QCoreApplication::applicationDirPath());
    state.programDir = QDir::cleanPath(state.Folders.shipped());

    MainMenu window(state, opener);
    dialogs.setParent(&window);
    window.setEndHandler([] { QCoreApplication::quit(); });
    window.Form_Load();
    if (state.EndRequested)
        return 0;
    return app.exec();
}
