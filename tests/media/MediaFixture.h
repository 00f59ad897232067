#pragma once
#include "MainMenuFixture.h"
#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"

#include <QFile>
#include <memory>

// A program state on a throw-away program folder with the shipped messages, scripted dialogs
// and an opener that records instead of opening.
struct MediaFixture {
    MediaFixture() : settings(folder.makeSettings()), state(*settings, dialogs) {
        folder.installMessages();
        const QString root = folder.path() + QLatin1Char('/');
        state.programDir = folder.path();
        state.ProgramFolder = root;
        state.MessageFolder = root + QStringLiteral("msg/");
        state.SysDefsFolder = root + QStringLiteral("sysdefs/");
        state.ModulePath = root + QStringLiteral("Modules/");
        state.HelpFile = root + QStringLiteral("Help.chm");
    }
    // A file of the shipped program folder, copied to `rel` in the test's folder.
    bool copyShipped(const QString& shipped, const QString& rel) const {
        folder.write(rel, QByteArray()); // makes the folders
        QFile::remove(folder.file(rel));
        return QFile::copy(shippedPath(shipped), folder.file(rel));
    }
    static QString shippedPath(const QString& rel) {
        return QStringLiteral(TOLVANE_SOURCE_DIR "/data/program/") + rel;
    }

    TestProgramFolder folder;
    std::unique_ptr<SettingsStore> settings;
    ScriptedDialogs dialogs;
    ProgramState state;
    RecordingOpener opener;
};
