#pragma once
#include <optional>
#include <string>

namespace script {

// The virtual-key code of a key name of the scenario language ("F2", "ESC", "NUMPAD5", "A",
// or "VK189" for a key without a name).
std::optional<int> KeyCodeByName(const std::string& name);

// The name of a virtual-key code (1 to 255) in the scenario language.
std::string KeyName(int code);

}  // namespace script
