#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host {

struct RegValue {
  enum class Type { String, Dword };
  Type type = Type::String;
  std::string text;         // Type::String, UTF-8
  std::int32_t number = 0;  // Type::Dword

  static RegValue String(std::string s) { return {Type::String, std::move(s), 0}; }
  static RegValue Dword(std::int32_t n) { return {Type::Dword, {}, n}; }
  bool operator==(const RegValue&) const = default;
};

// A per-user tree of keys holding named string and 32-bit values. Key paths are
// backslash-separated and start with a root name ("HKEY_CURRENT_USER\Software\...").
// Key and value names compare without regard to ASCII letter case, as the registry's do.
// Failures are never thrown: a store that cannot be written keeps working in memory.
class RegistryStore {
 public:
  virtual ~RegistryStore() = default;
  // Opens the key, creating it and every missing key on the way. False when it cannot.
  virtual bool CreateKey(const std::string& path) = 0;
  virtual std::optional<RegValue> GetValue(const std::string& key, const std::string& name) = 0;
  virtual void SetValue(const std::string& key, const std::string& name, const RegValue& value) = 0;
  virtual void DeleteValue(const std::string& key, const std::string& name) = 0;
  // Deletes the subkey `name` of `key` (with everything below it).
  virtual void DeleteKey(const std::string& key, const std::string& name) = 0;
  // Values of the key in the order they were first written.
  virtual std::vector<std::pair<std::string, RegValue>> Values(const std::string& key) = 0;
  virtual std::vector<std::string> Subkeys(const std::string& key) = 0;

  // Runs `changes`, which read and change this store, as one change of the store. A store
  // kept in a file reads the file afresh first and holds it against other instances
  // throughout, so that `changes` sees what they stored last, then writes everything in one
  // replacement of the file, or nothing. What went wrong, for the player, when the changes
  // could not be stored.
  virtual std::optional<std::string> Batch(const std::function<void()>& changes) = 0;
  // Troubles met while the store was opened that the player should hear of (a damaged file
  // set aside, a file that cannot be read), each handed out once.
  virtual std::vector<std::string> TakeNotices() = 0;
};

}  // namespace host
