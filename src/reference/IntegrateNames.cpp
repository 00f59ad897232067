#include "reference/IntegrateNames.h"

#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"

void IntegrateNames::Toggled(bool on) {
    if (on)
        m_state.dialogs.show(Dialogs::Icon::None, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 42));
}

bool IntegrateNames::ShowNameMeaning(const QString& selected) {
    if (!m_state.Folders.anyModuleFile(m_state.NameFolder, QStringLiteral("*.txt")))
        return false;
    if (!m_table.load(NamesFile::Path(m_state)))
        return false;
    const NamesFile::Entry* e = m_table.find(selected);
    if (!e)
        return false;
    m_state.dialogs.show(Dialogs::Icon::Information, MessageText::Std(m_state, 58, e->name),
                         e->meaning);
    return true;
}
