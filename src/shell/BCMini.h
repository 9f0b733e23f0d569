#pragma once
#include <string>

#include "host/Host.h"

// Window utilities of the shell.
namespace shell {

// Moves the window into the topmost band or out of it, without moving or sizing it.
void SetAlwaysOnTop(host::Window& window, bool onTop);
// Hands a web or mail address to the desktop's default program.
void OpenDocument(host::Host& host, const std::string& target);

}  // namespace shell
