#include "printing/PrintMargins.h"

#include "library/ProgramState.h"
#include "printing/PageValues.h"

#include <QtMath>

namespace PrintMargins {

QMarginsF Inches(const ProgramState& state) {
    // Page setup keeps single-precision values; the margins are worked out in the same way.
    const double toInches = PageValues::InInches(state) ? 1.0 : 1.0 / PageValues::kMillimetresPerInch;
    auto inch = [toInches](double v) { return double(float(v * toInches)); };
    QMarginsF m(inch(state.MarginLeft), inch(state.gTopMargin), inch(state.MarginRight),
                inch(state.gBottomMargin));
    if (state.FitToDesktop == 1) {
        m.setLeft(0);
        m.setRight(0);
    }
    return m;
}

QMarginsF OnPaper(const QMarginsF& inches, const QMarginsF& minimumInches) {
    return QMarginsF(qMax(inches.left(), minimumInches.left()),
                     qMax(inches.top(), minimumInches.top()),
                     qMax(inches.right(), minimumInches.right()),
                     qMax(inches.bottom(), minimumInches.bottom()));
}

QRectF PageRectTwips(const QSizeF& pageTwips, const QMarginsF& inches) {
    const double k = PageValues::kTwipsPerInch;
    const double left = qMax(0.0, inches.left() * k);
    const double top = qMax(0.0, inches.top() * k);
    const double right = qMax(left + kMinimumSideTwips, pageTwips.width() - inches.right() * k);
    const double bottom =
        qMax(top + kMinimumSideTwips, pageTwips.height() - inches.bottom() * k);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

} // namespace PrintMargins
