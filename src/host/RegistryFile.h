#pragma once
#include <string>
#include <vector>

#include "host/RegistryStore.h"
#include "host/RegistryTree.h"

namespace host {

struct RegistryParseResult;

// A registry store that lives only as long as the object: for tests and the headless runner.
// Key paths must be non-empty names separated by single backslashes, without control
// characters; CreateKey refuses others and writes to them are dropped.
class MemoryRegistryStore : public RegistryStore {
 public:
  bool CreateKey(const std::string& path) override;
  std::optional<RegValue> GetValue(const std::string& key, const std::string& name) override;
  void SetValue(const std::string& key, const std::string& name, const RegValue& value) override;
  void DeleteValue(const std::string& key, const std::string& name) override;
  void DeleteKey(const std::string& key, const std::string& name) override;
  std::vector<std::pair<std::string, RegValue>> Values(const std::string& key) override;
  std::vector<std::string> Subkeys(const std::string& key) override;

 protected:
  // Every change goes through here; a store kept in a file also writes it through.
  virtual void Commit(const RegistryChange& change);
  RegistryTree& Tree() { return tree_; }

 private:
  RegistryTree tree_;
};

// The memory store kept in one human-readable text file (see RegistryText.h for its form).
// Every change is written through at once and atomically, under a lock shared with other
// instances of the game: the file is read again, the change applied to what it holds, and
// the result put in place of the file. Two instances running at once therefore keep each
// other's changes to different values.
//
// Nothing is thrown and nothing already stored is lost. A file that cannot be read as a
// whole is moved aside to "<file>.corrupt-YYYYMMDD-HHMMSS" and what could be read is kept and
// saved again. When the file cannot be written, it stays exactly as it was, the store carries
// on in memory, and the changes are written with the next write that succeeds. A file that
// cannot be read at all is never overwritten. Each trouble is told once on stderr.
class FileRegistryStore : public MemoryRegistryStore {
 public:
  // Reads the file; a missing file (or folder) is an empty store and is created by the first
  // change.
  explicit FileRegistryStore(std::string path);

 protected:
  void Commit(const RegistryChange& change) override;

 private:
  // Under the lock: reads the file, replays the changes not yet stored on top of it and, when
  // there are any, writes the result.
  void Sync();
  // Deals with a file holding lines that cannot be read; false when it has to be left alone.
  bool SetDamagedFileAside(const RegistryParseResult& parsed, bool locked);
  void ReportWriteFailure(const std::string& problem);
  void NeverWrite(const std::string& message);

  std::string path_;
  std::vector<RegistryChange> unsaved_;
  bool neverWrite_ = false;
  bool writeFailureReported_ = false;
};

// $XDG_CONFIG_HOME/skirmora/settings.reg, or ~/.config/skirmora/settings.reg when
// XDG_CONFIG_HOME is unset, empty or not an absolute path.
std::string DefaultRegistryPath();

}  // namespace host
