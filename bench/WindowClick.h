#pragma once
#include <QString>

// The whole click of the search button in the offscreen main window on programDir (search,
// pane and highlighting), printed as medians over reps runs with the ratio to floorMs.
void windowClickFigures(const QString& programDir, int reps, double floorMs);
