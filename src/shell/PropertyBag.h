#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <variant>

#include "host/Font.h"

namespace shell {

// The saved properties of a control instance, as its host keeps them.
using PropertyValue = std::variant<std::string, std::int64_t, bool, host::FontSpec>;
using PropertyBag = std::map<std::string, PropertyValue>;

}  // namespace shell
