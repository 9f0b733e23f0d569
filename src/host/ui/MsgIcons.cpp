#include "host/ui/MsgIcons.h"

#include <cmath>

#include "host/Font.h"

namespace host::ui {
namespace {

void Disc(Surface& s, int cx, int cy, int r, Color fill, Color edge) {
  for (int dy = -r; dy <= r; ++dy) {
    const int half = static_cast<int>(std::sqrt(static_cast<double>(r * r - dy * dy)));
    s.FillRect(cx - half, cy + dy, cx + half, cy + dy, fill);
  }
  s.Circle(cx, cy, r, edge);
}

void Triangle(Surface& s, int x, int y, Color fill, Color edge) {
  // Apex at the top centre, base along the bottom row.
  const int h = kMsgIconSize - 2;
  for (int row = 0; row < h; ++row) {
    const int half = row / 2 + 1;
    const int cx = x + kMsgIconSize / 2;
    s.FillRect(cx - half, y + 1 + row, cx + half, y + 1 + row, fill);
    s.SetPixel(cx - half, y + 1 + row, edge);
    s.SetPixel(cx + half, y + 1 + row, edge);
  }
  const int half = h / 2;
  s.Line(x + kMsgIconSize / 2 - half, y + h, x + kMsgIconSize / 2 + half, y + h, edge);
}

void Glyph(Surface& s, int x, int y, const char* text, Color c, int dy) {
  const Font& f = Font::Get(FontSpec{"Arial", 18, true, false, false});
  const int gx = x + (kMsgIconSize - f.TextWidth(text)) / 2;
  const int gy = y + (kMsgIconSize - f.Height()) / 2 + dy;
  s.DrawText(gx, gy, text, f, c);
}

}  // namespace

void DrawMsgIcon(Surface& s, int x, int y, MsgIcon icon) {
  const int c = kMsgIconSize / 2;
  switch (icon) {
    case MsgIcon::None:
      return;
    case MsgIcon::Information:
      Disc(s, x + c, y + c, c - 1, kWhite, kBlack);
      Glyph(s, x, y, "i", Rgb(0, 0, 255), 0);
      return;
    case MsgIcon::Question:
      Disc(s, x + c, y + c, c - 1, kWhite, kBlack);
      Glyph(s, x, y, "?", Rgb(0, 0, 255), 0);
      return;
    case MsgIcon::Exclamation:
      Triangle(s, x, y, Rgb(255, 255, 0), kBlack);
      Glyph(s, x, y, "!", kBlack, 3);
      return;
    case MsgIcon::Critical: {
      Disc(s, x + c, y + c, c - 1, Rgb(255, 0, 0), Rgb(128, 0, 0));
      // A thick white cross.
      for (int d = -1; d <= 1; ++d) {
        s.Line(x + 9 + d, y + 9, x + 22 + d, y + 22, kWhite);
        s.Line(x + 22 + d, y + 9, x + 9 + d, y + 22, kWhite);
      }
      return;
    }
  }
}

}  // namespace host::ui
