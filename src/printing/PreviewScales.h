#pragma once
#include <QSize>
#include <QStringList>

// The five scales of the print preview and the size of the page image at each. The zoom
// state is the position 1 to 5 of the scale entry, "150" first and "25" last.
namespace PreviewScales {

constexpr int kCount = 5;
constexpr int kLargest = 1;  // "150"
constexpr int kSmallest = 5; // "25"

QStringList Entries();
// "150" is one and a half times the page's area, so each side grows by the square root of
// 1.5 (about 122 %); the others scale each side by their percentage.
double SideFactor(int zoomState);
QSize ImageSize(const QSize& page, int zoomState);

} // namespace PreviewScales
