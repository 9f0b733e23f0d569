#include "host/RegistryFile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>

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
  Sync();
}

void FileRegistryStore::Commit(const RegistryChange& change) {
  MemoryRegistryStore::Commit(change);
  if (neverWrite_) return;
  unsaved_.push_back(change);
  Sync();
}

void FileRegistryStore::Sync() {
  const bool writing = !unsaved_.empty();
  if (writing) {
    if (auto problem = fileops::MakeFolders(fileops::FolderOf(path_))) {
      return ReportWriteFailure(*problem);
    }
  }
  // Reading needs no lock (the file is only ever replaced whole), but moving a damaged file
  // aside does, so the lock is taken whenever it can be.
  std::string lockProblem;
  const std::optional<fileops::FileLock> lock =
      fileops::FileLock::Take(path_ + ".lock", lockProblem);
  if (writing && !lock) return ReportWriteFailure(lockProblem);

  const fileops::FileContents file = fileops::ReadWholeFile(path_);
  if (file.status == fileops::FileContents::Status::Failed) {
    return NeverWrite("cannot read the settings: " + file.problem +
                      ". The game starts without them and will not overwrite the file.");
  }
  RegistryTree stored;
  bool setAside = false;
  if (file.status == fileops::FileContents::Status::Read) {
    RegistryParseResult parsed = ParseRegistryText(file.bytes);
    if (parsed.badLines > 0) {
      if (!SetDamagedFileAside(parsed, lock.has_value())) return;
      // The file is gone now; what could be read of it is saved again as if newly written,
      // and until that has worked it counts as unsaved.
      const std::vector<RegistryChange> salvaged = parsed.tree.AsChanges();
      unsaved_.insert(unsaved_.begin(), salvaged.begin(), salvaged.end());
      setAside = true;
    } else {
      stored = std::move(parsed.tree);
    }
  }
  for (const RegistryChange& change : unsaved_) stored.Apply(change);
  if (!unsaved_.empty() || setAside) {
    if (auto problem = fileops::ReplaceFile(path_, FormatRegistryText(stored))) {
      ReportWriteFailure(*problem);
    } else {
      unsaved_.clear();
    }
  }
  Tree() = std::move(stored);
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
  Tell(what + ". The original was kept as " + Quoted(aside.path) +
       "; the lines that could be read are kept and saved again.");
  return true;
}

void FileRegistryStore::ReportWriteFailure(const std::string& problem) {
  if (writeFailureReported_) return;
  writeFailureReported_ = true;
  Tell("cannot save the settings to " + Quoted(path_) + ": " + problem +
       ". The file was left as it was; changes are kept while the game runs and saved as soon "
       "as writing works again.");
}

void FileRegistryStore::NeverWrite(const std::string& message) {
  neverWrite_ = true;
  unsaved_.clear();
  Tell(message);
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
