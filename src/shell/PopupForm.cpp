#include "shell/PopupForm.h"

#include "shell/MenuForm.h"
#include "shell/Program.h"

namespace shell {

const std::vector<std::string>& PopupForm::SysMenu() {
  static const std::vector<std::string> items{"E&xit", "&Minimize", "-", "&About..."};
  return items;
}

void PopupForm::Open(host::Window& owner, int x, int y, bool rightButtonChooses) {
  switch (program_.Host().PopupMenu(owner, x, y, SysMenu(), rightButtonChooses)) {
    case 0:  // ExitItem
      program_.QuitProgram();
    case 1:  // MinimizeItem
      program_.Menu().Window().Minimize();
      break;
    case 3:  // AboutItem
      program_.Menu().AboutButton_Click();
      break;
    default:
      break;
  }
}

}  // namespace shell
