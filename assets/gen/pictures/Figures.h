#pragma once
// The figures that appear in more than one picture, drawn into a box of any size so that the
// sprites, the logo, the title strip and the icon all show the same design.
#include "pictures/Canvas.h"

namespace art {

// The Zorbs' emblem: a horned crimson crest with a gold rim and a glowing slit eye. Fills the
// box (x, y, w, h); it looks right for w:h near 4:5.
void DrawEmblem(Canvas& canvas, double x, double y, double w, double h);

// The player's fighter, nose up, in a box of side `size` at (x, y) (65 is the sprite size).
// `bank` -1 rolls it to the left (wing on the left dipped), 0 flies level.
void DrawShip(Canvas& canvas, double x, double y, double size, int bank);

// An enemy CRT monitor on its foot, about 44 x 46 at scale 1, top-left corner (x, y).
void DrawMonitorZorb(Canvas& canvas, double x, double y, double scale);

// An enemy desktop computer with its screen on top, about 61 x 44 at scale 1.
void DrawDesktopZorb(Canvas& canvas, double x, double y, double scale);

}  // namespace art
