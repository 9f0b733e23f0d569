#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "host/Font.h"
#include "host/Surface.h"
#include "host/Window.h"

// The classic grey dialog look, drawn on a Surface: edges, buttons, the title strip, the
// dialog frame, captions with an underlined access letter, word-wrapped text. Both back ends
// draw their dialogs with it, so a picture taken without a display is what the screen shows.
namespace host::ui {

constexpr Color kFace = 0xC0C0C0, kLight = 0xFFFFFF, kShadow = 0x808080, kDark = 0x000000,
                kNavy = 0x000080;
constexpr int kTitleHeight = 18;

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

const Font& DialogFont();  // Arial 9 pt
const Font& TitleFont();   // Arial 9 pt bold

void RaisedEdge(Surface& s, const Rect& r);
void SunkenEdge(Surface& s, const Rect& r);
void FocusRect(Surface& s, const Rect& r);
// A navy strip across the top carrying the title in white.
void TitleStrip(Surface& s, const std::string& title);

// Width of the raised frame around the client area of a WindowFrame::Dialog window.
int FrameWidth(WindowFrame frame);
// The frame around a w x h client area as filled rectangles, in the order they are painted
// (later ones overlap earlier ones at the corners), in client coordinates: the frame lies at
// negative coordinates and from w and h on. Each back end paints them at its own scale, so
// no framed copy of the client is ever made.
struct FrameBand {
  Rect rect;
  Color color;
};
std::vector<FrameBand> FrameBands(int w, int h, WindowFrame frame);

// Captions mark their access letter with "&" ("&Yes"); "&&" is a plain "&".
std::string PlainCaption(std::string_view caption);
// The access letter in upper case, or 0.
char32_t AccessKey(std::string_view caption);
int CaptionWidth(std::string_view caption, const Font& font);
// Draws the caption with its access letter underlined.
void DrawCaption(Surface& s, int x, int y, std::string_view caption, const Font& font, Color c);

// Breaks text into lines no wider than maxWidth at spaces and line breaks; a word wider
// than the limit keeps a line of its own.
std::vector<std::string> WrapText(std::string_view text, const Font& font, int maxWidth);

}  // namespace host::ui
