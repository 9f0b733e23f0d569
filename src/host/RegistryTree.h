#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/RegistryStore.h"

namespace host {

// Compares two names the way the registry does: ASCII letters without regard to case,
// every other byte exactly.
bool SameName(std::string_view a, std::string_view b);

// Splits a key path at its backslashes. Nothing when the path is not a usable key path: it
// is empty, has an empty component, or holds a control character (key names are printable,
// which also keeps them writable as one line of the settings file).
std::optional<std::vector<std::string>> SplitKeyPath(std::string_view path);

// One change to the tree. The file store keeps the changes it has not yet written as a list
// of these, so that it can replay them on top of what another instance has stored meanwhile.
struct RegistryChange {
  enum class Kind { CreateKey, SetValue, DeleteValue, DeleteKey };
  Kind kind = Kind::CreateKey;
  std::string key;
  std::string name;  // value name, or the subkey to delete
  RegValue value;    // Kind::SetValue only
};

// The keys and values of a registry store, in memory. Names keep the case they were first
// written with; values and subkeys keep the order in which they were first created.
// Deliberate: finding a name takes the same time however many a key holds, so that reading a
// file of many values takes time in proportion to its length.
class RegistryTree {
 public:
  using Values = std::vector<std::pair<std::string, RegValue>>;

  // Applies one change. False only when a key path in it is unusable.
  bool Apply(const RegistryChange& change);

  bool HasKey(std::string_view path) const;
  std::optional<RegValue> GetValue(std::string_view key, std::string_view name) const;
  Values ValuesOf(std::string_view key) const;
  std::vector<std::string> Subkeys(std::string_view key) const;

  // The changes that build this tree from nothing, parents before children.
  std::vector<RegistryChange> AsChanges() const;

  // Visits every key, parents before children, with its full path, its values and whether
  // it has subkeys.
  void ForEachKey(const std::function<void(const std::string& path, const Values&,
                                           bool hasSubkeys)>& visit) const;

 private:
  // Hashes and compares names the way SameName does.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
  };
  struct NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return SameName(a, b); }
  };
  // A name's position in a list of values or subkeys.
  using NameIndex = std::unordered_map<std::string, std::size_t, NameHash, NameEqual>;

  struct Key {
    std::string name;
    Values values;
    std::vector<Key> subkeys;
    NameIndex valueAt;
    NameIndex subkeyAt;
  };

  static Key* FindChild(Key& parent, std::string_view name);
  static const std::string& NameOf(const Values::value_type& value) { return value.first; }
  static const std::string& NameOf(const Key& key) { return key.name; }
  // Drops the value or subkey of that name from `list`, keeping the index in step.
  template <typename List>
  static void Erase(List& list, NameIndex& index, std::string_view name);
  Key* Find(std::string_view path);
  const Key* Find(std::string_view path) const;
  Key* Create(std::string_view path);
  static void Visit(const Key& key, std::string& path,
                    const std::function<void(const std::string&, const Values&, bool)>& visit);

  Key root_;  // nameless; its subkeys are the root keys
};

}  // namespace host
