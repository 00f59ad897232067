// The results pane as a notepad: saving on exit and the page layout of the pane.
#include "app/MainMenu.h"

void MainMenu::connectNotepad() {}

bool MainMenu::AskToSave() { return true; }

void MainMenu::OpenPageSetup() {}

void MainMenu::LoadBookmarks() {}

void MainMenu::QuitDiary() {}
