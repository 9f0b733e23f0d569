// The dialogs of the Host interface, drawn by the toolkit and answered by the person at the
// keyboard.
#include "host/sdl/SdlHostImpl.h"
#include "host/ui/InputBox.h"
#include "host/ui/MessageBox.h"
#include "host/ui/PopupMenu.h"

namespace host::sdl {

MsgResult SdlHost::MessageBox(const std::string& title, const std::string& text, MsgIcon icon,
                              MsgButtons buttons) {
  ui::MessageBoxDialog box(*this, title, text, icon, buttons);
  box.RunModal();
  return box.Result();
}

std::optional<std::string> SdlHost::InputBox(const std::string& prompt, const std::string& title,
                                             const std::string& defaultText) {
  ui::InputBoxDialog box(*this, prompt, title, defaultText);
  box.RunModal();
  return box.Result();
}

int SdlHost::PopupMenu(Window& owner, int x, int y, const std::vector<std::string>& items,
                       bool rightButtonChooses) {
  ui::PopupMenuWindow menu(*this, owner, x, y, items, rightButtonChooses);
  menu.RunModal();
  return menu.Result();
}

}  // namespace host::sdl
