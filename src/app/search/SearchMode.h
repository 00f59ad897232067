#pragma once

// The four exclusive search modes, in the order of the option buttons of Frame1.
enum class SearchMode {
    Pattern,        // "None": the search text is a wildcard pattern over the whole line
    AllTerms,       // "Ignore Order": every tested term occurs in the line
    AnyTerm,        // "Any Terms": at least one tested term occurs in the line
    EntireSelection // "Entire Selection": every verse of the selection
};
