#include "shell/Controls.h"

#include <utility>
#include <vector>

#include "host/text/Utf8.h"

namespace shell {
namespace {

// Breaks the text into lines that fit `width`, at blanks where possible.
std::vector<std::string> Wrap(const std::string& text, const host::Font& font, int width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    std::string word = text.substr(at, end - at);
    std::string candidate = line.empty() ? word : line + " " + word;
    if (!line.empty() && font.TextWidth(candidate) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = candidate;
    }
    at = end + 1;
  }
  lines.push_back(line);
  return lines;
}

// Control characters, line and paragraph separators and the invisible format characters
// (bidirectional overrides, joiners, byte-order marks, tags): typed into a field they would
// be stored but could never be seen, and some reorder the text drawn after them.
bool IsControlOrFormat(char32_t ch) {
  static constexpr std::pair<char32_t, char32_t> kRanges[] = {
      {0x0000, 0x001F},   {0x007F, 0x009F},   {0x00AD, 0x00AD},   {0x0600, 0x0605},
      {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},   {0x0890, 0x0891},
      {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},   {0x2028, 0x202E},
      {0x2060, 0x2064},   {0x2066, 0x206F},   {0xD800, 0xDFFF},   {0xFEFF, 0xFEFF},
      {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x1343F},
      {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F},
  };
  if (ch > 0x10FFFF) return true;
  for (const auto& [first, last] : kRanges)
    if (ch >= first && ch <= last) return true;
  return false;
}

}  // namespace

void Label::Paint(host::Surface& canvas) {
  if (!Transparent) canvas.FillRect(Left, Top, Left + Width - 1, Top + Height - 1, BackColor);
  const host::Font& font = host::Font::Get(Font);
  std::vector<std::string> lines = WordWrap ? Wrap(Caption, font, Width) : std::vector{Caption};
  // Draw into a scratch copy of the control's area so that text never spills out of it.
  host::Surface area(Width, Height);
  area.Blit(0, 0, Width, Height, canvas, Left, Top);
  int y = 0;
  for (const std::string& line : lines) {
    const int w = font.TextWidth(line);
    const int x = Align == Alignment::Left    ? 0
                  : Align == Alignment::Right ? Width - w
                                              : (Width - w) / 2;
    area.DrawText(x, y, line, font, ForeColor);
    y += font.Height();
  }
  canvas.Blit(Left, Top, Width, Height, area, 0, 0);
}

void Label::Clicked(const host::MouseEvent& e) {
  if (Click && e.button == host::kLeftButton) Click();
}

void PictureBox::Paint(host::Surface& canvas) {
  canvas.FillRect(Left, Top, Left + Width - 1, Top + Height - 1, BackColor);
  if (Picture) {
    canvas.Blit(Left, Top, std::min(Width, Picture->Width()), std::min(Height, Picture->Height()),
                *Picture, 0, 0);
  }
}

void PictureBox::MouseDown(const host::MouseEvent& e) {
  if (OnDown) OnDown(e);
}

void PictureBox::DoubleClick(const host::MouseEvent& e) {
  if (OnDoubleClick) OnDoubleClick(e);
}

LineShape::LineShape(int x1, int y1, int x2, int y2, host::Color color)
    : x1_(x1), y1_(y1), x2_(x2), y2_(y2), color_(color) {
  Left = std::min(x1, x2), Top = std::min(y1, y2);
  Width = 0, Height = 0;  // takes no mouse
}

void LineShape::Paint(host::Surface& canvas) {
  canvas.Line(x1_, y1_, x2_, y2_, color_);
}

void TextBox::Paint(host::Surface& canvas) {
  canvas.FillRect(Left, Top, Left + Width - 1, Top + Height - 1, BackColor);
  host::Surface area(Width, Height, BackColor);
  const host::Font& font = host::Font::Get(Font);
  area.DrawText(0, 0, Text(), font, ForeColor);
  const int caret = font.TextWidth(std::string_view(Text()).substr(0, edit_.Caret()));
  area.FillRect(caret + 1, 2, caret + 2, font.Height() - 2, ForeColor);
  canvas.Blit(Left, Top, Width, Height, area, 0, 0);
}

bool TextBox::KeyChar(char32_t ch) {
  if (ch == 13) {
    if (OnEnter) OnEnter();
    return false;
  }
  if (ch == 8) {
    edit_.Backspace();
    return true;
  }
  const char32_t shown = UpperCase ? host::ToUpper(ch) : ch;
  // Deliberate: refused, since they would be stored but never seen; a character the font has
  // no glyph for would show as an empty box.
  if (IsControlOrFormat(ch) || !host::Font::Get(Font).HasGlyph(shown)) return false;
  if (MaxLength && host::CountChars(Text()) >= MaxLength) return false;
  std::string typed;
  host::AppendUtf8(typed, shown);
  if (Refused.find(typed) != std::string::npos) return false;
  edit_.Insert(shown);
  return true;
}

}  // namespace shell
