#pragma once
#include <cmath>

// Screen and paper lengths are kept in twips: 1440 per inch, and page setup converts
// millimetres at 56.7 twips each.
namespace Twips {
constexpr double kPerInch = 1440.0;
constexpr double kPerMillimetre = 56.7;

inline double toPixels(double twips, double dpi) { return twips * dpi / kPerInch; }
inline double fromPixels(double pixels, double dpi) { return pixels * kPerInch / dpi; }
inline int toPixelsRounded(double twips, double dpi) {
    return int(std::lround(toPixels(twips, dpi)));
}
} // namespace Twips
