#pragma once
// Reads the text pixel-art files of assets/art: a legend that gives each character its colour,
// a line "---", then one text row per pixel row. Lines starting with "//" are comments.
//
//   // a 2 x 2 example
//   . = FF00FF
//   # = 000000
//   ---
//   .#
//   #.
#include <string>

#include "host/Surface.h"

namespace art {

// Throws std::runtime_error naming the file and line when the file cannot be read or breaks
// the format (unknown character, ragged rows, missing legend).
host::Surface ReadPixelArt(const std::string& path);

}  // namespace art
