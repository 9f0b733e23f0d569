#include "host/RegistryFile.h"

#include <pwd.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <utility>

#include "host/FileOps.h"
#include "host/RegistryText.h"

namespace host {

using Kind = RegistryChange::Kind;

bool MemoryRegistryStore::CreateKey(const std::string& path) {
  if (!SplitKeyPath(path)) return false;
  if (!tree_.HasKey(path)) Commit({Kind::CreateKey, path, {}, {}});
  return tree_.HasKey(path);
}

std::optional<RegValue> MemoryRegistryStore::GetValue(const std::string& key,
                                                      const std::string& name) {
  return tree_.GetValue(key, name);
}

void MemoryRegistryStore::SetValue(const std::string& key, const std::string& name,
                                   const RegValue& value) {
  if (SplitKeyPath(key)) Commit({Kind::SetValue, key, name, value});
}

void MemoryRegistryStore::DeleteValue(const std::string& key, const std::string& name) {
  if (SplitKeyPath(key)) Commit({Kind::DeleteValue, key, name, {}});
}

void MemoryRegistryStore::DeleteKey(const std::string& key, const std::string& name) {
  if (SplitKeyPath(key)) Commit({Kind::DeleteKey, key, name, {}});
}

std::vector<std::pair<std::string, RegValue>> MemoryRegistryStore::Values(const std::string& key) {
  return tree_.ValuesOf(key);
}

std::vector<std::string> MemoryRegistryStore::Subkeys(const std::string& key) {
  return tree_.Subkeys(key);
}

std::optional<std::string> MemoryRegistryStore::Batch(const std::function<void()>& changes) {
  changes();
  return std::nullopt;
}

void MemoryRegistryStore::Commit(const RegistryChange& change) {
  tree_.Apply(change);
}

namespace {

void Tell(const std::string& message) {
  std::fprintf(stderr, "skirmora: %s\n", message.c_str());
}

std::string Quoted(const std::string& path) {
  return "\"" + path + "\"";
}

// "YYYYMMDD-HHMMSS" in local time, as the person looking for the file reads clocks.
std::string TimeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

}  // namespace

FileRegistryStore::FileRegistryStore(std::string path) : path_(std::move(path)) {
  // Deliberate: a file-size limit must make a save fail the way a full disk does, not kill
  // the game.
  std::signal(SIGXFSZ, SIG_IGN);
  Sync(true);
}

std::vector<std::string> FileRegistryStore::TakeNotices() {
  return std::exchange(notices_, {});
}

void FileRegistryStore::Commit(const RegistryChange& change) {
  MemoryRegistryStore::Commit(change);
  if (neverWrite_) return;
  unsaved_.push_back(change);
  if (!inBatch_) Sync(false);
}

// Deliberate: a batch (the quit's save) is one replacement of the whole file, never value by
// value, which a kill could leave half-done.
std::optional<std::string> FileRegistryStore::Batch(const std::function<void()>& changes) {
  std::optional<std::string> problem;
  if (!neverWrite_) problem = fileops::MakeFolders(fileops::FolderOf(path_));
  std::string lockProblem;
  const std::optional<fileops::FileLock> lock =
      neverWrite_ || problem ? std::nullopt : fileops::FileLock::Take(path_ + ".lock", lockProblem);
  if (!neverWrite_ && !problem && !lock) problem = lockProblem;
  // Held from this reading to the writing: what `changes` reads is what is stored, and no
  // other instance can store anything in between.
  if (lock) Load(true);
  inBatch_ = true;
  struct EndBatch {
    bool& inBatch;
    ~EndBatch() { inBatch = false; }
  } endBatch{inBatch_};
  changes();
  if (neverWrite_) {
    return "the settings were not saved to " + Quoted(path_) +
           ", which could not be read and is left untouched";
  }
  if (problem) return ReportWriteFailure(*problem, true);
  return WriteUnsaved(true);
}

void FileRegistryStore::Sync(bool opening) {
  if (!unsaved_.empty()) {
    if (auto problem = fileops::MakeFolders(fileops::FolderOf(path_))) {
      ReportWriteFailure(*problem, false);
      return;
    }
  }
  // Reading needs no lock (the file is only ever replaced whole), but moving a damaged file
  // aside and clearing away leftovers do, so the lock is taken whenever it can be.
  std::string lockProblem;
  const std::optional<fileops::FileLock> lock =
      fileops::FileLock::Take(path_ + ".lock", lockProblem);
  if (!unsaved_.empty() && !lock) {
    ReportWriteFailure(lockProblem, false);
    return;
  }
  // Under the lock no write is under way, so every temporary file there is a leftover.
  if (opening && lock) fileops::RemoveLeftoverTemporaries(path_);
  if (Load(lock.has_value())) WriteUnsaved(false);
}

bool FileRegistryStore::Load(bool locked) {
  const fileops::FileContents file = fileops::ReadWholeFile(path_, kMaxFileBytes);
  if (file.status == fileops::FileContents::Status::Failed) {
    NeverWrite("cannot read the settings: " + file.problem +
               ". The game starts without them and will not overwrite the file.");
    return false;
  }
  RegistryTree stored;
  onDisk_.reset();
  if (file.status == fileops::FileContents::Status::Read) {
    onDisk_ = file.bytes;
    RegistryParseResult parsed = ParseRegistryText(file.bytes);
    if (parsed.badLines > 0) {
      if (!SetDamagedFileAside(parsed, locked)) return false;
      // The file is gone now; what could be read of it is saved again as if newly written,
      // and until that has worked it counts as unsaved.
      const std::vector<RegistryChange> salvaged = parsed.tree.AsChanges();
      unsaved_.insert(unsaved_.begin(), salvaged.begin(), salvaged.end());
      rewriteDue_ = true;
    } else {
      stored = std::move(parsed.tree);
    }
  }
  for (const RegistryChange& change : unsaved_) stored.Apply(change);
  Tree() = std::move(stored);
  return true;
}

std::optional<std::string> FileRegistryStore::WriteUnsaved(bool batch) {
  if (unsaved_.empty() && !rewriteDue_) return std::nullopt;
  std::string text = FormatRegistryText(Tree());
  // Changes that leave the file as it is (a value set to what it already was, as every
  // start sets the game's folder) cost no write: replacing a file waits for the disk.
  if (!rewriteDue_ && onDisk_ == text) {
    unsaved_.clear();
    return std::nullopt;
  }
  const auto problem = fileops::ReplaceFile(path_, text);
  if (!problem || problem->replaced) {
    // The file holds everything now, even when the disk has not confirmed it yet.
    unsaved_.clear();
    rewriteDue_ = false;
    keptAside_.clear();
    onDisk_ = std::move(text);
  }
  if (problem) return ReportWriteFailure(problem->what, batch, problem->replaced);
  return std::nullopt;
}

bool FileRegistryStore::SetDamagedFileAside(const RegistryParseResult& parsed, bool locked) {
  std::string what = "the settings file " + Quoted(path_) + " is damaged: line " +
                     std::to_string(parsed.firstBadLine) + ": " + parsed.firstProblem;
  if (parsed.badLines > 1) {
    what += " (" + std::to_string(parsed.badLines - 1) + " more line" +
            (parsed.badLines > 2 ? "s" : "") + " could not be read either)";
  }
  fileops::MovedAside aside;
  if (locked) aside = fileops::MoveAside(path_, ".corrupt-" + TimeStamp());
  if (!locked || aside.problem) {
    // Without a copy of the original, writing would destroy what could not be read.
    Tree() = parsed.tree;
    for (const RegistryChange& change : unsaved_) Tree().Apply(change);
    NeverWrite(what + ". It could not be set aside, so it is left untouched and not overwritten;" +
               " the game goes on with the lines that could be read.");
    return false;
  }
  keptAside_ = aside.path;
  Notice(what + ". The original was kept as " + Quoted(aside.path) +
         "; the lines that could be read are kept and saved again.");
  return true;
}

std::string FileRegistryStore::ReportWriteFailure(const std::string& problem, bool batch,
                                                  bool replaced) {
  // Deliberate: each message says what became of the file, which is what the player needs to
  // know.
  std::string what;
  if (replaced) {
    what = "the settings were saved to " + Quoted(path_) +
           ", but the disk did not confirm it: " + problem +
           ". The file was replaced, but a crash of the system could still bring " +
           "back the old one";
  } else {
    what = "cannot save the settings to " + Quoted(path_) + ": " + problem + ". " +
           (keptAside_.empty() ? "The file was left as it was"
                               : "The damaged file was kept as " + Quoted(keptAside_) +
                                     ", and no new file was written in its place");
  }
  // A batch is a save the player asked for, so it is told every time; a change written
  // through is told once, and kept for the next write.
  if (batch) {
    Tell(what + ".");
  } else if (!writeFailureReported_) {
    writeFailureReported_ = true;
    Tell(replaced ? what + "."
                  : what +
                        "; changes are kept while the game runs and saved as soon as writing "
                        "works again.");
  }
  return what + ".";
}

void FileRegistryStore::NeverWrite(const std::string& message) {
  neverWrite_ = true;
  unsaved_.clear();
  Notice(message);
}

void FileRegistryStore::Notice(const std::string& message) {
  Tell(message);
  notices_.push_back(message);
}

std::string DefaultRegistryPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string folder;
  if (config && config[0] == '/') {
    folder = config;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
      const passwd* user = ::getpwuid(::getuid());
      home = user && user->pw_dir ? user->pw_dir : ".";
    }
    folder = std::string(home) + "/.config";
  }
  return folder + "/skirmora/settings.reg";
}

}  // namespace host
