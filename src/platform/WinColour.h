#pragma once
#include <QColor>

// Colours are kept as Windows colour values: a 32-bit integer with red in the low byte,
// then green, then blue.
namespace WinColour {
inline QColor toQColor(quint32 value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}
inline quint32 fromQColor(const QColor& c) {
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}
} // namespace WinColour
