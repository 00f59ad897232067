#include "MainMenuFixture.h"

MainMenuFixture::MainMenuFixture() : settings(folder.makeSettings()) {
    folder.makeStandard();
    settings->write(QStringLiteral("Settings"), QStringLiteral("ShowSplash"), QStringLiteral("0"));
    restart();
}

MainMenuFixture::~MainMenuFixture() {
    window.reset();
    state.reset();
}

void MainMenuFixture::restart() {
    window.reset();
    state = std::make_unique<ProgramState>(*settings, dialogs);
    state->programDir = folder.path();
    window = std::make_unique<MainMenu>(*state, opener);
    window->setSplashMilliseconds(1);
    window->setEndHandler([this] { ++endRequests; });
    steps.clear();
    QObject::connect(window.get(), &MainMenu::stepRun, window.get(),
                     [this](const QString& s) { steps << s; });
}

void MainMenuFixture::load() { window->Form_Load(); }
