#pragma once
#include <QString>

struct ProgramState;

// Asks for the password of the identity in use (IdentityIndex) until it is typed right or the
// user gives up; true when the diary may open. An identity marked as open while a real
// password is stored is refused without a question.
bool AskForPassword(ProgramState& state, const QString& password);
