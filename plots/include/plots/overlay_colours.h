// The colours of several refrigerants drawn on one chart, one each, told
// apart at a glance.
#pragma once

#include <QColor>
#include <array>
#include <cstddef>

namespace plots {

inline constexpr std::array<QRgb, 8> kOverlayColours{0xc0392b, 0x1f618d, 0x1e8449, 0x7d3c98,
                                                     0xd68910, 0x17a589, 0x6e2c00, 0x5d6d7e};

// The colour of the index-th refrigerant.
inline QColor OverlayColour(std::size_t index) {
  return QColor(kOverlayColours[index % kOverlayColours.size()]);
}

}  // namespace plots
