#include "printing/PreviewScales.h"

#include <QtGlobal>
#include <cmath>

namespace PreviewScales {

QStringList Entries() {
    return {QStringLiteral("150"), QStringLiteral("100"), QStringLiteral("75"),
            QStringLiteral("50"), QStringLiteral("25")};
}

double SideFactor(int zoomState) {
    switch (zoomState) {
    case 1:
        return std::sqrt(1.5);
    case 2:
        return 1.0;
    case 3:
        return 0.75;
    case 4:
        return 0.5;
    default:
        return 0.25;
    }
}

QSize ImageSize(const QSize& page, int zoomState) {
    const double f = SideFactor(zoomState);
    return QSize(qMax(1, qRound(page.width() * f)), qMax(1, qRound(page.height() * f)));
}

} // namespace PreviewScales
