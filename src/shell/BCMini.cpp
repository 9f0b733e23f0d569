#include "shell/BCMini.h"

namespace shell {

void SetAlwaysOnTop(host::Window& window, bool onTop) {
  window.SetTopmost(onTop);
}

void OpenDocument(host::Host& host, const std::string& target) {
  host.OpenDocument(target);
}

}  // namespace shell
