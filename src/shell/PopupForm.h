#pragma once
#include <string>
#include <vector>

#include "host/Host.h"

namespace shell {

class Program;

// Owns the popup menu opened from the main window's title strip. The form itself is never
// shown, so it holds no window of its own: only the menu and what its items do.
class PopupForm {
 public:
  explicit PopupForm(Program& program) : program_(program) {}
  // The items of SysMenu, top to bottom.
  static const std::vector<std::string>& SysMenu();
  // Opens SysMenu at (x, y) of `owner` and runs the chosen item.
  void Open(host::Window& owner, int x, int y, bool rightButtonChooses);

 private:
  Program& program_;
};

}  // namespace shell
