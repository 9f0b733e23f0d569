#pragma once
#include <optional>
#include <string>

namespace script {

// The virtual-key code of a key name of the scenario language ("F2", "ESC", "NUMPAD5", "A").
std::optional<int> KeyCodeByName(const std::string& name);

}  // namespace script
