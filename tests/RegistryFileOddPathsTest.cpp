// The settings file when something other than a plain file of ours is at its path, when a
// write was cut short, and saves made as one batch.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "host/FileOps.h"
#include "host/RegistryFile.h"

using host::RegValue;
namespace fs = std::filesystem;

namespace {

const std::string kGameKey = "HKEY_CURRENT_USER\\Software\\Bramblecrest\\Skirmora";

ino_t InodeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

class RegistryFileOddPaths : public ::testing::Test {
 protected:
  std::string Path() const { return folder_ / "settings.reg"; }

  TempFolder folder_, elsewhere_;
};

TEST_F(RegistryFileOddPaths, SomethingThatIsNoFileIsNeitherWaitedForNorReplaced) {
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

TEST_F(RegistryFileOddPaths, ALinkedFileStaysALinkAndTheFileItLeadsToIsReplacedWhole) {
  const std::string target = elsewhere_ / "skirmora.reg";
  {
    host::FileRegistryStore store(target);
    store.SetValue(kGameKey, "High Score 1", RegValue::String("OLD=1"));
  }
  fs::create_symlink(target, Path());
  const ino_t before = InodeOf(target);

  {
    host::FileRegistryStore store(Path());
    EXPECT_EQ(store.GetValue(kGameKey, "High Score 1"), RegValue::String("OLD=1"));
    EXPECT_EQ(
        store.Batch([&] { store.SetValue(kGameKey, "High Score 1", RegValue::String("NEW=2")); }),
        std::nullopt);
  }

  EXPECT_TRUE(fs::is_symlink(Path()));
  EXPECT_EQ(fs::read_symlink(Path()), target);
  EXPECT_NE(InodeOf(target), before) << "replaced by a rename, not written over in place";
  EXPECT_EQ(host::FileRegistryStore(target).GetValue(kGameKey, "High Score 1"),
            RegValue::String("NEW=2"));
  EXPECT_EQ(elsewhere_.Contents(), (std::vector<std::string>{"skirmora.reg", "skirmora.reg.lock"}));
  EXPECT_EQ(folder_.Contents(), (std::vector<std::string>{"settings.reg", "settings.reg.lock"}));
}

TEST_F(RegistryFileOddPaths, ADamagedFileBehindALinkIsKeptAsideBesideItAndTheLinkStays) {
  const std::string target = elsewhere_ / "skirmora.reg";
  const std::string damaged = "[K\\S]\n\"a\"=\"1\"\n\"b\"=\"x\\qy\"\n";
  WriteFileBytes(target, damaged);
  fs::create_symlink(target, Path());

  ::testing::internal::CaptureStderr();
  host::FileRegistryStore store(Path());
  const std::string message = ::testing::internal::GetCapturedStderr();
  store.SetValue("K\\S", "c", RegValue::Dword(3));

  EXPECT_TRUE(fs::is_symlink(Path()));
  EXPECT_EQ(fs::read_symlink(Path()), target);
  const std::vector<std::string> kept = elsewhere_.Contents();
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_TRUE(kept[1].starts_with("skirmora.reg.corrupt-")) << kept[1];
  EXPECT_EQ(ReadFileBytes(elsewhere_ / kept[1]), damaged);
  EXPECT_NE(message.find("kept as \"" + (elsewhere_ / kept[1]) + "\""), std::string::npos)
      << message;
  EXPECT_EQ(host::FileRegistryStore(target).Values("K\\S"),
            (std::vector<std::pair<std::string, RegValue>>{{"a", RegValue::String("1")},
                                                           {"c", RegValue::Dword(3)}}));
  EXPECT_EQ(folder_.Contents(), (std::vector<std::string>{"settings.reg", "settings.reg.lock"}));
}

// Asking beforehand whether a file could be replaced answers as the replacement would, and
// leaves no trace.
TEST_F(RegistryFileOddPaths, WhetherAFileCouldBeReplacedIsKnownBeforehandWithoutATrace) {
  using host::fileops::CheckReplaceable;
  EXPECT_EQ(CheckReplaceable(Path()), std::nullopt);
  EXPECT_TRUE(folder_.Contents().empty());
  ASSERT_FALSE(host::fileops::ReplaceFile(Path(), "kept"));
  EXPECT_EQ(CheckReplaceable(Path()), std::nullopt);
  EXPECT_EQ(folder_.Contents(), std::vector<std::string>{"settings.reg"});
  EXPECT_EQ(host::fileops::ReadWholeFile(Path(), 100).bytes, "kept");

  EXPECT_NE(CheckReplaceable(folder_ / "missing/game.scn"), std::nullopt);
  fs::create_directory(folder_ / "a-folder");
  const auto folder = CheckReplaceable(folder_ / "a-folder");
  ASSERT_TRUE(folder.has_value());
  EXPECT_NE(folder->find("folder"), std::string::npos) << *folder;
  EXPECT_TRUE(fs::is_empty(folder_ / "a-folder"));
}

TEST_F(RegistryFileOddPaths, ALinkToNothingIsNotFollowed) {
  const std::string target = elsewhere_ / "missing/skirmora.reg";
  fs::create_symlink(target, Path());
  ::testing::internal::CaptureStderr();
  host::FileRegistryStore store(Path());
  const auto saved = store.Batch([&] { store.SetValue(kGameKey, "Greeted", RegValue::Dword(-1)); });
  ::testing::internal::GetCapturedStderr();
  ASSERT_TRUE(saved.has_value());
  EXPECT_NE(saved->find("is a link to a file that does not exist"), std::string::npos) << *saved;
  EXPECT_TRUE(elsewhere_.Contents().empty());
  EXPECT_TRUE(fs::is_symlink(Path()));
}

TEST_F(RegistryFileOddPaths, LeftoversOfAWriteCutShortAreRemovedAtTheNextStartAndNothingElse) {
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

TEST_F(RegistryFileOddPaths, ABatchIsOneReplacementOfTheFileOnTopOfWhatIsStoredThen) {
  host::FileRegistryStore store(Path()), other(Path());
  store.SetValue(kGameKey, "High Score 1", RegValue::String("AAA=10"));
  other.SetValue(kGameKey, "High Score 2", RegValue::String("BBB=5"));
  const std::string before = ReadFileBytes(Path());
  const ino_t inode = InodeOf(Path());

  const auto saved = store.Batch([&] {
    EXPECT_EQ(store.GetValue(kGameKey, "High Score 2"), RegValue::String("BBB=5"))
        << "the batch sees what the other instance stored";
    for (int i = 1; i <= 10; ++i) {
      store.SetValue(kGameKey, "High Score " + std::to_string(i), RegValue::String("NEW=1"));
      EXPECT_EQ(ReadFileBytes(Path()), before) << "nothing is written before the batch ends";
    }
  });

  EXPECT_EQ(saved, std::nullopt);
  EXPECT_NE(InodeOf(Path()), inode);
  host::FileRegistryStore copy(Path());
  for (int i = 1; i <= 10; ++i) {
    EXPECT_EQ(copy.GetValue(kGameKey, "High Score " + std::to_string(i)),
              RegValue::String("NEW=1"));
  }
}

}  // namespace
