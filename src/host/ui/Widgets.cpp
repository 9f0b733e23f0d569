#include "host/ui/Widgets.h"

#include "host/text/Utf8.h"

namespace host::ui {

const Font& DialogFont() {
  static const Font& font = Font::Get(FontSpec{"Arial", 9, false, false, false});
  return font;
}

const Font& TitleFont() {
  static const Font& font = Font::Get(FontSpec{"Arial", 9, true, false, false});
  return font;
}

void RaisedEdge(Surface& s, const Rect& r) {
  const int x2 = r.x + r.w - 1, y2 = r.y + r.h - 1;
  s.Line(r.x, r.y, x2 - 1, r.y, kLight);
  s.Line(r.x, r.y, r.x, y2 - 1, kLight);
  s.Line(r.x, y2, x2, y2, kDark);
  s.Line(x2, r.y, x2, y2, kDark);
  s.Line(r.x + 1, y2 - 1, x2 - 1, y2 - 1, kShadow);
  s.Line(x2 - 1, r.y + 1, x2 - 1, y2 - 1, kShadow);
}

void SunkenEdge(Surface& s, const Rect& r) {
  const int x2 = r.x + r.w - 1, y2 = r.y + r.h - 1;
  s.Line(r.x, r.y, x2 - 1, r.y, kShadow);
  s.Line(r.x, r.y, r.x, y2 - 1, kShadow);
  s.Line(r.x + 1, r.y + 1, x2 - 2, r.y + 1, kDark);
  s.Line(r.x + 1, r.y + 1, r.x + 1, y2 - 2, kDark);
  s.Line(r.x, y2, x2, y2, kLight);
  s.Line(x2, r.y, x2, y2, kLight);
  s.Line(r.x + 1, y2 - 1, x2 - 1, y2 - 1, kFace);
  s.Line(x2 - 1, r.y + 1, x2 - 1, y2 - 1, kFace);
}

void FocusRect(Surface& s, const Rect& r) {
  const int x2 = r.x + r.w - 1, y2 = r.y + r.h - 1;
  for (int x = r.x; x <= x2; x += 2) {
    s.SetPixel(x, r.y, kDark);
    s.SetPixel(x, y2, kDark);
  }
  for (int y = r.y; y <= y2; y += 2) {
    s.SetPixel(r.x, y, kDark);
    s.SetPixel(x2, y, kDark);
  }
}

void TitleStrip(Surface& s, const std::string& title) {
  s.FillRect(0, 0, s.Width() - 1, kTitleHeight - 1, kNavy);
  const Font& f = TitleFont();
  s.DrawText(4, (kTitleHeight - f.Height()) / 2, title, f, kLight);
}

int FrameWidth(WindowFrame frame) {
  return frame == WindowFrame::Dialog ? 3 : 0;
}

std::vector<FrameBand> FrameBands(int w, int h, WindowFrame frame) {
  const int f = FrameWidth(frame);
  // The classic raised dialog frame: face and black outside, then white and shadow, then
  // the face colour. Each ring's top and left edges, then its bottom and right edges over
  // the two corners they share with them.
  constexpr Color kTopLeft[] = {kFace, kLight, kFace}, kBottomRight[] = {kDark, kShadow, kFace};
  std::vector<FrameBand> bands;
  for (int ring = 0; ring < f; ++ring) {
    const int left = ring - f, top = ring - f, right = w + f - 1 - ring, bottom = h + f - 1 - ring;
    const int across = right - left + 1, down = bottom - top + 1;
    bands.push_back({{left, top, across, 1}, kTopLeft[ring]});
    bands.push_back({{left, top, 1, down}, kTopLeft[ring]});
    bands.push_back({{left, bottom, across, 1}, kBottomRight[ring]});
    bands.push_back({{right, top, 1, down}, kBottomRight[ring]});
  }
  return bands;
}

namespace {

// Calls put(text piece, underlined) for the pieces of a caption.
template <typename Put>
void WalkCaption(std::string_view caption, Put put) {
  std::size_t i = 0;
  while (i < caption.size()) {
    const std::size_t amp = caption.find('&', i);
    if (amp == std::string_view::npos || amp + 1 >= caption.size()) {
      put(caption.substr(i), false);
      return;
    }
    put(caption.substr(i, amp - i), false);
    std::size_t next = amp + 1;
    NextCodePoint(caption, next);
    put(caption.substr(amp + 1, next - amp - 1), caption[amp + 1] != '&');
    i = next;
  }
}

}  // namespace

std::string PlainCaption(std::string_view caption) {
  std::string out;
  WalkCaption(caption, [&](std::string_view piece, bool) { out += piece; });
  return out;
}

char32_t AccessKey(std::string_view caption) {
  char32_t key = 0;
  WalkCaption(caption, [&](std::string_view piece, bool underlined) {
    if (underlined && key == 0) {
      std::size_t at = 0;
      key = ToUpper(NextCodePoint(piece, at));
    }
  });
  return key;
}

int CaptionWidth(std::string_view caption, const Font& font) {
  return font.TextWidth(PlainCaption(caption));
}

void DrawCaption(Surface& s, int x, int y, std::string_view caption, const Font& font, Color c) {
  WalkCaption(caption, [&](std::string_view piece, bool underlined) {
    const int end = s.DrawText(x, y, piece, font, c);
    if (underlined) s.Line(x, y + font.Ascent() + 1, end - 1, y + font.Ascent() + 1, c);
    x = end;
  });
}

std::vector<std::string> WrapText(std::string_view text, const Font& font, int maxWidth) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view para = text.substr(start, end - start);
    if (!para.empty() && para.back() == '\r') para.remove_suffix(1);
    std::string line;
    std::size_t i = 0;
    while (i < para.size()) {
      std::size_t wordStart = para.find_first_not_of(' ', i);
      if (wordStart == std::string_view::npos) break;
      std::size_t wordEnd = para.find(' ', wordStart);
      if (wordEnd == std::string_view::npos) wordEnd = para.size();
      const std::string_view spaces = para.substr(i, wordStart - i);
      const std::string_view word = para.substr(wordStart, wordEnd - wordStart);
      std::string candidate = line;
      if (!line.empty()) candidate += spaces;
      candidate += word;
      if (!line.empty() && font.TextWidth(candidate) > maxWidth) {
        lines.push_back(line);
        line = std::string(word);
      } else {
        line = std::move(candidate);
      }
      i = wordEnd;
    }
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace host::ui
