#include "host/ui/MenuModel.h"

#include <algorithm>

#include "host/ui/Widgets.h"

namespace host::ui {

MenuModel::MenuModel(std::vector<std::string> items, const Font& font) : items_(std::move(items)) {
  int textWidth = 0;
  height_ = kEdge;
  for (int i = 0; i < Count(); ++i) {
    tops_.push_back(height_);
    height_ += IsSeparator(i) ? kSeparatorHeight : kItemHeight;
    if (!IsSeparator(i)) textWidth = std::max(textWidth, CaptionWidth(items_[i], font));
  }
  height_ += kEdge;
  width_ = textWidth + kTextLeft + kTextRight + 2 * kEdge;
}

int MenuModel::ItemAt(int x, int y) const {
  if (x < kEdge || x >= width_ - kEdge) return -1;
  for (int i = 0; i < Count(); ++i) {
    const int bottom = tops_[i] + (IsSeparator(i) ? kSeparatorHeight : kItemHeight);
    if (y >= tops_[i] && y < bottom) return IsSeparator(i) ? -1 : i;
  }
  return -1;
}

int MenuModel::Step(int from, int delta) const {
  const int n = Count();
  int i = from;
  for (int tries = 0; tries < n; ++tries) {
    i = i < 0 ? (delta > 0 ? 0 : n - 1) : (i + delta + n) % n;
    if (!IsSeparator(i)) return i;
  }
  return -1;
}

int MenuModel::ItemForKey(int keyCode) const {
  for (int i = 0; i < Count(); ++i) {
    if (!IsSeparator(i) && static_cast<int>(AccessKey(items_[i])) == keyCode) return i;
  }
  return -1;
}

}  // namespace host::ui
