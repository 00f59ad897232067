#include "reference/WindowPlacementHelper.h"

#include "library/DataFolders.h"
#include "library/ProgramState.h"
#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace WindowPlacementHelper {

namespace {
QScreen* screenOf(const QWidget& w) {
    return w.screen() ? w.screen() : QGuiApplication::primaryScreen();
}
double dpiOf(const QWidget& w) {
    const QScreen* s = screenOf(w);
    return s ? s->logicalDotsPerInch() : 96.0;
}
} // namespace

void Restore(QWidget& window, ProgramState& state, const QString& name, bool keepHeight) {
    const double dpi = dpiOf(window);
    const QScreen* s = screenOf(window);
    const QSize avail = s ? s->availableGeometry().size() : QSize(1280, 900);
    DataFolders::LoadWindowPlacement(
        state, name,
        QSizeF(Twips::fromPixels(avail.width(), dpi), Twips::fromPixels(avail.height(), dpi)));
    const WindowPlacement& p = state.Placement;
    const int width = qMin(avail.width(), Twips::toPixelsRounded(p.width, dpi));
    const int height =
        keepHeight ? window.height() : qMin(avail.height(), Twips::toPixelsRounded(p.height, dpi));
    window.resize(width, height);
    window.move(Twips::toPixelsRounded(p.left, dpi), Twips::toPixelsRounded(p.top, dpi));
}

void Save(const QWidget& window, ProgramState& state, const QString& name) {
    if (window.isMinimized() || window.isMaximized())
        return;
    const double dpi = dpiOf(window);
    const QRect g = window.geometry();
    state.Placement = WindowPlacement{qint32(std::lround(Twips::fromPixels(g.x(), dpi))),
                                      qint32(std::lround(Twips::fromPixels(g.y(), dpi))),
                                      std::round(Twips::fromPixels(g.width(), dpi)),
                                      std::round(Twips::fromPixels(g.height(), dpi))};
    DataFolders::SaveWindowPlacement(state, name);
}

} // namespace WindowPlacementHelper
