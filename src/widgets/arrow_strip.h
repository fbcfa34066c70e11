#pragma once
// The picture button's own arrow artwork: three square frames side by side
// (up, disabled, pressed) on an olive background that the button leaves out.

#include <QColor>
#include <QImage>

namespace kelvane {

enum class ArrowDirection { Right, Left, Up, Down };

// The background of every frame; a picture button knocks it out because it is
// the colour of the strip's bottom-left pixel.
inline constexpr QRgb kArrowStripBackground = 0xff808000;  // olive (128, 128, 0)

// A strip of 3 × frameSize by frameSize pixels (16 → 48 × 16). frameSize is
// taken as at least 8 so the arrow never degenerates.
[[nodiscard]] QImage ArrowStrip(ArrowDirection direction = ArrowDirection::Right,
                                int frameSize = 16);

}  // namespace kelvane
