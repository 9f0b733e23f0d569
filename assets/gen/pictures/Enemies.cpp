#include "pictures/Figures.h"
#include "pictures/Pictures.h"

namespace art {

EnemySheets MakeEnemySheets() {
  // Kind k lives in the square of side 16(k+1) at x 65k; each figure is centred in its square.
  Canvas c(256, 64);
  DrawEmblem(c, 2, 0.5, 12, 15);
  DrawEmblem(c, 65 + 2.5, 0, 27, 32);
  DrawMonitorZorb(c, 130 + 2, 0, 1.0);
  DrawDesktopZorb(c, 195, 10, 1.0);
  EnemySheets sheets{c.Resolve(), host::Surface(256, 64, host::kWhite)};
  // Faint edge samples would draw a dark halo over whatever the enemy passes; drop them.
  ClearFringe(sheets.picture, 24);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 256; ++x)
      if (sheets.picture.GetPixel(x, y) != host::kBlack) sheets.mask.SetPixel(x, y, host::kBlack);
  return sheets;
}

}  // namespace art
