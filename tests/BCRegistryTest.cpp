#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/RegistryFile.h"
#include "shell/BCRegistry.h"

using host::RegValue;
using shell::BCRegistry;
using namespace std::string_literals;

namespace {

const std::string kGameKey = "HKEY_CURRENT_USER\\Software\\Bramblecrest\\Skirmora";
const std::string kMissing(32767, ' ');

// A memory store that remembers which keys it was asked to open and whether anything was
// written, so the tests see exactly what reaches the store.
class WatchedStore : public host::MemoryRegistryStore {
 public:
  bool CreateKey(const std::string& path) override {
    opened.push_back(path);
    return MemoryRegistryStore::CreateKey(path);
  }
  std::vector<std::string> opened;
  int changes = 0;

 protected:
  void Commit(const host::RegistryChange& change) override {
    ++changes;
    MemoryRegistryStore::Commit(change);
  }
};

class BCRegistryTest : public ::testing::Test {
 protected:
  WatchedStore store_;
  BCRegistry registry_{store_};
};

TEST_F(BCRegistryTest, BlanksAndATrailingBackslashAreDroppedFromThePath) {
  registry_.RootPath("HKEY_CURRENT_USER\\Software\\X\\");
  EXPECT_EQ(registry_.RootPath(), "HKEY_CURRENT_USER\\Software\\X");
  registry_.Value("A", "1");

  BCRegistry other(store_);
  other.RootPath("  hkey_current_user\\Software\\X");
  EXPECT_EQ(other.RootPath(), "hkey_current_user\\Software\\X");
  EXPECT_EQ(other.Value("A"), "1");
  // The root name reaches the store upper-cased, the rest as written.
  EXPECT_EQ(store_.opened, (std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\X",
                                                     "HKEY_CURRENT_USER\\Software\\X"}));
}

TEST_F(BCRegistryTest, OpeningCreatesTheKeyAndEveryKeyOnTheWayAndMissingValuesReadAsBlanks) {
  registry_.RootPath(kGameKey);
  EXPECT_EQ(store_.Subkeys("HKEY_CURRENT_USER\\Software"),
            std::vector<std::string>{"Bramblecrest"});
  EXPECT_TRUE(store_.Values(kGameKey).empty());
  EXPECT_EQ(registry_.Value("High Score 1"), kMissing);
  EXPECT_EQ(registry_.ValueLong("Fire button"), 0);
}

TEST_F(BCRegistryTest, EveryRootNameIsRecognisedWhateverItsCase) {
  for (const std::string root :
       {"HKEY_CLASSES_ROOT", "hkey_current_user", "Hkey_Local_Machine", "HKEY_USERS",
        "HKEY_PERFORMANCE_DATA", "hkey_current_config", "HKEY_DYN_DATA"}) {
    registry_.RootPath(root + "\\Software\\X");
    EXPECT_EQ(registry_.Value("none"), kMissing) << root;  // a key is open
  }
  EXPECT_EQ(store_.opened.back(), "HKEY_DYN_DATA\\Software\\X");
  EXPECT_EQ(store_.opened[1], "HKEY_CURRENT_USER\\Software\\X");
}

TEST_F(BCRegistryTest, AnEmptyPathOrResetClosesTheKey) {
  for (const std::string& closing : {""s, "   "s, "\\"s}) {
    registry_.RootPath(kGameKey);
    registry_.RootPath(closing);
    EXPECT_EQ(registry_.RootPath(), "") << closing;
    EXPECT_EQ(registry_.Value("none"), "") << closing;  // not 32,767 blanks: nothing is open
  }
  registry_.RootPath(kGameKey);
  registry_.Reset();
  EXPECT_EQ(registry_.RootPath(), "");
  EXPECT_EQ(registry_.ValueLong("none"), 0);
  registry_.Value("A", "lost");
  EXPECT_EQ(store_.GetValue(kGameKey, "A"), std::nullopt);
}

TEST_F(BCRegistryTest, TextsAndNumbersComeBackAsWritten) {
  registry_.RootPath(kGameKey);
  for (const std::string& text : {"ABC=12500"s, "JO =730"s, "   =0"s, ""s, "Zo\xc3\xab\n\"\\"s}) {
    registry_.Value("High Score 1", text);
    EXPECT_EQ(registry_.Value("high score 1"), text);
    EXPECT_EQ(store_.GetValue(kGameKey, "High Score 1"), RegValue::String(text));
  }
  for (const std::int32_t number : {0, 1, -1, INT32_MIN, INT32_MAX}) {
    registry_.ValueLong("Greeted", number);
    EXPECT_EQ(registry_.ValueLong("GREETED"), number);
    EXPECT_EQ(store_.GetValue(kGameKey, "Greeted"), RegValue::Dword(number));
  }
}

// Values written by others: one terminating zero is dropped; the other type reads as its
// decimal text or zero.
TEST_F(BCRegistryTest, ValuesWrittenByOthersReadAsTheyShould) {
  registry_.RootPath(kGameKey);
  store_.SetValue(kGameKey, "One", RegValue::String("abc\0"s));
  store_.SetValue(kGameKey, "Two", RegValue::String("ab\0\0"s));
  store_.SetValue(kGameKey, "Inside", RegValue::String("a\0b"s));
  store_.SetValue(kGameKey, "Number", RegValue::Dword(-40));
  store_.SetValue(kGameKey, "Text", RegValue::String("5"));
  EXPECT_EQ(registry_.Value("One"), "abc");
  EXPECT_EQ(registry_.Value("Two"), "ab\0"s);
  EXPECT_EQ(registry_.Value("Inside"), "a\0b"s);
  EXPECT_EQ(registry_.Value("Number"), "-40");
  EXPECT_EQ(registry_.ValueLong("Text"), 0);
}

TEST_F(BCRegistryTest, DeletesValuesAndSubkeys) {
  registry_.RootPath("HKEY_CURRENT_USER\\Software\\Bramblecrest\\Skirmora\\Sub\\Deeper");
  registry_.RootPath(kGameKey);
  registry_.Value("Location", "/usr/games");
  registry_.ValueLong("Greeted", -1);
  registry_.DeleteValue("LOCATION");
  registry_.DeleteKey("sub");
  EXPECT_EQ(store_.Values(kGameKey),
            (std::vector<std::pair<std::string, RegValue>>{{"Greeted", RegValue::Dword(-1)}}));
  EXPECT_TRUE(store_.Subkeys(kGameKey).empty());
}

TEST_F(BCRegistryTest, ArraysListNamesAndDataFromOneOrHoldOneEmptyText) {
  registry_.RootPath(kGameKey + "\\First");
  shell::ValueArray values;
  shell::SubkeyArray subkeys;
  registry_.GetAllValues(values);
  registry_.GetAllSubkeys(subkeys);
  EXPECT_EQ(values.Lower(), 0);
  EXPECT_EQ(values.Upper(), 0);
  EXPECT_EQ(values(1, 0), "");
  EXPECT_EQ(values(2, 0), "");
  EXPECT_THROW(values(1, 1), std::out_of_range);
  EXPECT_THROW(values(3, 0), std::out_of_range);
  EXPECT_EQ(subkeys.Lower(), 0);
  EXPECT_EQ(subkeys.Upper(), 0);
  EXPECT_EQ(subkeys(0), "");
  EXPECT_THROW(subkeys(1), std::out_of_range);

  registry_.RootPath(kGameKey + "\\Second");
  registry_.RootPath(kGameKey);
  registry_.Value("High Score 1", "ABC=12500");
  registry_.ValueLong("Fire button", 3);
  registry_.Value("Empty", "");
  registry_.GetAllValues(values);
  registry_.GetAllSubkeys(subkeys);
  ASSERT_EQ(values.Lower(), 1);
  ASSERT_EQ(values.Upper(), 3);
  const char* expected[][2] = {{"High Score 1", "ABC=12500"}, {"Fire button", "3"}, {"Empty", ""}};
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(values(1, i), expected[i - 1][0]);
    EXPECT_EQ(values(2, i), expected[i - 1][1]);
  }
  EXPECT_THROW(values(1, 0), std::out_of_range);
  ASSERT_EQ(subkeys.Lower(), 1);
  ASSERT_EQ(subkeys.Upper(), 2);
  EXPECT_EQ(subkeys(1), "First");
  EXPECT_EQ(subkeys(2), "Second");
}

TEST_F(BCRegistryTest, AnUnknownRootOpensNothingAndLeavesArraysAlone) {
  registry_.RootPath(kGameKey);
  registry_.Value("A", "1");
  shell::ValueArray values;
  shell::SubkeyArray subkeys;
  registry_.GetAllValues(values);
  registry_.GetAllSubkeys(subkeys);
  const int changesBefore = store_.changes;

  registry_.RootPath("HKCU\\Software\\Bramblecrest\\Skirmora");
  EXPECT_EQ(registry_.RootPath(), "HKCU\\Software\\Bramblecrest\\Skirmora");
  EXPECT_EQ(registry_.Value("A"), "");
  EXPECT_EQ(registry_.ValueLong("A"), 0);
  registry_.Value("B", "2");
  registry_.ValueLong("C", 3);
  registry_.DeleteValue("A");
  registry_.DeleteKey("Skirmora");
  registry_.GetAllValues(values);
  registry_.GetAllSubkeys(subkeys);
  EXPECT_EQ(values.Upper(), 1);
  EXPECT_EQ(values(2, 1), "1");
  EXPECT_EQ(subkeys.Upper(), 0);
  EXPECT_EQ(store_.changes, changesBefore);
  // Reset with no key open keeps the path of the failed open readable.
  registry_.Reset();
  EXPECT_EQ(registry_.RootPath(), "HKCU\\Software\\Bramblecrest\\Skirmora");
}

TEST_F(BCRegistryTest, ARootNameAloneIsAnInvalidArgumentAndLeavesNoKeyOpen) {
  for (const std::string path : {"HKEY_CURRENT_USER", "  HKEY_CURRENT_USER\\ ", "Skirmora"}) {
    registry_.RootPath(kGameKey);
    EXPECT_THROW(registry_.RootPath(path), std::invalid_argument) << path;
    EXPECT_EQ(registry_.Value("none"), "") << path;
  }
}

TEST_F(BCRegistryTest, AKeyTheStoreCannotMakeLeavesNoKeyOpen) {
  registry_.RootPath("HKEY_CURRENT_USER\\Software\\\\Skirmora");
  EXPECT_EQ(registry_.Value("none"), "");
  registry_.ValueLong("Greeted", -1);
  EXPECT_EQ(store_.changes, 0);
}

}  // namespace
