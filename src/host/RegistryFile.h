#pragma once
#include <cstddef>
#include <optional>
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
  std::optional<std::string> Batch(const std::function<void()>& changes) override;
  std::vector<std::string> TakeNotices() override { return {}; }

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
// other's changes to different values. A batch of changes is written the same way, in one
// replacement of the file.
//
// Nothing is thrown and nothing already stored is lost. A file that cannot be read as a
// whole is moved aside to "<file>.corrupt-YYYYMMDD-HHMMSS" and what could be read is kept and
// saved again. When the file cannot be written, it stays exactly as it was, the store carries
// on in memory, and the changes are written with the next write that succeeds (a file that
// was replaced but whose folder the disk would not flush counts as written, and is told). Every
// message says what became of the file. A file that cannot be read at all (also a folder, a named
// pipe or a device in its place, or a file of more than kMaxFileBytes) is never overwritten. A
// symbolic link in its place stays a link. Each trouble is told once on stderr; those met at
// opening are also kept for TakeNotices.
class FileRegistryStore : public MemoryRegistryStore {
 public:
  // The real file is a few hundred bytes; this only stops a runaway read.
  static constexpr std::size_t kMaxFileBytes = 4 << 20;

  // Reads the file; a missing file (or folder) is an empty store and is created by the first
  // change. Removes the temporary files of writes that were cut short.
  explicit FileRegistryStore(std::string path);

  std::optional<std::string> Batch(const std::function<void()>& changes) override;
  std::vector<std::string> TakeNotices() override;

 protected:
  void Commit(const RegistryChange& change) override;

 private:
  // Under the lock: reads the file, replays the changes not yet stored on top of it and, when
  // there are any, writes the result.
  void Sync(bool opening);
  // Reads the file into the tree and replays the unsaved changes; false when the store must
  // not write any more.
  bool Load(bool locked);
  // Writes the tree when anything in it is not yet stored; the trouble, when there was one.
  std::optional<std::string> WriteUnsaved(bool batch);
  // Deals with a file holding lines that cannot be read; false when it has to be left alone.
  bool SetDamagedFileAside(const RegistryParseResult& parsed, bool locked);
  // `replaced`: the file was replaced all the same, but the disk has not confirmed it.
  std::string ReportWriteFailure(const std::string& problem, bool batch, bool replaced = false);
  void NeverWrite(const std::string& message);
  void Notice(const std::string& message);

  std::string path_;
  std::vector<RegistryChange> unsaved_;
  bool rewriteDue_ = false;            // the file was set aside and must be written anew
  std::string keptAside_;              // where, until it has been
  std::optional<std::string> onDisk_;  // the file's text as last read or written, if any
  bool inBatch_ = false;
  bool neverWrite_ = false;
  bool writeFailureReported_ = false;
  std::vector<std::string> notices_;
};

// $XDG_CONFIG_HOME/skirmora/settings.reg, or ~/.config/skirmora/settings.reg when
// XDG_CONFIG_HOME is unset, empty or not an absolute path.
std::string DefaultRegistryPath();

}  // namespace host
