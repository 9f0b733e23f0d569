#pragma once
#include <optional>
#include <string>

namespace script {

// The virtual-key code of a key name of the scenario language ("F2", "ESC", "NUMPAD5", "A",
// or "VK189" for a key without a name).
std::optional<int> KeyCodeByName(const std::string& name);

// The name of a virtual-key code (1 to 255) in the scenario language.
std::string KeyName(int code);

// The bit of a modifier word ("+SHIFT", "+CTRL", "+ALT"; host::kShiftMask ...), or of a mouse
// button word ("left", "right", "middle"; host::kLeftButton ...); nothing for another word.
std::optional<int> ModifierByName(const std::string& word);
std::optional<int> ButtonByName(const std::string& word);

// The words of those bits, each after a blank (" +SHIFT +ALT", " left").
std::string ModifierWords(int shift);
std::string ButtonWords(int buttons);

// The key, modifier and button names, for the runner's help.
std::string KeyNameHelp();

}  // namespace script
