#pragma once
#include "host/Host.h"
#include "host/Surface.h"

namespace host::ui {

constexpr int kMsgIconSize = 32;

// The message-box icon in its classic shape with its top-left corner at (x, y).
void DrawMsgIcon(Surface& s, int x, int y, MsgIcon icon);

}  // namespace host::ui
