#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "host/Font.h"
#include "host/Surface.h"

// The classic grey dialog look, drawn on a Surface: edges, buttons, the title strip, captions
// with an underlined access letter, word-wrapped text.
namespace host::sdl::ui {

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

}  // namespace host::sdl::ui
