#include "host/ui/PopupMenu.h"

#include <stdexcept>

#include "host/Keys.h"

namespace host::ui {

PopupMenuWindow::PopupMenuWindow(Host& host, const Window& owner, int x, int y,
                                 const std::vector<std::string>& items, bool rightButtonChooses)
    : Modal(host), menu_(items, DialogFont()), rightChooses_(rightButtonChooses) {
  WindowSpec spec;
  spec.name = "PopupMenu";
  spec.width = menu_.Width();
  spec.height = menu_.Height();
  spec.placement = WindowPlacement::AtOwnerPoint;
  spec.owner = &owner;
  spec.ownerX = x;
  spec.ownerY = y;
  spec.topmost = true;
  spec.showInTaskbar = false;
  spec.background = kFace;
  Open(spec);
}

void PopupMenuWindow::Answer(std::string_view word) {
  if (word.empty() || word == "0") return Finish(-1);
  for (int i = 0; i < menu_.Count(); ++i) {
    if (menu_.IsSeparator(i)) continue;
    if (SameWord(PlainCaption(menu_.Caption(i)), word) || std::to_string(i + 1) == word)
      return Finish(i);
  }
  throw std::invalid_argument("the answer \"" + std::string(word) +
                              "\" is not an item of the popup menu");
}

std::string PopupMenuWindow::AnswerWord() const {
  return chosen_ < 0 ? std::string() : menu_.Caption(chosen_);
}

bool PopupMenuWindow::Inside(int x, int y) const {
  return x >= 0 && y >= 0 && x < menu_.Width() && y < menu_.Height();
}

void PopupMenuWindow::Draw(Surface& s) {
  const Font& font = DialogFont();
  s.Clear(kFace);
  // The menu's raised edge: face and white inside, shadow and black outside.
  const int r = s.Width() - 1, b = s.Height() - 1;
  s.Line(0, 0, r - 1, 0, kFace);
  s.Line(0, 0, 0, b - 1, kFace);
  s.Line(1, 1, r - 2, 1, kLight);
  s.Line(1, 1, 1, b - 2, kLight);
  s.Line(0, b, r, b, kDark);
  s.Line(r, 0, r, b, kDark);
  s.Line(1, b - 1, r - 1, b - 1, kShadow);
  s.Line(r - 1, 1, r - 1, b - 1, kShadow);
  const int edge = MenuModel::kEdge, itemH = MenuModel::kItemHeight;
  for (int i = 0; i < menu_.Count(); ++i) {
    const int top = menu_.Top(i);
    if (menu_.IsSeparator(i)) {
      s.Line(edge, top + 3, r - edge, top + 3, kShadow);
      s.Line(edge, top + 4, r - edge, top + 4, kLight);
      continue;
    }
    Color text = kDark;
    if (i == highlight_) {
      s.FillRect(edge, top, r - edge, top + itemH - 1, kNavy);
      text = kLight;
    }
    DrawCaption(s, edge + MenuModel::kTextLeft, top + (itemH - font.Height()) / 2, menu_.Caption(i),
                font, text);
  }
}

void PopupMenuWindow::Highlight(int i) {
  if (i == highlight_) return;
  highlight_ = i;
  Redraw();
}

void PopupMenuWindow::Finish(int chosen) {
  chosen_ = chosen;
  Close();
}

void PopupMenuWindow::OnMouseDown(const MouseEvent& m) {
  if (!Inside(m.x, m.y)) Finish(-1);
}

void PopupMenuWindow::OnMouseUp(const MouseEvent& m) {
  const bool chooses = m.button == kLeftButton || (m.button == kRightButton && rightChooses_);
  const int item = menu_.ItemAt(m.x, m.y);
  if (chooses && item >= 0) Finish(item);
}

void PopupMenuWindow::OnKeyDown(int keyCode, int /*shift*/) {
  if (keyCode == vk::Escape) {
    Finish(-1);
  } else if (keyCode == vk::Down || keyCode == vk::Up) {
    const int next = menu_.Step(highlight_, keyCode == vk::Down ? 1 : -1);
    if (next >= 0) Highlight(next);
  } else if (keyCode == vk::Return) {
    if (highlight_ >= 0) Finish(highlight_);
  } else if (const int item = menu_.ItemForKey(keyCode); item >= 0) {
    Finish(item);
  }
}

}  // namespace host::ui
