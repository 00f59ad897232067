// Printing the results pane: print setup, print preview and print.
#include "app/MainMenu.h"

void MainMenu::connectPrinting() {}
