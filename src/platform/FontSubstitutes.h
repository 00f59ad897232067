#pragma once

// Documents and settings name the faces common on other desktops ("Times New Roman",
// "Arial", "Courier New"). Where such a face is not installed, text in it is shown in its
// metric-compatible substitute (the Liberation faces), so lines break where they were meant
// to; the face's own name is kept in the document and the settings.
namespace FontSubstitutes {
void install();
} // namespace FontSubstitutes
