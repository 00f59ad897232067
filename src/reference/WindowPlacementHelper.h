#pragma once
#include <QString>

class QWidget;
struct ProgramState;

// The reading windows' placement, kept in twips under their names ("ScreenCoMM", ...):
// restored when a window loads and saved when it unloads in its normal state.
namespace WindowPlacementHelper {

// Moves and sizes the window from the stored placement (a default when none is usable).
// keepHeight leaves the height as the window was built.
void Restore(QWidget& window, ProgramState& state, const QString& name, bool keepHeight = false);
// Stores the placement unless the window is minimised or maximised.
void Save(const QWidget& window, ProgramState& state, const QString& name);

} // namespace WindowPlacementHelper
