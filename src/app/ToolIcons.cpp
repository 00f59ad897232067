#include "app/ToolIcons.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

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

} // namespace ToolIcons
