#include "shell/TextMenu.h"

#include <algorithm>
#include <optional>

#include "host/Keys.h"
#include "shell/TextFields.h"

namespace shell {
namespace {

constexpr OleColor kLightBlue = OleRgb(0, 0, 255);
constexpr OleColor kLightRed = OleRgb(255, 0, 0);

std::string Trim(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

TextMenu::TextMenu(Form& host) : host_(host) {}

bool TextMenu::Item::IsLink() const {
  return !Trim(target).empty();
}

TextMenu::Item TextMenu::ItemAt(int k) const {
  return {GetField(menuItems_, "|", static_cast<std::int16_t>(2 * k - 1)),
          GetField(menuItems_, "|", static_cast<std::int16_t>(2 * k))};
}

int TextMenu::ItemCount() const {
  return (CountOccurrences(menuItems_, "|") + 1) / 2;
}

int TextMenu::RowHeight() const {
  return host::Font::Get(font_).Height();
}

int TextMenu::RowAt(int y) const {
  return y / RowHeight() + 1;
}

void TextMenu::Notify(const std::string& property) {
  if (PropertyChanged) PropertyChanged(property);
}

void TextMenu::Repaint() {
  if (Visible) Paint(host_.Window().Canvas());
}

void TextMenu::SetMenuItems(const std::string& items) {
  menuItems_ = items;
  Repaint();
  Notify("MenuItems");
}
void TextMenu::SetForeColor(OleColor c) {
  foreColor_ = c;
  Repaint();
  Notify("ForeColor");
}
void TextMenu::SetBackColor(OleColor c) {
  backColor_ = c;
  Repaint();
  Notify("BackColor");
}
void TextMenu::SetLinkColor(OleColor c) {
  linkColor_ = c;
  Repaint();
  Notify("LinkColor");
}
void TextMenu::SetALinkColor(OleColor c) {
  aLinkColor_ = c;
  Repaint();
  Notify("ALinkColor");
}
void TextMenu::SetFont(const host::FontSpec& f) {
  font_ = f;
  Repaint();
  Notify("Font");
}
void TextMenu::SetUnderlineLinks(bool on) {
  underlineLinks_ = on;
  Repaint();
  Notify("UnderlineLinks");
}
void TextMenu::SetIndentLinks(bool on) {
  indentLinks_ = on;
  Repaint();
  Notify("IndentLinks");
}

void TextMenu::InitProperties(OleColor hostBack, OleColor hostFore) {
  SetBackColor(hostBack);
  SetForeColor(hostFore);
  SetLinkColor(kLightBlue);
  SetALinkColor(kLightRed);
  SetMenuItems("|");
  SetUsesHTML(true);
  SetUnderlineLinks(false);
  SetIndentLinks(false);
}

void TextMenu::ReadProperties(const PropertyBag& bag) {
  // A property that is missing takes its default; one of the wrong kind keeps its value.
  auto get = [&bag]<typename T>(const char* key, T fallback) -> std::optional<T> {
    auto it = bag.find(key);
    if (it == bag.end()) return fallback;
    if (const T* v = std::get_if<T>(&it->second)) return *v;
    return std::nullopt;
  };
  auto colour = [&](const char* key, OleColor fallback) -> std::optional<OleColor> {
    auto v = get(key, static_cast<std::int64_t>(fallback));
    if (!v) return std::nullopt;
    return static_cast<OleColor>(*v);
  };
  if (auto v = get("MenuItems", std::string("|"))) SetMenuItems(*v);
  if (auto v = colour("ForeColor", kSysButtonText)) SetForeColor(*v);
  if (auto v = colour("BackColor", kSysButtonFace)) SetBackColor(*v);
  if (auto v = colour("LinkColor", kLightBlue)) SetLinkColor(*v);
  if (auto v = colour("ALinkColor", kLightRed)) SetALinkColor(*v);
  if (auto v = get("Font", font_)) SetFont(*v);
  if (auto v = get("UsesHTML", true)) usesHtml_ = *v;
  if (auto v = get("UnderlineLinks", false)) underlineLinks_ = *v;
  if (auto v = get("IndentLinks", false)) indentLinks_ = *v;
}

void TextMenu::WriteProperties(PropertyBag& bag) const {
  auto colour = [&bag](const char* key, OleColor value, OleColor fallback) {
    if (value != fallback) bag[key] = static_cast<std::int64_t>(value);
  };
  bag["MenuItems"] = menuItems_;
  colour("ForeColor", foreColor_, kSysButtonText);
  colour("BackColor", backColor_, kSysButtonFace);
  colour("LinkColor", linkColor_, kLightBlue);
  colour("ALinkColor", aLinkColor_, kLightRed);
  bag["Font"] = font_;
  if (!usesHtml_) bag["UsesHTML"] = false;
  if (underlineLinks_) bag["UnderlineLinks"] = true;
  if (indentLinks_) bag["IndentLinks"] = true;
}

void TextMenu::DrawItem(int k, OleColor linkColour) {
  const Item item = ItemAt(k);
  host::FontSpec spec = font_;
  int x = 0;
  host::Color colour = ToRgb(foreColor_);
  if (item.IsLink()) {
    x = indentLinks_ ? 10 : 0;
    spec.underline = underlineLinks_;
    colour = ToRgb(linkColour);
  } else {
    spec.underline = false;
  }
  // Captions are cut off at the control's edges.
  const int h = RowHeight();
  const int top = (k - 1) * h;
  host::Surface& canvas = host_.Window().Canvas();
  const int rows = std::max(0, std::min(h, Height - top));
  host::Surface row(Width, rows);
  row.Blit(0, 0, Width, rows, canvas, Left, Top + top);
  row.DrawText(x, 0, item.caption, host::Font::Get(spec), colour);
  canvas.Blit(Left, Top + top, Width, rows, row, 0, 0);
}

void TextMenu::Paint(host::Surface& canvas) {
  canvas.FillRect(Left, Top, Left + Width - 1, Top + Height - 1, ToRgb(backColor_));
  highlightedRow_ = 0;
  const int fields = CountOccurrences(menuItems_, "|") + 1;
  if (fields % 2 == 1 || fields < 2) {
    SetMenuItems("Invalid MenuItems property|");
    return;
  }
  for (int k = 1; k <= fields / 2; ++k) DrawItem(k, linkColor_);
}

void TextMenu::ClearRow(int r) {
  // The last row may be cut off by the control's bottom edge.
  const int h = RowHeight();
  const int top = (r - 1) * h, bottom = std::min(r * h, Height);
  if (bottom > top)
    host_.Window().Canvas().FillRect(Left, Top + top, Left + Width - 1, Top + bottom - 1,
                                     ToRgb(backColor_));
}

void TextMenu::RestoreRow() {
  const int r = highlightedRow_;
  highlightedRow_ = 0;
  if (r == 0) return;
  ClearRow(r);
  DrawItem(r, linkColor_);
}

void TextMenu::Highlight(int row) {
  RestoreRow();
  ClearRow(row);
  DrawItem(row, aLinkColor_);
  highlightedRow_ = static_cast<std::int16_t>(row);
}

int TextMenu::NextLink(int row, int step) const {
  const int items = ItemCount();
  for (int tries = 0; tries < items; ++tries) {
    row = row == 0 ? (step > 0 ? 1 : items) : (row + step + items - 1) % items + 1;
    if (ItemAt(row).IsLink()) return row;
  }
  return 0;
}

void TextMenu::Follow(int row) {
  const Item item = ItemAt(row);
  const std::string t = Trim(item.target);
  if (usesHtml_) {
    // "address>frame": outside a browser only the address matters.
    host_.Host().OpenDocument(t.substr(0, t.find('>')));
  } else if (ItemClicked) {
    ItemClicked(static_cast<std::int16_t>(row), item.target);
  }
}

void TextMenu::ResetPointer() {
  if (host_.Window().CurrentCursor() != host::Cursor::Default)
    host_.Window().SetCursor(host::Cursor::Default);
}

void TextMenu::MouseMove(const host::MouseEvent& e) {
  if (captured_) {
    if (!Inside(e.x, e.y)) {
      captured_ = false;
      host_.SetCapture(this, false);
      ResetPointer();
      RestoreRow();
      return;
    }
  } else if (Inside(e.x, e.y)) {
    captured_ = true;
    host_.SetCapture(this, true);
  }
  const int row = RowAt(e.y);
  if (row == highlightedRow_) return;
  if (row < 1 || row > ItemCount()) {
    ResetPointer();
    RestoreRow();
    return;
  }
  if (ItemAt(row).IsLink()) {
    host_.Window().SetCursor(host::Cursor::Hand);
    Highlight(row);
  } else {
    ResetPointer();
    RestoreRow();
  }
}

void TextMenu::MouseUp(const host::MouseEvent& e) {
  // Deliberate: a release of any button on a link follows it, wherever the press was.
  const int row = RowAt(e.y);
  if (row >= 1 && row <= ItemCount() && ItemAt(row).IsLink()) Follow(row);
  const bool inside = Inside(e.x, e.y);
  captured_ = inside;
  host_.SetCapture(this, inside);
}

void TextMenu::KeyDown(int keyCode, int /*shift*/) {
  if (keyCode == host::vk::Down || keyCode == host::vk::Up) {
    if (const int row = NextLink(highlightedRow_, keyCode == host::vk::Down ? 1 : -1))
      Highlight(row);
  } else if ((keyCode == host::vk::Return || keyCode == host::vk::Space) && highlightedRow_ != 0) {
    Follow(highlightedRow_);
  }
}

}  // namespace shell
