#include "shell/BCRegistry.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

namespace shell {

namespace {

// Buffers for texts read from the registry were this long; a value that is not there leaves
// such a buffer as it was prepared: all blanks.
constexpr std::size_t kTextBufferLength = 32767;

constexpr std::array<std::string_view, 7> kRootNames = {
    "HKEY_CLASSES_ROOT",     "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};

std::string UpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

const std::string& SubkeyArray::operator()(int index) const {
  if (index < Lower() || index > Upper()) throw std::out_of_range("subscript out of range");
  return items_[static_cast<std::size_t>(index - lower_)];
}

const std::string& ValueArray::operator()(int column, int index) const {
  if (column < kFirstLower || column > kFirstUpper || index < Lower() || index > Upper()) {
    throw std::out_of_range("subscript out of range");
  }
  const auto& item = items_[static_cast<std::size_t>(index - lower_)];
  return column == 1 ? item.first : item.second;
}

void BCRegistry::RootPath(const std::string& path) {
  Reset();
  std::string_view trimmed = TrimBlanks(path);
  if (trimmed.ends_with('\\')) trimmed.remove_suffix(1);
  rootPath_ = trimmed;
  if (rootPath_.empty()) return;
  const std::size_t separator = rootPath_.find('\\');
  if (separator == std::string::npos) {
    throw std::invalid_argument("registry path \"" + rootPath_ + "\" names no key below its root");
  }
  const std::string root = UpperCase(rootPath_.substr(0, separator));
  if (std::find(kRootNames.begin(), kRootNames.end(), root) == kRootNames.end()) return;
  const std::string key = root + rootPath_.substr(separator);
  if (store_.CreateKey(key)) openKey_ = key;
}

void BCRegistry::Reset() {
  if (!KeyOpen()) return;
  openKey_.clear();
  rootPath_.clear();
}

std::string BCRegistry::DataText(const host::RegValue& value) {
  if (value.type == host::RegValue::Type::Dword) return std::to_string(value.number);
  // Data stored by other programs may carry its terminating zero.
  std::string text = value.text;
  if (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

std::string BCRegistry::Value(const std::string& name) const {
  if (!KeyOpen()) return {};
  const auto value = store_.GetValue(openKey_, name);
  return value ? DataText(*value) : std::string(kTextBufferLength, ' ');
}

void BCRegistry::Value(const std::string& name, const std::string& text) {
  if (KeyOpen()) store_.SetValue(openKey_, name, host::RegValue::String(text));
}

std::int32_t BCRegistry::ValueLong(const std::string& name) const {
  if (!KeyOpen()) return 0;
  const auto value = store_.GetValue(openKey_, name);
  return value && value->type == host::RegValue::Type::Dword ? value->number : 0;
}

void BCRegistry::ValueLong(const std::string& name, std::int32_t number) {
  if (KeyOpen()) store_.SetValue(openKey_, name, host::RegValue::Dword(number));
}

void BCRegistry::DeleteValue(const std::string& name) {
  if (KeyOpen()) store_.DeleteValue(openKey_, name);
}

void BCRegistry::DeleteKey(const std::string& name) {
  if (KeyOpen()) store_.DeleteKey(openKey_, name);
}

void BCRegistry::GetAllValues(ValueArray& values) const {
  if (!KeyOpen()) return;
  values.items_.clear();
  for (const auto& [name, value] : store_.Values(openKey_)) {
    values.items_.emplace_back(name, DataText(value));
  }
  values.lower_ = values.items_.empty() ? 0 : 1;
  if (values.items_.empty()) values.items_.emplace_back();
}

void BCRegistry::GetAllSubkeys(SubkeyArray& subkeys) const {
  if (!KeyOpen()) return;
  subkeys.items_ = store_.Subkeys(openKey_);
  subkeys.lower_ = subkeys.items_.empty() ? 0 : 1;
  if (subkeys.items_.empty()) subkeys.items_.emplace_back();
}

}  // namespace shell
