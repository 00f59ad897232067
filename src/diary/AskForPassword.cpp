#include "diary/AskForPassword.h"

#include "diary/IdentityList.h"
#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"

bool AskForPassword(ProgramState& state, const QString& password) {
    const QString product = TolvaneRoutines::ProductName();
    if (IdentityList::PasswordAccess(state) == IdentityList::Access::Tampered) {
        state.dialogs.show(Dialogs::Icon::Critical, QStringLiteral("Intruder ") + product,
                           MessageText::Std(state, 52));
        return false;
    }
    for (;;) {
        if (IdentityList::PasswordAccess(state) != IdentityList::Access::AskPassword)
            return true;
        const std::optional<QString> typed =
            state.dialogs.input(MessageText::Frm(state, 26, state.CurrentIdentity),
                                QStringLiteral("EnterPassword ") + product, QString());
        if (typed && *typed == password)
            return true;
        const Dialogs::Answer again = state.dialogs.show(
            Dialogs::Icon::Warning, QStringLiteral("Bad Password ") + product,
            MessageText::Std(state, 53), Dialogs::Buttons::YesNo, Dialogs::Answer::Yes);
        if (again != Dialogs::Answer::Yes)
            return false;
    }
}
