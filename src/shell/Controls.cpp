#include "shell/Controls.h"

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
    const int x = Align == Alignment::Left ? 0 : Align == Alignment::Right ? Width - w : (Width - w) / 2;
    area.DrawText(x, y, line, font, ForeColor);
    y += font.Height();
  }
  canvas.Blit(Left, Top, Width, Height, area, 0, 0);
}

void Label::MouseUp(const host::MouseEvent& e) {
  if (Click && e.button == host::kLeftButton && e.x >= 0 && e.y >= 0 && e.x < Width && e.y < Height)
    Click();
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

void LineShape::Paint(host::Surface& canvas) { canvas.Line(x1_, y1_, x2_, y2_, color_); }

void TextBox::Paint(host::Surface& canvas) {
  canvas.FillRect(Left, Top, Left + Width - 1, Top + Height - 1, BackColor);
  host::Surface area(Width, Height, BackColor);
  const host::Font& font = host::Font::Get(Font);
  const int end = area.DrawText(0, 0, Text, font, ForeColor);
  // The caret after the last character.
  area.FillRect(end + 1, 2, end + 2, font.Height() - 2, ForeColor);
  canvas.Blit(Left, Top, Width, Height, area, 0, 0);
}

void TextBox::KeyChar(char32_t ch) {
  if (ch == 13) {
    if (OnEnter) OnEnter();
    return;
  }
  if (ch == 8) {
    const std::size_t n = host::CountChars(Text);
    if (n > 0) Text = host::FirstChars(Text, n - 1);
  } else if (ch >= 32 && ch != 127) {
    if (MaxLength && host::CountChars(Text) >= MaxLength) return;
    std::string typed;
    host::AppendUtf8(typed, UpperCase ? host::ToUpper(ch) : ch);
    if (Refused.find(typed) != std::string::npos) return;
    Text += typed;
  } else {
    return;
  }
}

}  // namespace shell
