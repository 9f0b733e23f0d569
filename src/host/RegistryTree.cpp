#include "host/RegistryTree.h"

#include <algorithm>

namespace host {

namespace {

char FoldCase(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7f;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldCase(x) == FoldCase(y);
         });
}

std::optional<std::vector<std::string>> SplitKeyPath(std::string_view path) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    const std::string_view name = path.substr(start, end - start);
    if (name.empty() || std::any_of(name.begin(), name.end(), IsControl)) return std::nullopt;
    names.emplace_back(name);
    if (end == path.size()) return names;
    start = end + 1;
  }
}

std::size_t RegistryTree::NameHash::operator()(std::string_view name) const {
  // FNV-1a over the folded bytes.
  std::size_t hash = 14695981039346656037ull;
  for (char c : name) {
    hash ^= static_cast<unsigned char>(FoldCase(c));
    hash *= 1099511628211ull;
  }
  return hash;
}

template <typename List>
void RegistryTree::Erase(List& list, NameIndex& index, std::string_view name) {
  const auto at = index.find(name);
  if (at == index.end()) return;
  list.erase(list.begin() + static_cast<std::ptrdiff_t>(at->second));
  // The entries after the hole have moved; deletions are rare, so the index is built anew.
  index.clear();
  for (std::size_t i = 0; i < list.size(); ++i) index.emplace(NameOf(list[i]), i);
}

RegistryTree::Key* RegistryTree::FindChild(Key& parent, std::string_view name) {
  const auto at = parent.subkeyAt.find(name);
  return at == parent.subkeyAt.end() ? nullptr : &parent.subkeys[at->second];
}

const RegistryTree::Key* RegistryTree::Find(std::string_view path) const {
  return const_cast<RegistryTree*>(this)->Find(path);
}

RegistryTree::Key* RegistryTree::Find(std::string_view path) {
  const auto names = SplitKeyPath(path);
  if (!names) return nullptr;
  Key* key = &root_;
  for (const std::string& name : *names) {
    key = FindChild(*key, name);
    if (!key) return nullptr;
  }
  return key;
}

RegistryTree::Key* RegistryTree::Create(std::string_view path) {
  const auto names = SplitKeyPath(path);
  if (!names) return nullptr;
  Key* key = &root_;
  for (const std::string& name : *names) {
    Key* child = FindChild(*key, name);
    if (!child) {
      key->subkeyAt.emplace(name, key->subkeys.size());
      key->subkeys.push_back(Key{name, {}, {}, {}, {}});
      child = &key->subkeys.back();
    }
    key = child;
  }
  return key;
}

bool RegistryTree::Apply(const RegistryChange& change) {
  switch (change.kind) {
    case RegistryChange::Kind::CreateKey:
      return Create(change.key) != nullptr;
    case RegistryChange::Kind::SetValue: {
      // A store addresses keys by path, not by handle, so a write to a key that another
      // instance deleted meanwhile brings the key back instead of losing the value.
      Key* key = Create(change.key);
      if (!key) return false;
      const auto [at, added] = key->valueAt.emplace(change.name, key->values.size());
      if (added) {
        key->values.emplace_back(change.name, change.value);
      } else {
        key->values[at->second].second = change.value;
      }
      return true;
    }
    case RegistryChange::Kind::DeleteValue: {
      if (!SplitKeyPath(change.key)) return false;
      if (Key* key = Find(change.key)) {
        Erase(key->values, key->valueAt, change.name);
      }
      return true;
    }
    case RegistryChange::Kind::DeleteKey: {
      if (!SplitKeyPath(change.key)) return false;
      if (change.name.empty()) return true;
      // The subkey may itself be a path below the key; the last name is the one removed.
      const auto names = SplitKeyPath(change.key + "\\" + change.name);
      if (!names) return false;
      Key* parent = &root_;
      for (std::size_t i = 0; parent && i + 1 < names->size(); ++i) {
        parent = FindChild(*parent, (*names)[i]);
      }
      if (parent) {
        Erase(parent->subkeys, parent->subkeyAt, names->back());
      }
      return true;
    }
  }
  return false;
}

bool RegistryTree::HasKey(std::string_view path) const {
  return Find(path) != nullptr;
}

std::optional<RegValue> RegistryTree::GetValue(std::string_view key, std::string_view name) const {
  if (const Key* found = Find(key)) {
    const auto at = found->valueAt.find(name);
    if (at != found->valueAt.end()) return found->values[at->second].second;
  }
  return std::nullopt;
}

RegistryTree::Values RegistryTree::ValuesOf(std::string_view key) const {
  const Key* found = Find(key);
  return found ? found->values : Values{};
}

std::vector<std::string> RegistryTree::Subkeys(std::string_view key) const {
  std::vector<std::string> names;
  if (const Key* found = Find(key)) {
    for (const Key& child : found->subkeys) names.push_back(child.name);
  }
  return names;
}

std::vector<RegistryChange> RegistryTree::AsChanges() const {
  std::vector<RegistryChange> changes;
  ForEachKey([&](const std::string& path, const Values& values, bool) {
    changes.push_back({RegistryChange::Kind::CreateKey, path, {}, {}});
    for (const auto& [name, value] : values) {
      changes.push_back({RegistryChange::Kind::SetValue, path, name, value});
    }
  });
  return changes;
}

void RegistryTree::ForEachKey(
    const std::function<void(const std::string&, const Values&, bool)>& visit) const {
  for (const Key& top : root_.subkeys) {
    std::string path = top.name;
    Visit(top, path, visit);
  }
}

void RegistryTree::Visit(
    const Key& key, std::string& path,
    const std::function<void(const std::string&, const Values&, bool)>& visit) {
  visit(path, key.values, !key.subkeys.empty());
  for (const Key& child : key.subkeys) {
    const std::size_t length = path.size();
    path += '\\';
    path += child.name;
    Visit(child, path, visit);
    path.resize(length);
  }
}

}  // namespace host
