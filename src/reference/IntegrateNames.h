#pragma once
#include "reference/NameLookup.h"

#include <QString>

struct ProgramState;

// Integrate Names: while it is on, a Bible name selected in the main window's pane pops up
// its meaning. The main window owns one of these and feeds it its menu item and the pane's
// selection changes; the item's check mark is the one record of whether it is on.
class IntegrateNames {
public:
    explicit IntegrateNames(ProgramState& state) : m_state(state) {}

    // menIntegrateNames_Click with the item's new check mark: switching on tells the user
    // what it does (standard message 42); switching off says nothing.
    void Toggled(bool on);

    // Selections of 3 to 19 characters are looked up; shorter and longer ones are not even
    // read, so that selecting in a long pane costs nothing.
    static bool WantsSelection(int length) { return length > 2 && length < 20; }

    // RT_SelChange: `on` is the item's check mark, `length` the selection's length; `text` is
    // asked for only when the selection is worth looking up. Returns whether a meaning was
    // shown.
    template <typename TextFn>
    bool selectionChanged(bool on, int length, bool searchRunning, TextFn text) {
        if (!on || searchRunning || !WantsSelection(length))
            return false;
        return ShowNameMeaning(text());
    }

    // Looks the selection up (the table is read on first use) and shows the meaning of the
    // first equal name in an information box titled with standard message 58. Silent when the
    // names folder holds no text file, the file cannot be read or no name matches.
    bool ShowNameMeaning(const QString& selected);

    const NameLookup& table() const { return m_table; }

private:
    ProgramState& m_state;
    NameLookup m_table;
};
