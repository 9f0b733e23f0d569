#pragma once
// Text on the generated pictures, in the fonts the program itself uses.
#include <string_view>

#include "host/Font.h"
#include "host/Surface.h"
#include "pictures/Canvas.h"

namespace art {

// Left edge that centres `text` on `cx`.
int CentredX(const host::Font& font, std::string_view text, double cx);
// Top that puts the middle of the capital letters on `cy`.
int CapsCentredY(const host::Font& font, double cy);

// Text at (x, y) filled by `paint` (given pixel coordinates and the colour underneath), with an
// optional drop shadow one pixel down and right.
void PaintedText(host::Surface& image, int x, int y, std::string_view text, const host::Font& font,
                 const Paint& paint);
void ShadowedText(host::Surface& image, int x, int y, std::string_view text, const host::Font& font,
                  host::Color colour, host::Color shadow);

}  // namespace art
