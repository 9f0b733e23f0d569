// The settings file when the file system gets in the way: files that cannot be read or
// written, a full disk, something other than a plain file of ours at its path, a write cut
// short, and saves made as one batch. The tests run as root as well, where permissions stop
// nothing, so each obstacle is one that holds for root too: a folder that is really a file, a
// lock file that is really a folder, a file size limit.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
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
namespace fs = std::filesystem;

namespace {

const std::string kGameKey = "HKEY_CURRENT_USER\\Software\\Bramblecrest\\Skirmora";

int CountLines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class RegistryFileTrouble : public ::testing::Test {
 protected:
  std::string Path() const { return folder_ / "settings.reg"; }
  std::vector<std::string> FolderContents() const { return folder_.Contents(); }

  TempFolder folder_, other_;  // other_: for logs, or where a link leads
};

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
    host::FileRegistryStore store(Path());  // as many values as the game keeps
    for (int i = 1; i <= 16; ++i)
      store.SetValue(kGameKey, "High Score " + std::to_string(i), RegValue::String("   =0"));
  }
  const std::string before = ReadFileBytes(Path());
  const std::string errors = other_ / "stderr", said = other_ / "batch";
  const RegValue longText = RegValue::String(std::string(4000, 'x'));

  const int status = RunInChild(
      [&] {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{before.size(), before.size()};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
        host::FileRegistryStore store(Path());
        store.SetValue(kGameKey, "Location", longText);
        if (store.GetValue(kGameKey, "Location") != longText) return 1;
        if (store.Values(kGameKey).size() != 17) return 3;
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

TEST_F(RegistryFileTrouble, SomethingThatIsNoFileIsNeitherWaitedForNorReplaced) {
  struct Case {
    const char* what;
    std::function<void()> make;
    const char* said;
  };
  const std::vector<Case> cases = {
      {"named pipe", [&] { ASSERT_EQ(::mkfifo(Path().c_str(), 0600), 0); }, "is a named pipe"},
      {"link to an endless device", [&] { fs::create_symlink("/dev/zero", Path()); },
       "is a device"},
      {"folder", [&] { fs::create_directory(Path()); }, "is a folder"},
      {"huge file", [&] { fs::resize_file((WriteFileBytes(Path(), "x"), Path()), 5 << 20); },
       "is larger than 4194304 bytes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(Path());
    c.make();
    const fs::file_type type = fs::symlink_status(Path()).type();

    ::testing::internal::CaptureStderr();
    std::optional<std::string> saved;
    std::vector<std::string> notices;
    {
      host::FileRegistryStore store(Path());
      notices = store.TakeNotices();
      store.SetValue(kGameKey, "Greeted", RegValue::Dword(-1));
      saved = store.Batch([&] { store.SetValue(kGameKey, "Fire button", RegValue::Dword(2)); });
      EXPECT_EQ(store.GetValue(kGameKey, "Fire button"), RegValue::Dword(2)) << "plays on";
      EXPECT_TRUE(store.TakeNotices().empty()) << "a notice is handed out once";
    }
    const std::string said = ::testing::internal::GetCapturedStderr();

    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("\"" + Path() + "\" " + c.said), std::string::npos) << notices[0];
    EXPECT_NE(said.find(notices[0]), std::string::npos) << said;
    ASSERT_TRUE(saved.has_value());
    EXPECT_NE(saved->find("not saved to \"" + Path() + "\""), std::string::npos) << *saved;
    EXPECT_EQ(fs::symlink_status(Path()).type(), type);
  }
  EXPECT_EQ(fs::file_size(Path()), 5u << 20) << "the huge file is left alone";
}

// A link stays a link: the file it leads to is replaced whole (by a rename, not written over
// in place), kept aside beside itself when damaged, and never made when it does not exist.
TEST_F(RegistryFileTrouble, ALinkStaysALinkAndOnlyTheFileItLeadsToIsReplacedOrKeptAside) {
  const std::string target = other_ / "skirmora.reg";
  const auto linked = [&](const std::string& bytes) {
    fs::remove(Path());
    WriteFileBytes(target, bytes);
    fs::create_symlink(target, Path());
    return InodeOf(target);
  };
  const ino_t before = linked("[" + kGameKey + "]\n\"High Score 1\"=\"OLD=1\"\n");
  {
    host::FileRegistryStore store(Path());
    EXPECT_EQ(store.GetValue(kGameKey, "High Score 1"), RegValue::String("OLD=1"));
    EXPECT_EQ(
        store.Batch([&] { store.SetValue(kGameKey, "High Score 1", RegValue::String("NEW=2")); }),
        std::nullopt);
  }
  EXPECT_EQ(fs::read_symlink(Path()), target);
  EXPECT_NE(InodeOf(target), before);
  EXPECT_EQ(host::FileRegistryStore(target).GetValue(kGameKey, "High Score 1"),
            RegValue::String("NEW=2"));
  EXPECT_EQ(other_.Contents(), (std::vector<std::string>{"skirmora.reg", "skirmora.reg.lock"}));
  EXPECT_EQ(folder_.Contents(), (std::vector<std::string>{"settings.reg", "settings.reg.lock"}));

  const std::string damaged = "[K\\S]\n\"a\"=\"1\"\n\"b\"=\"x\\qy\"\n";
  linked(damaged);
  ::testing::internal::CaptureStderr();
  host::FileRegistryStore store(Path());
  const std::string message = ::testing::internal::GetCapturedStderr();
  store.SetValue("K\\S", "c", RegValue::Dword(3));
  EXPECT_EQ(fs::read_symlink(Path()), target);
  const std::vector<std::string> kept = other_.Contents();
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_TRUE(kept[1].starts_with("skirmora.reg.corrupt-")) << kept[1];
  EXPECT_EQ(ReadFileBytes(other_ / kept[1]), damaged);
  EXPECT_NE(message.find("kept as \"" + (other_ / kept[1]) + "\""), std::string::npos) << message;
  EXPECT_EQ(host::FileRegistryStore(target).Values("K\\S"),
            (std::vector<std::pair<std::string, RegValue>>{{"a", RegValue::String("1")},
                                                           {"c", RegValue::Dword(3)}}));

  fs::remove(Path());
  fs::create_symlink(other_ / "missing/skirmora.reg", Path());
  ::testing::internal::CaptureStderr();
  host::FileRegistryStore dangling(Path());
  const auto saved =
      dangling.Batch([&] { dangling.SetValue(kGameKey, "Greeted", RegValue::Dword(-1)); });
  ::testing::internal::GetCapturedStderr();
  ASSERT_TRUE(saved.has_value());
  EXPECT_NE(saved->find("is a link to a file that does not exist"), std::string::npos) << *saved;
  EXPECT_FALSE(fs::exists(other_ / "missing"));
  EXPECT_TRUE(fs::is_symlink(Path()));
}

// Asking beforehand whether a file could be replaced (as --record does; the command-line
// test sees a refusal) leaves no trace.
TEST_F(RegistryFileTrouble, WhetherAFileCouldBeReplacedIsKnownBeforehandWithoutATrace) {
  using host::fileops::CheckReplaceable;
  EXPECT_EQ(CheckReplaceable(Path()), std::nullopt);
  ASSERT_FALSE(host::fileops::ReplaceFile(Path(), "kept"));
  EXPECT_EQ(CheckReplaceable(Path()), std::nullopt);
  fs::create_directory(folder_ / "a-folder");
  EXPECT_NE(CheckReplaceable(folder_ / "a-folder").value_or("").find("folder"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(folder_ / "a-folder"));
  EXPECT_EQ(FolderContents(), (std::vector<std::string>{"a-folder", "settings.reg"}));
  EXPECT_EQ(ReadFileBytes(Path()), "kept");
}

TEST_F(RegistryFileTrouble, LeftoversOfAWriteCutShortAreRemovedAtTheNextStartAndNothingElse) {
  {
    host::FileRegistryStore store(Path());
    store.SetValue(kGameKey, "Greeted", RegValue::Dword(-1));
  }
  const std::vector<std::string> kept = {"settings.reg.tmp-1234567", "settings.reg.tmp-dir123",
                                         "other.reg.tmp-AbC123", "settings.reg.corrupt-x"};
  for (const char* name : {"settings.reg.tmp-AbC123", "settings.reg.tmp-zz9_Q1"}) {
    WriteFileBytes(folder_ / name, "half a file");
  }
  for (const std::string& name : kept) WriteFileBytes(folder_ / name, "not ours");
  fs::remove(folder_ / "settings.reg.tmp-dir123");
  fs::create_directory(folder_ / "settings.reg.tmp-dir123");

  host::FileRegistryStore store(Path());

  std::vector<std::string> expected = kept;
  expected.insert(expected.end(), {"settings.reg", "settings.reg.lock"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(folder_.Contents(), expected);
  EXPECT_EQ(store.GetValue(kGameKey, "Greeted"), RegValue::Dword(-1));
}

}  // namespace
