// The settings file when the file system gets in the way: files that cannot be read or
// written, a full disk, and two instances of the game writing at once. The tests run as
// root as well, where permissions stop nothing, so each obstacle is one that holds for root
// too: a folder that is really a file, a lock file that is really a folder, a file size limit.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "host/FileOps.h"
#include "host/RegistryFile.h"

using host::RegValue;

namespace {

const std::string kGameKey = "HKEY_CURRENT_USER\\Software\\Bramblecrest\\Skirmora";

// The values the game keeps, as SaveSettings and the start-up leave them.
void WriteGameValues(host::RegistryStore& store) {
  for (int i = 1; i <= 10; ++i) {
    store.SetValue(kGameKey, "High Score " + std::to_string(i), RegValue::String("   =0"));
  }
  for (const char* button :
       {"Fire button", "Shields button", "Bomb button", "Next Weapon button"}) {
    store.SetValue(kGameKey, button, RegValue::Dword(1));
  }
  store.SetValue(kGameKey, "Greeted", RegValue::Dword(-1));
  store.SetValue(kGameKey, "Location", RegValue::String("/usr/games/skirmora"));
}

int CountLines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class RegistryFileTrouble : public ::testing::Test {
 protected:
  std::string Path() const { return folder_ / "settings.reg"; }
  std::vector<std::string> FolderContents() const { return folder_.Contents(); }

  TempFolder folder_, logs_;
};

TEST_F(RegistryFileTrouble, AFileThatCannotBeReadIsNeverOverwritten) {
  // Reading a folder fails for root too.
  std::filesystem::create_directory(Path());
  WriteFileBytes(Path() + "/keep", "mine");

  ::testing::internal::CaptureStderr();
  host::FileRegistryStore store(Path());
  store.SetValue(kGameKey, "Greeted", RegValue::Dword(-1));
  store.SetValue(kGameKey, "Fire button", RegValue::Dword(2));
  const std::string message = ::testing::internal::GetCapturedStderr();

  EXPECT_EQ(CountLines(message), 1) << message;
  EXPECT_NE(message.find("cannot read the settings"), std::string::npos) << message;
  EXPECT_NE(message.find(Path()), std::string::npos) << message;
  EXPECT_EQ(store.GetValue(kGameKey, "Fire button"), RegValue::Dword(2));
  EXPECT_TRUE(std::filesystem::is_directory(Path()));
  EXPECT_EQ(ReadFileBytes(Path() + "/keep"), "mine");
}

TEST_F(RegistryFileTrouble, AFolderThatCannotBeMadeLeavesTheStoreWorkingInMemory) {
  WriteFileBytes(folder_ / "config", "a file where the folder should be");
  const std::string path = folder_ / "config/skirmora/settings.reg";

  ::testing::internal::CaptureStderr();
  host::FileRegistryStore store(path);
  EXPECT_TRUE(store.CreateKey(kGameKey));
  WriteGameValues(store);
  const std::string message = ::testing::internal::GetCapturedStderr();

  EXPECT_EQ(CountLines(message), 1) << message;  // once, not at every write
  EXPECT_NE(message.find("cannot save the settings to \"" + path + "\""), std::string::npos)
      << message;
  EXPECT_EQ(store.Values(kGameKey).size(), 16u);
  EXPECT_EQ(ReadFileBytes(folder_ / "config"), "a file where the folder should be");
}

TEST_F(RegistryFileTrouble, ChangesThatCouldNotBeWrittenAreWrittenWithTheNextWriteThatWorks) {
  host::FileRegistryStore store(Path());
  store.SetValue(kGameKey, "a", RegValue::Dword(1));
  const std::string before = ReadFileBytes(Path());
  // A folder in place of the lock file stops every write, root's too; so does a link, which
  // is not followed (it could lead anywhere, and the lock file would be made there).
  std::filesystem::remove(Path() + ".lock");
  std::filesystem::create_directory(Path() + ".lock");

  ::testing::internal::CaptureStderr();
  store.SetValue(kGameKey, "b", RegValue::Dword(2));
  std::filesystem::remove(Path() + ".lock");
  std::filesystem::create_symlink(folder_ / "elsewhere", Path() + ".lock");
  store.DeleteValue(kGameKey, "a");
  EXPECT_EQ(CountLines(::testing::internal::GetCapturedStderr()), 1);
  EXPECT_EQ(ReadFileBytes(Path()), before);
  EXPECT_EQ(store.GetValue(kGameKey, "a"), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "elsewhere"));

  std::filesystem::remove(Path() + ".lock");
  store.SetValue(kGameKey, "c", RegValue::Dword(3));
  EXPECT_EQ(host::FileRegistryStore(Path()).Values(kGameKey),
            (std::vector<std::pair<std::string, RegValue>>{{"b", RegValue::Dword(2)},
                                                           {"c", RegValue::Dword(3)}}));
}

// Whichever step of a save fails, the message says what became of the file: only a folder
// that could not be flushed leaves it replaced. A damaged file set aside is named.
TEST_F(RegistryFileTrouble, AFailedSaveSaysWhatBecameOfTheFile) {
  using host::fileops::ReplaceStep;
  struct Healed {
    ~Healed() { host::fileops::FailReplaceAt(std::nullopt); }
  } healed;
  const struct {
    ReplaceStep step;
    std::string doing, outcome;
  } cases[] = {
      {ReplaceStep::Write, "writing", "The file was left as it was."},
      {ReplaceStep::Flush, "flushing", "The file was left as it was."},
      {ReplaceStep::Rename, "renaming", "The file was left as it was."},
      {ReplaceStep::FlushFolder, "flushing the folder",
       "The file was replaced, but a crash of the system could still bring back the old one."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.doing);
    host::FileRegistryStore store(Path());
    store.SetValue(kGameKey, "Fire button", RegValue::Dword(1));
    const std::string before = ReadFileBytes(Path());
    host::fileops::FailReplaceAt(c.step, EIO);
    ::testing::internal::CaptureStderr();
    const auto said =
        store.Batch([&] { store.SetValue(kGameKey, "Fire button", RegValue::Dword(2)); });
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "skirmora: " + said.value_or("") + "\n");
    host::fileops::FailReplaceAt(std::nullopt);
    ASSERT_TRUE(said.has_value());
    EXPECT_NE(said->find(c.doing + " \""), std::string::npos) << *said;
    EXPECT_TRUE(said->ends_with("Input/output error. " + c.outcome)) << *said;
    const bool replaced = c.step == ReplaceStep::FlushFolder;
    EXPECT_EQ(ReadFileBytes(Path()) != before, replaced);
    EXPECT_EQ(FolderContents(), (std::vector<std::string>{"settings.reg", "settings.reg.lock"}));
  }

  WriteFileBytes(Path(), "[K\\S]\n\"a\"=\"x\\qy\"\n");
  host::fileops::FailReplaceAt(ReplaceStep::Rename, EIO);
  ::testing::internal::CaptureStderr();
  host::FileRegistryStore store(Path());
  const auto said = store.Batch([] {});
  ::testing::internal::GetCapturedStderr();
  const std::vector<std::string> files = FolderContents();
  ASSERT_EQ(files.size(), 2u);  // the damaged file under its new name, and the lock file
  ASSERT_TRUE(said.has_value());
  EXPECT_TRUE(said->ends_with("The damaged file was kept as \"" + (folder_ / files[0]) +
                              "\", and no new file was written in its place."))
      << *said;
}

// A file size limit is a full disk that holds for root too. SIGXFSZ keeps its default action
// (ending the process): the store must see to it.
TEST_F(RegistryFileTrouble, AFullDiskLeavesTheOldFileByteForByteAndKillsNothing) {
  {
    host::FileRegistryStore store(Path());
    WriteGameValues(store);
  }
  const std::string before = ReadFileBytes(Path());
  const std::string errors = logs_ / "stderr", said = logs_ / "batch";
  const RegValue longText = RegValue::String(std::string(4000, 'x'));

  const int status = RunInChild(
      [&] {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{before.size(), before.size()};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
        host::FileRegistryStore store(Path());
        store.SetValue(kGameKey, "Location", longText);
        store.SetValue(kGameKey, "Greeted", RegValue::Dword(0));
        if (store.GetValue(kGameKey, "Location") != longText) return 1;
        if (store.GetValue(kGameKey, "Greeted") != RegValue::Dword(0)) return 2;
        if (store.Values(kGameKey).size() != 16) return 3;
        const auto saved = store.Batch([&] {
          for (int i = 1; i <= 10; ++i)
            store.SetValue(kGameKey, "High Score " + std::to_string(i), RegValue::String("NEW=22"));
        });
        WriteFileBytes(said, saved.value_or(""));
        return saved ? 0 : 4;
      },
      errors);

  EXPECT_EQ(status, 0) << "4: the batch reported no trouble; above 128: killed";
  EXPECT_EQ(ReadFileBytes(Path()), before);
  EXPECT_EQ(FolderContents(), (std::vector<std::string>{"settings.reg", "settings.reg.lock"}));
  const std::string message = ReadFileBytes(errors);
  EXPECT_EQ(CountLines(message), 2) << message;  // once for the writes, once for the batch
  EXPECT_NE(message.find("cannot save the settings"), std::string::npos) << message;
  const std::string batch = ReadFileBytes(said);
  EXPECT_NE(batch.find("cannot save the settings to \"" + Path() + "\": writing"),
            std::string::npos)
      << batch;
  EXPECT_NE(batch.find("File too large"), std::string::npos) << batch;
}

TEST_F(RegistryFileTrouble, AnOrdinaryUsersPermissionsAreHonoured) {
  // Root is not stopped by permissions, so the store runs in a child that has given root up.
  const bool root = ::geteuid() == 0;
  const uid_t nobody = 65534;
  const auto prepare = [&](const std::string& name, std::filesystem::perms folderMode,
                           std::filesystem::perms fileMode) {
    const std::string folder = folder_ / name, path = folder + "/settings.reg";
    std::filesystem::create_directory(folder);
    {
      host::FileRegistryStore store(path);
      WriteGameValues(store);
    }
    std::filesystem::permissions(path, fileMode);
    std::filesystem::permissions(folder, folderMode);
    if (root) {
      for (const std::string& owned : {folder, path, path + ".lock"}) {
        EXPECT_EQ(::chown(owned.c_str(), nobody, nobody), 0) << owned;
      }
    }
    return std::make_pair(path, ReadFileBytes(path));
  };
  using std::filesystem::perms;
  std::filesystem::permissions(folder_.Path(), perms::owner_all | perms::others_exec);
  const auto readOnlyFile = prepare("file", perms::owner_all, perms::owner_read);
  const auto readOnlyFolder = prepare("folder", perms::owner_read | perms::owner_exec,
                                      perms::owner_read | perms::owner_write);
  const auto unreadableFile = prepare("secret", perms::owner_all, perms::none);
  const std::string errors = logs_ / "stderr";

  const int status = RunInChild(
      [&] {
        if (root && (::setgid(nobody) != 0 || ::setuid(nobody) != 0)) return 10;
        int failures = 0;
        for (const auto& [path, bytes] : {readOnlyFile, readOnlyFolder, unreadableFile}) {
          host::FileRegistryStore store(path);
          store.SetValue(kGameKey, "Greeted", RegValue::Dword(0));
          store.SetValue(kGameKey, "Fire button", RegValue::Dword(4));
          if (store.GetValue(kGameKey, "Fire button") != RegValue::Dword(4)) ++failures;
        }
        return failures;
      },
      errors);

  EXPECT_EQ(status, 0);
  for (const auto& [path, bytes] : {readOnlyFile, readOnlyFolder, unreadableFile}) {
    EXPECT_EQ(ReadFileBytes(path), bytes) << path;
    EXPECT_EQ(std::distance(
                  std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()),
                  std::filesystem::directory_iterator()),
              2)
        << "only the file and its lock file in the folder of " << path;
  }
  const std::string message = ReadFileBytes(errors);
  EXPECT_EQ(CountLines(message), 3) << message;
  EXPECT_NE(message.find("cannot save the settings to \"" + readOnlyFile.first), std::string::npos);
  EXPECT_NE(message.find("cannot save the settings to \"" + readOnlyFolder.first),
            std::string::npos);
  EXPECT_NE(message.find("cannot read the settings: opening \"" + unreadableFile.first),
            std::string::npos);
}

TEST_F(RegistryFileTrouble, TwoInstancesWritingAtOnceKeepEveryValue) {
  constexpr int kWrites = 150;
  const auto writer = [&](const std::string& who) {
    return [&, who](const std::function<void()>& awaitStart) {
      awaitStart();
      host::FileRegistryStore store(Path());
      for (int i = 0; i < kWrites; ++i)
        store.SetValue(kGameKey, who + std::to_string(i), RegValue::Dword(i));
      return 0;
    };
  };
  EXPECT_EQ(RunInChildren({writer("first "), writer("second ")}), (std::vector<int>{0, 0}));

  ::testing::internal::CaptureStderr();
  host::FileRegistryStore store(Path());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(store.Values(kGameKey).size(), 2u * kWrites);
  for (const std::string who : {"first ", "second "}) {
    for (int i = 0; i < kWrites; ++i) {
      EXPECT_EQ(store.GetValue(kGameKey, who + std::to_string(i)), RegValue::Dword(i)) << who << i;
    }
  }
  EXPECT_EQ(FolderContents(), (std::vector<std::string>{"settings.reg", "settings.reg.lock"}));
}

}  // namespace
