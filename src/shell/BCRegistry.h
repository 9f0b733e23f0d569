#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/RegistryStore.h"

namespace shell {

// The text array GetAllSubkeys fills: one dimension with bounds (Lower() to Upper()).
class SubkeyArray {
 public:
  int Lower() const { return lower_; }
  int Upper() const { return lower_ + static_cast<int>(items_.size()) - 1; }
  // Throws std::out_of_range outside the bounds, as a subscript out of range does.
  const std::string& operator()(int index) const;

 private:
  friend class BCRegistry;
  int lower_ = 0;
  std::vector<std::string> items_;
};

// The text array GetAllValues fills: bounds (1 to 2, Lower() to Upper()); element (1, i) is
// the name of value i and (2, i) its data.
class ValueArray {
 public:
  static constexpr int kFirstLower = 1, kFirstUpper = 2;
  int Lower() const { return lower_; }
  int Upper() const { return lower_ + static_cast<int>(items_.size()) - 1; }
  // Throws std::out_of_range outside the bounds.
  const std::string& operator()(int column, int index) const;

 private:
  friend class BCRegistry;
  int lower_ = 0;
  std::vector<std::pair<std::string, std::string>> items_;
};

// Opens one key of a registry store, named by a path that starts with a root key name
// ("HKEY_CURRENT_USER\Software\..."), and reads, writes, deletes and lists what is under it.
// Store failures never surface: with no key open every operation does nothing, getters give
// an empty text or 0 and arrays are left as they were. Texts are UTF-8.
class BCRegistry {
 public:
  explicit BCRegistry(host::RegistryStore& store) : store_(store) {}
  BCRegistry(const BCRegistry&) = delete;
  BCRegistry& operator=(const BCRegistry&) = delete;
  ~BCRegistry() { Reset(); }

  const std::string& RootPath() const { return rootPath_; }
  // Opens (creating when missing) the key the path names. Blanks around it and one trailing
  // "\" are dropped; an empty path leaves no key open, as does an unknown root name. Throws
  // std::invalid_argument for a path without any "\" (a root name alone), leaving no key open.
  void RootPath(const std::string& path);
  // Closes the open key and forgets its path; with no key open it changes nothing.
  void Reset();

  // A missing value reads as 32,767 blanks (callers trim); a 32-bit value reads as its
  // decimal text.
  std::string Value(const std::string& name) const;
  void Value(const std::string& name, const std::string& text);
  // A missing value, and a text value, read as 0.
  std::int32_t ValueLong(const std::string& name) const;
  void ValueLong(const std::string& name, std::int32_t number);
  void DeleteValue(const std::string& name);
  // Deletes the subkey with everything below it.
  void DeleteKey(const std::string& name);
  // Fills the array with the names of all values and their data as Value reads it, in the
  // order they were created; with no values, bounds (1 to 2, 0 to 0) holding empty texts.
  void GetAllValues(ValueArray& values) const;
  // Fills the array with the names of all subkeys; with none, bounds (0 to 0) and one empty
  // text.
  void GetAllSubkeys(SubkeyArray& subkeys) const;

 private:
  bool KeyOpen() const { return !openKey_.empty(); }
  // What a value's data reads as text.
  static std::string DataText(const host::RegValue& value);

  host::RegistryStore& store_;
  std::string rootPath_;
  std::string openKey_;  // the store path of the open key; empty when none is open
};

}  // namespace shell
