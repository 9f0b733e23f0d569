#pragma once
#include <string>
#include <vector>

#include "host/Font.h"

namespace host::ui {

// The geometry and keyboard rules of a popup menu: captions with "&" access letters,
// "-" separators, a raised edge around the items.
class MenuModel {
 public:
  static constexpr int kEdge = 3, kItemHeight = 18, kSeparatorHeight = 8, kTextLeft = 20,
                       kTextRight = 20;

  MenuModel(std::vector<std::string> items, const Font& font);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Caption(int i) const { return items_[i]; }
  bool IsSeparator(int i) const { return items_[i] == "-"; }
  int Top(int i) const { return tops_[i]; }
  // The item under a point of the menu window; -1 on a separator, the edge or outside.
  int ItemAt(int x, int y) const;
  // The next item that can be chosen from `from` in direction `delta` (+1 or -1),
  // wrapping; from -1 it starts at the first or the last. -1 when there is none.
  int Step(int from, int delta) const;
  // The first item whose access letter is the key, or -1.
  int ItemForKey(int keyCode) const;

 private:
  std::vector<std::string> items_;
  std::vector<int> tops_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace host::ui
