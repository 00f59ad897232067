#include "app/ToolIcons.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace ToolIcons {

QIcon fallback(QChar glyph, const QColor& tint) {
    QIcon result;
    for (int size : {16, 24, 32}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(tint.darker(130));
        p.setBrush(tint.lighter(190));
        p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 6.0, size / 6.0);
        QFont f;
        f.setBold(true);
        f.setPixelSize(size * 2 / 3);
        p.setFont(f);
        p.setPen(tint);
        p.drawText(pm.rect(), Qt::AlignCenter, QString(glyph));
        p.end();
        result.addPixmap(pm);
    }
    return result;
}

QIcon icon(const QString& themeName, QChar glyph, const QColor& tint) {
    if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    return fallback(glyph, tint);
}

namespace {
template <typename Draw> QIcon drawn(Draw draw) {
    QIcon result;
    for (int size : {16, 24, 32}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 24.0, size / 24.0); // drawn on a 24 x 24 grid
        draw(p);
        p.end();
        result.addPixmap(pm);
    }
    return result;
}

void colourBar(QPainter& p, const QColor& colour) {
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    p.setBrush(colour);
    p.drawRect(QRectF(2.5, 18.5, 19, 4.5));
}
} // namespace

QIcon backgroundColour() {
    return drawn([](QPainter& p) {
        // A tipped paint pot pouring a drop.
        QPolygonF pot;
        pot << QPointF(4, 9) << QPointF(10, 3) << QPointF(17, 10) << QPointF(11, 16);
        p.setPen(QPen(QColor(50, 50, 50), 1.2));
        p.setBrush(QColor(235, 235, 235));
        p.drawPolygon(pot);
        p.setBrush(QColor(40, 120, 220));
        p.drawEllipse(QRectF(17.5, 10.5, 3.6, 5));
        p.drawLine(QPointF(10, 3), QPointF(7, 0.5));
        colourBar(p, QColor(255, 220, 60));
    });
}

QIcon textColour() {
    return drawn([](QPainter& p) {
        QFont f;
        f.setBold(true);
        f.setPixelSize(16);
        p.setFont(f);
        p.setPen(QColor(40, 40, 40));
        p.drawText(QRectF(0, 0, 24, 18), Qt::AlignCenter, QStringLiteral("A"));
        colourBar(p, QColor(210, 40, 40));
    });
}

} // namespace ToolIcons
