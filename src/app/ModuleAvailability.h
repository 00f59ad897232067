#pragma once

struct ProgramState;

// What the installed modules make available; worked out each time the main window becomes
// active, so that copying a module into its folder enables its window without a restart.
struct ModuleAvailability {
    bool helpFileBibles = false; // ModulePath/CHM/c?_*.chm
    bool translationNotes = false;
    bool maps = false;
    bool commentary = false;
    bool dictionary = false;
    bool names = false;
    bool audioBibles = false; // a language folder under ModulePath/mp3

    static ModuleAvailability probe(const ProgramState& state);
};
