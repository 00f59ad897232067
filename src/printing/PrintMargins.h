#pragma once
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>

struct ProgramState;

// The margins of the printed page, taken from the page setup values just before a preview or
// a print job, and the page rectangle they leave on the printer's page.
namespace PrintMargins {

// Left, top, right and bottom margins in inches. Millimetre values are converted here and
// the page setup values themselves are left as they are, so asking twice gives the same
// answer. "Fit to Form" prints from the left to the right edge of the printable page.
QMarginsF Inches(const ProgramState& state);

// The margins on paper: each of the page setup's raised to at least the printer's minimum,
// so that no text falls where the printer cannot print (margins of 0 and "Fit to Form" print
// at the edge of the printable area). The pane's own line layout is not affected.
QMarginsF OnPaper(const QMarginsF& inches, const QMarginsF& minimumInches);

// The rectangle inside a page of `pageTwips` that text is laid out in, in twips. A rectangle
// the margins would leave empty or inverted is kept at a small minimum size so that layout
// still ends.
QRectF PageRectTwips(const QSizeF& pageTwips, const QMarginsF& inches);

// The smallest width or height of a page rectangle, in twips (a tenth of an inch).
constexpr double kMinimumSideTwips = 144.0;

} // namespace PrintMargins
