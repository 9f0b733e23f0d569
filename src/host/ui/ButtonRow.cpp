#include "host/ui/ButtonRow.h"

#include "host/Keys.h"

namespace host::ui {

void ButtonRow::Add(const Rect& r, std::string caption, char32_t accessKey, int id) {
  buttons_.push_back(Button{r, std::move(caption), accessKey, id});
}

bool ButtonRow::Has(int id) const {
  for (const Button& b : buttons_) {
    if (b.id == id) return true;
  }
  return false;
}

int ButtonRow::At(int x, int y) const {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i].r.Contains(x, y)) return static_cast<int>(i);
  }
  return -1;
}

void ButtonRow::Draw(Surface& s) const {
  const Font& font = DialogFont();
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const Button& b = buttons_[i];
    const bool focused = static_cast<int>(i) == focus_;
    const bool down = static_cast<int>(i) == pressed_ && pressedInside_;
    Rect r = b.r;
    s.FillRect(r.x, r.y, r.x + r.w - 1, r.y + r.h - 1, kFace);
    if (focused) {
      // The default button carries a black outline around its edge.
      s.Frame(r.x, r.y, r.x + r.w - 1, r.y + r.h - 1, kDark);
      r = Rect{r.x + 1, r.y + 1, r.w - 2, r.h - 2};
    }
    if (down) {
      s.Frame(r.x, r.y, r.x + r.w - 1, r.y + r.h - 1, kShadow);
    } else {
      RaisedEdge(s, r);
    }
    const int shift = down ? 1 : 0;
    const int tx = b.r.x + (b.r.w - CaptionWidth(b.caption, font)) / 2 + shift;
    const int ty = b.r.y + (b.r.h - font.Height()) / 2 + shift;
    DrawCaption(s, tx, ty, b.caption, font, kDark);
    if (focused) FocusRect(s, Rect{b.r.x + 4, b.r.y + 4, b.r.w - 8, b.r.h - 8});
  }
}

bool ButtonRow::MouseDown(int x, int y) {
  pressed_ = At(x, y);
  if (pressed_ < 0) return false;
  focus_ = pressed_;
  pressedInside_ = true;
  return true;
}

bool ButtonRow::MouseMove(int x, int y) {
  if (pressed_ < 0) return false;
  const bool inside = buttons_[pressed_].r.Contains(x, y);
  if (inside == pressedInside_) return false;
  pressedInside_ = inside;
  return true;
}

bool ButtonRow::MouseUp(int x, int y, int& clicked) {
  clicked = -1;
  if (pressed_ < 0) return false;
  if (buttons_[pressed_].r.Contains(x, y)) clicked = buttons_[pressed_].id;
  pressed_ = -1;
  pressedInside_ = false;
  return true;
}

bool ButtonRow::Key(int keyCode, int shift, int& clicked) {
  clicked = -1;
  const int n = static_cast<int>(buttons_.size());
  if (n == 0) return false;
  switch (keyCode) {
    case vk::Tab:
      focus_ = (focus_ + ((shift & kShiftMask) ? n - 1 : 1)) % n;
      return true;
    case vk::Right:
    case vk::Down:
      focus_ = (focus_ + 1) % n;
      return true;
    case vk::Left:
    case vk::Up:
      focus_ = (focus_ + n - 1) % n;
      return true;
    case vk::Return:
    case vk::Space:
      clicked = buttons_[focus_].id;
      return true;
    default:
      break;
  }
  if ((shift & (kCtrlMask)) != 0) return false;
  for (const Button& b : buttons_) {
    if (b.accessKey != 0 && static_cast<int>(b.accessKey) == keyCode) {
      clicked = b.id;
      return true;
    }
  }
  return false;
}

}  // namespace host::ui
