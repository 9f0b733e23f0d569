#pragma once
#include <string>
#include <vector>

#include "host/ui/Widgets.h"

namespace host::ui {

// A row of push buttons with keyboard focus: Tab and the arrow keys move it, Enter and
// Space press the focused button, a button's access letter presses it directly.
class ButtonRow {
 public:
  void Add(const Rect& r, std::string caption, char32_t accessKey, int id);
  void Draw(Surface& s) const;
  // Mouse: a button pressed and released over itself is clicked. Each returns whether
  // the look changed; MouseUp sets `clicked` to the button's id, or -1.
  bool MouseDown(int x, int y);
  bool MouseMove(int x, int y);
  bool MouseUp(int x, int y, int& clicked);
  // Keys: returns whether the key was used; `clicked` as for MouseUp.
  bool Key(int keyCode, int shift, int& clicked);
  bool Has(int id) const;

 private:
  struct Button {
    Rect r;
    std::string caption;
    char32_t accessKey;
    int id;
  };
  int At(int x, int y) const;
  std::vector<Button> buttons_;
  int focus_ = 0;
  int pressed_ = -1;
  bool pressedInside_ = false;
};

}  // namespace host::ui
