#pragma once
#include <QString>

class QWidget;
struct ProgramState;

// Stores a new module root and tells the user whether it holds Bibles. A root with Bibles
// ends the program: the new root takes effect at the next start.
namespace BibleTest {
enum class NotFoundStyle { PlainWithPath, ErrorIconNoValue };
bool StoreAndTest(ProgramState& state, const QString& modulePath, const QString& title,
                  NotFoundStyle style);
} // namespace BibleTest
