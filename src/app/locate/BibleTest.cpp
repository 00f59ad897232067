#include "app/locate/BibleTest.h"

#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/SettingsStore.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"

namespace BibleTest {

bool StoreAndTest(ProgramState& state, const QString& modulePath, const QString& title,
                  NotFoundStyle style) {
    state.ModulePath = FileFunctions::withSeparator(modulePath);
    state.settings.write(SettingsKeys::ModulePathSection, SettingsKeys::ModulePath,
                         state.ModulePath);
    state.settings.sync();
    if (DataFolders::ModuleRootHasBibles(state.ModulePath, state.Folders)) {
        state.dialogs.show(Dialogs::Icon::Information, title, MessageText::Std(state, 9));
        state.EndRequested = true;
        return true;
    }
    if (style == NotFoundStyle::PlainWithPath)
        state.dialogs.show(Dialogs::Icon::None, title,
                           MessageText::Std(state, 10, state.ModulePath));
    else
        state.dialogs.show(Dialogs::Icon::Critical, title, MessageText::Std(state, 10));
    return false;
}

} // namespace BibleTest
