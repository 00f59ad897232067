#pragma once
#include "Controls.h"
#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"
#include "app/MainMenu.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "platform/UrlOpener.h"

#include <memory>

// Records what the program would have opened instead of handing it to the desktop.
class RecordingOpener : public UrlOpener {
public:
    QStringList opened;

protected:
    bool launch(const QString& address) override {
        opened << address;
        return true;
    }
};

// A main window on a throw-away program folder and settings file, with scripted dialogs.
// Construct, adjust the folder or the settings, then load().
struct MainMenuFixture {
    MainMenuFixture();
    ~MainMenuFixture();

    // Runs the start-up. The splash screen is off unless the settings say otherwise.
    void load();
    // Builds a window on the same folder and settings, as the next start of the program would.
    void restart();

    TestProgramFolder folder;
    std::unique_ptr<SettingsStore> settings;
    ScriptedDialogs dialogs;
    RecordingOpener opener;
    std::unique_ptr<ProgramState> state;
    std::unique_ptr<MainMenu> window;
    int endRequests = 0;
    QStringList steps;
};
