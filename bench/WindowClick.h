#pragma once
#include <QString>

// The whole click of the search button in the offscreen main window on programDir (search,
// pane and highlighting), printed as medians over reps runs with the ratio to floorMs; then,
// given a text, the notepad's opening of 5 and 50 MB plain-text files made of it.
void windowClickFigures(const QString& programDir, int reps, double floorMs,
                        const QString& openText = QString());
