// The settings file: its rules and text form, and what it does when the file system gets in
// the way. The tests run as root as well, where permissions stop nothing, so each obstacle is
// one that holds for root too: a folder that is really a file, a lock file that is really a
// folder, a file size limit.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "host/FileOps.h"
#include "host/RegistryFile.h"
#include "host/RegistryText.h"
#include "host/text/Utf8.h"

using host::RegValue;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

const std::string kGameKey = "HKEY_CURRENT_USER\\Software\\Bramblecrest\\Skirmora";

using ValueList = std::vector<std::pair<std::string, RegValue>>;

// The store's rules, checked on a second store that has read the file back: that covers the
// tree in memory (the memory store's, too) and the file.
class StoreBehaviour : public ::testing::Test {
 protected:
  host::RegistryStore& Store() { return store_; }
  host::RegistryStore& Reloaded() { return reloaded_.emplace(folder_ / "settings.reg"); }

 private:
  TempFolder folder_;
  host::FileRegistryStore store_{folder_ / "settings.reg"};
  std::optional<host::FileRegistryStore> reloaded_;
};

// Names ignore ASCII case and keep their first spelling; values stay in the order they were
// first written.
TEST_F(StoreBehaviour, NamesIgnoreAsciiCaseAndValuesKeepThePlaceOfTheirFirstWriting) {
  for (const char* name : {"Fire button", "a", "\xc3\xa9t\xc3\xa9", "c"})  // "été"
    Store().SetValue(kGameKey, name, RegValue::String(name));
  Store().SetValue("hkey_current_user\\SOFTWARE\\bramblecrest\\skirmora", "FIRE BUTTON",
                   RegValue::Dword(5));
  Store().SetValue(kGameKey, "\xc3\x89T\xc3\x89", RegValue::Dword(8));  // "ÉTÉ": not the same
  Store().DeleteValue(kGameKey, "A");
  Store().SetValue(kGameKey, "a", RegValue::String("again"));  // a new value goes last

  auto& store = Reloaded();
  EXPECT_EQ(store.Values(kGameKey),
            (ValueList{{"Fire button", RegValue::Dword(5)},
                       {"\xc3\xa9t\xc3\xa9", RegValue::String("\xc3\xa9t\xc3\xa9")},
                       {"c", RegValue::String("c")},
                       {"\xc3\x89T\xc3\x89", RegValue::Dword(8)},
                       {"a", RegValue::String("again")}}));
  // Found by name wherever the deletion moved them.
  EXPECT_EQ(store.GetValue(kGameKey, "fire BUTTON"), RegValue::Dword(5));
  EXPECT_EQ(store.GetValue(kGameKey, "C"), RegValue::String("c"));
  EXPECT_EQ(store.Subkeys("hkey_current_user"), std::vector<std::string>{"Software"});
  EXPECT_EQ(store.Subkeys("hkey_current_user\\Software\\BRAMBLECREST"),
            std::vector<std::string>{"Skirmora"});
}

TEST_F(StoreBehaviour, UnusableKeyPathsAreRefused) {
  for (const std::string& path : {""s, "A\\\\B"s, "A\\B\\"s, "\\A"s, "A\\B\nC"s, "A\\\x7f"s}) {
    EXPECT_FALSE(Store().CreateKey(path)) << path;
    Store().SetValue(path, "v", RegValue::Dword(1));
    EXPECT_EQ(Store().GetValue(path, "v"), std::nullopt) << path;
  }
  EXPECT_TRUE(Store().Subkeys("A").empty());
}

// A store read from a file that must read without a word on standard error.
struct QuietStore : host::FileRegistryStore {
  explicit QuietStore(const std::string& path)
      : FileRegistryStore((::testing::internal::CaptureStderr(), path)) {
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << path;
  }
};

class RegistryFile : public ::testing::Test {
 protected:
  std::string Path() const { return folder_ / "settings.reg"; }
  std::vector<std::string> FolderContents() const { return folder_.Contents(); }

  TempFolder folder_, other_;  // other_: for logs, or where a link leads
};

int CountLines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// Key names are escaped like texts when they hold bytes that are not UTF-8 (a hand edit in
// Latin-1) or would read as the escaped form; plain keys stay plain.
TEST_F(RegistryFile, KeepsAnyKeyTextAndNumberExactlyInAReadableFile) {
  const std::string unicode = "Zo\xc3\xab \xe2\x80\x93 \xe6\x9d\xb1\xe4\xba\xac \xf0\x9f\x9a\x80";
  const std::string latin1 = "HKEY_CURRENT_USER\\Software\\Caf\xe9", quoted = "\"Odd\" [root]\\Key";
  const ValueList values = {
      {"Quote", RegValue::String("say \"hi\"")},
      {"Path", RegValue::String("C:\\Games\\")},
      {"Lines", RegValue::String("two\nlines\ttab\r")},
      {"Unicode", RegValue::String(unicode)},
      {"Zero inside", RegValue::String("nul\0inside"s)},
      {"Not UTF-8", RegValue::String("\xff\xfe \xe2\x82 \xed\xa0\x80 \xc0\xaf")},
      {"Empty", RegValue::String("")},
      {"", RegValue::String("the default value")},
      {"odd \"name\" \\ = \n", RegValue::Dword(3)},
      {"Lowest", RegValue::Dword(INT32_MIN)},
      {"Highest", RegValue::Dword(INT32_MAX)},
  };
  {
    host::FileRegistryStore store(Path());
    store.SetValue(latin1, "a", RegValue::Dword(1));
    for (const auto& [name, value] : values) store.SetValue(kGameKey, name, value);
    store.SetValue(quoted, "b", RegValue::Dword(2));
  }
  QuietStore reloaded(Path());
  EXPECT_EQ(reloaded.Values(kGameKey), values);
  EXPECT_EQ(reloaded.GetValue(latin1, "a"), RegValue::Dword(1));
  EXPECT_EQ(reloaded.GetValue(quoted, "b"), RegValue::Dword(2));

  std::string text = ReadFileBytes(Path());
  EXPECT_EQ(text[0], ';');
  for (const char* line :
       {"\n[HKEY_CURRENT_USER\\Software\\Bramblecrest\\Skirmora]\n",
        "\n[\"HKEY_CURRENT_USER\\\\Software\\\\Caf\\xe9\"]\n",
        "\n[\"\\\"Odd\\\" [root]\\\\Key\"]\n", "\n\"Quote\"=\"say \\\"hi\\\"\"\n",
        "\n\"Path\"=\"C:\\\\Games\\\\\"\n", "\n\"Lines\"=\"two\\nlines\\ttab\\x0d\"\n",
        "\n\"Zero inside\"=\"nul\\x00inside\"\n",
        "\n\"Not UTF-8\"=\"\\xff\\xfe \\xe2\\x82 \\xed\\xa0\\x80 \\xc0\\xaf\"\n",
        "\n\"Lowest\"=dword:80000000\n", "\n\"Highest\"=dword:7fffffff\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  // Apart from the one text that is proper UTF-8, everything is written in plain ASCII.
  text.erase(text.find(unicode), unicode.size());
  EXPECT_TRUE(std::all_of(text.begin(), text.end(),
                          [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
}

TEST_F(RegistryFile, NothingIsWrittenBeforeTheFirstChangeAndAnEmptyFileIsAnEmptyStore) {
  const std::string path = folder_ / "new/settings.reg";
  host::FileRegistryStore store(path);
  EXPECT_EQ(store.GetValue(kGameKey, "Greeted"), std::nullopt);
  EXPECT_FALSE(fs::exists(folder_ / "new"));
  ASSERT_TRUE(store.CreateKey(kGameKey));
  EXPECT_TRUE(host::FileRegistryStore(path).Subkeys("HKEY_CURRENT_USER\\Software\\Bramblecrest") ==
              std::vector<std::string>{"Skirmora"});
  EXPECT_EQ(fs::status(folder_ / "new").permissions() & fs::perms::all, fs::perms::owner_all);

  WriteFileBytes(Path(), "");
  QuietStore empty(Path());
  EXPECT_TRUE(empty.Subkeys("HKEY_CURRENT_USER").empty());
  empty.SetValue(kGameKey, "Greeted", RegValue::Dword(-1));
  EXPECT_EQ(host::FileRegistryStore(Path()).GetValue(kGameKey, "Greeted"), RegValue::Dword(-1));
  EXPECT_EQ(FolderContents(),
            (std::vector<std::string>{"new", "settings.reg", "settings.reg.lock"}));

  // A value set to what the file holds already (as every start sets the game's folder)
  // leaves the file alone; any real change replaces it.
  const ino_t before = InodeOf(Path());
  empty.SetValue(kGameKey, "Greeted", RegValue::Dword(-1));
  EXPECT_EQ(InodeOf(Path()), before);
  empty.SetValue(kGameKey, "Greeted", RegValue::Dword(1));
  EXPECT_NE(InodeOf(Path()), before);
  EXPECT_EQ(host::FileRegistryStore(Path()).GetValue(kGameKey, "Greeted"), RegValue::Dword(1));
}

TEST_F(RegistryFile, ChangesThatCouldNotBeWrittenAreWrittenWithTheNextWriteThatWorks) {
  host::FileRegistryStore store(Path());
  store.SetValue(kGameKey, "a", RegValue::Dword(1));
  const std::string before = ReadFileBytes(Path());
  // A folder in place of the lock file stops every write, root's too; so does a link, which
  // is not followed (it could lead anywhere, and the lock file would be made there).
  fs::remove(Path() + ".lock");
  fs::create_directory(Path() + ".lock");

  ::testing::internal::CaptureStderr();
  store.SetValue(kGameKey, "b", RegValue::Dword(2));
  fs::remove(Path() + ".lock");
  fs::create_symlink(folder_ / "elsewhere", Path() + ".lock");
  store.DeleteValue(kGameKey, "a");
  EXPECT_EQ(CountLines(::testing::internal::GetCapturedStderr()), 1);
  EXPECT_EQ(ReadFileBytes(Path()), before);
  EXPECT_EQ(store.GetValue(kGameKey, "a"), std::nullopt);
  EXPECT_FALSE(fs::exists(folder_ / "elsewhere"));

  fs::remove(Path() + ".lock");
  store.SetValue(kGameKey, "c", RegValue::Dword(3));
  EXPECT_EQ(host::FileRegistryStore(Path()).Values(kGameKey),
            (ValueList{{"b", RegValue::Dword(2)}, {"c", RegValue::Dword(3)}}));
}

// Whichever step of a save fails, the message says what became of the file: only a folder
// that could not be flushed leaves it replaced. A damaged file set aside is named.
TEST_F(RegistryFile, AFailedSaveSaysWhatBecameOfTheFile) {
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
TEST_F(RegistryFile, AFullDiskLeavesTheOldFileByteForByteAndKillsNothing) {
  {
    host::FileRegistryStore store(Path());  // as many values as the game keeps
    for (int i = 1; i <= 16; ++i)
      store.SetValue(kGameKey, "High Score " + std::to_string(i), RegValue::String("   =0"));
  }
  const std::string before = ReadFileBytes(Path());
  const std::string errors = other_ / "stderr", said = other_ / "batch";
  const RegValue longText = RegValue::String(std::string(4000, 'x'));

  const int status = RunInChildren({[&](const auto&) {
    if (!std::freopen(errors.c_str(), "w", stderr) || std::setvbuf(stderr, nullptr, _IONBF, 0))
      return 11;
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
  }})[0];

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

TEST_F(RegistryFile, SomethingThatIsNoFileIsNeitherWaitedForNorReplaced) {
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
TEST_F(RegistryFile, ALinkStaysALinkAndOnlyTheFileItLeadsToIsReplacedOrKeptAside) {
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
            (ValueList{{"a", RegValue::String("1")}, {"c", RegValue::Dword(3)}}));

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

TEST_F(RegistryFile, LeftoversOfAWriteCutShortAreRemovedAtTheNextStartAndNothingElse) {
  {
    host::FileRegistryStore store(Path());
    store.SetValue(kGameKey, "Greeted", RegValue::Dword(-1));
  }
  const std::vector<std::string> kept = {"settings.reg.tmp-1234567", "settings.reg.tmp-dir123",
                                         "other.reg.tmp-AbC123", "settings.reg.corrupt-x"};
  for (const char* name : {"settings.reg.tmp-AbC123", "settings.reg.tmp-zz9_Q1"})
    WriteFileBytes(folder_ / name, "half a file");
  for (const std::string& name : kept) WriteFileBytes(folder_ / name, "not ours");
  fs::remove(folder_ / "settings.reg.tmp-dir123");
  fs::create_directory(folder_ / "settings.reg.tmp-dir123");

  host::FileRegistryStore store(Path());
  // Asking beforehand whether a file could be replaced (as --record does) leaves no trace.
  using host::fileops::CheckReplaceable;
  EXPECT_EQ(CheckReplaceable(Path()), std::nullopt);
  EXPECT_NE(CheckReplaceable(folder_ / "settings.reg.tmp-dir123").value_or("").find("folder"),
            std::string::npos);

  std::vector<std::string> expected = kept;
  expected.insert(expected.end(), {"settings.reg", "settings.reg.lock"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(folder_.Contents(), expected);
  EXPECT_EQ(store.GetValue(kGameKey, "Greeted"), RegValue::Dword(-1));
}

// A file with lines that cannot be read is set aside byte for byte, the lines that can be
// read are kept, and the store writes a fresh file.
struct DamagedFile {
  const char* name;
  std::string bytes;
  int badLine;
  const char* problem;
  ValueList kept;
};

class DamagedFiles : public RegistryFile, public ::testing::WithParamInterface<DamagedFile> {};

const std::string kHead = "; settings\n[K\\S]\n\"a\"=\"1\"\n";  // lines 1 to 3

const ValueList kA = {{"a", RegValue::String("1")}};
const DamagedFile kDamagedFiles[] = {
    {"BadEscape",
     kHead + "\"b\"=\"x\\qy\"\n\"c\"=dword:00000003\n",
     4,
     "unknown escape \"\\q\"",
     {kA[0], {"c", RegValue::Dword(3)}}},
    {"ValueBeforeAnyKey", "\"b\"=\"2\"\n" + kHead.substr(11), 1, "before any [key] line", kA},
    {"BrokenKeyLine",
     kHead + "[K\\T\n\"b\"=\"2\"\n[K\\S]\n\"c\"=\"3\"\n",
     4,
     "must end with \"]\"",
     {kA[0], {"c", RegValue::String("3")}}},
    {"CutMidLine", kHead + "\"b\"=\"tw", 4, "ends in the middle of this line", kA},
    {"CutMidEscape", kHead + "\"b\"=\"a\\", 4, "inside an escape", kA},
    {"CutMidNumber", kHead + "\"b\"=dword:0000", 4, "eight hexadecimal digits", kA},
    {"RawControlCharacter", kHead + "\"b\"=\"a\x01\"\n", 4, "byte 0x01", kA}};
INSTANTIATE_TEST_SUITE_P(Samples, DamagedFiles, ::testing::ValuesIn(kDamagedFiles),
                         [](const auto& info) { return info.param.name; });

TEST_P(DamagedFiles, AreSetAsideAndWhatCanBeReadIsKept) {
  const DamagedFile& damaged = GetParam();
  WriteFileBytes(Path(), damaged.bytes);

  ::testing::internal::CaptureStderr();
  host::FileRegistryStore store(Path());
  const std::string message = ::testing::internal::GetCapturedStderr();

  const std::vector<std::string> files = FolderContents();
  ASSERT_EQ(files.size(), 3u);  // the aside copy, the fresh file and the lock file
  // settings.reg, settings.reg.corrupt-YYYYMMDD-HHMMSS, settings.reg.lock
  const std::string aside = folder_ / files[1];
  EXPECT_TRUE(files[1].starts_with("settings.reg.corrupt-")) << files[1];
  EXPECT_EQ(ReadFileBytes(aside), damaged.bytes);

  EXPECT_EQ(CountLines(message), 1) << message;
  EXPECT_NE(message.find("\"" + Path() + "\""), std::string::npos) << message;
  EXPECT_NE(message.find("line " + std::to_string(damaged.badLine) + ":"), std::string::npos)
      << message;
  EXPECT_NE(message.find(damaged.problem), std::string::npos) << message;
  EXPECT_NE(message.find("\"" + aside + "\""), std::string::npos) << message;

  EXPECT_EQ(store.Values("K\\S"), damaged.kept);
  // What was kept is already stored again, in a file that reads without complaint.
  QuietStore reloaded(Path());
  EXPECT_EQ(reloaded.Values("K\\S"), store.Values("K\\S"));

  // Damaged again (within the same second, likely): the second copy gets a name of its own.
  WriteFileBytes(Path(), "junk\n");
  ::testing::internal::CaptureStderr();
  host::FileRegistryStore again(Path());
  ::testing::internal::GetCapturedStderr();
  ASSERT_EQ(FolderContents().size(), 4u);
  EXPECT_EQ(ReadFileBytes(aside), damaged.bytes);
}

// Whatever bytes a file holds, what could be read of it is written in a form that reads back
// completely and to the same keys and values, in UTF-8. (fuzz.settings does the same on any
// bytes in the sanitizer build; this runs the parser's every branch in every build.)
TEST(RegistryText, WhatIsReadFromAnyBytesIsWrittenSoThatItReadsBackTheSame) {
  const std::vector<std::string> pieces = {"\n",       "[",         "]",      "\"",
                                           "\\",       "=",         "dword:", "0",
                                           "f",        "A",         "x",      "K\\S",
                                           " ",        "\t",        "\r",     "\\x",
                                           "\\n",      "\xc3\xa9",  "\xff",   std::string(1, '\0'),
                                           "\"a\"=\"", "\n[K\\S]\n"};
  std::uint32_t state = 1;
  const auto next = [&] { return (state = state * 1664525u + 1013904223u) >> 8; };
  int readSomething = 0;
  for (int round = 0; round < 2000; ++round) {
    std::string bytes;
    for (int n = next() % 60; n > 0; --n)
      bytes += next() % 4 ? pieces[next() % pieces.size()] : std::string(1, char(next()));
    const host::RegistryParseResult first = host::ParseRegistryText(bytes);
    const std::string written = host::FormatRegistryText(first.tree);
    const host::RegistryParseResult second = host::ParseRegistryText(written);
    ASSERT_EQ(second.badLines, 0) << written;
    for (std::size_t at = 0; at < written.size();) {
      const std::size_t start = at;
      ASSERT_TRUE(host::NextCodePoint(written, at) != 0xFFFD ||
                  written.substr(start, 3) == "\xef\xbf\xbd")
          << "not UTF-8 at byte " << start << " of " << written;
    }
    ASSERT_EQ(host::FormatRegistryText(second.tree), written);
    readSomething += !first.tree.Subkeys("K").empty();
  }
  EXPECT_GT(readSomething, 100);  // the samples are not all garbage
}

// Sets an environment variable (or unsets it, for nothing) for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A usable XDG_CONFIG_HOME is followed: realwindow.menu and realwindow.quit see the game's
// failed save in the folder it names.
TEST(DefaultRegistryPath, WithoutAUsableXdgConfigHomeFollowsHomeElseThePasswordFile) {
  ScopedEnv home("HOME", "/home/ann");
  for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/cfg"}) {
    ScopedEnv config("XDG_CONFIG_HOME", unusable);
    EXPECT_EQ(host::DefaultRegistryPath(), "/home/ann/.config/skirmora/settings.reg");
  }
  ScopedEnv config("XDG_CONFIG_HOME", nullptr);
  ScopedEnv noHome("HOME", nullptr);
  const passwd* user = ::getpwuid(::getuid());
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(host::DefaultRegistryPath(),
            std::string(user->pw_dir) + "/.config/skirmora/settings.reg");
}

}  // namespace
