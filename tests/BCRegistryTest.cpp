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

TEST_F(BCRegistryTest, ThePathIsTrimmedItsRootUpperCasedAndEveryKeyOnTheWayMade) {
  registry_.RootPath("  hkey_current_user\\Software\\X\\");
  EXPECT_EQ(registry_.RootPath(), "hkey_current_user\\Software\\X");
  EXPECT_EQ(store_.opened, std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\X"});
  EXPECT_EQ(registry_.Value("High Score 1"), kMissing) << "a missing value reads as blanks";
  EXPECT_EQ(registry_.ValueLong("Fire button"), 0);
  registry_.RootPath(kGameKey);
  EXPECT_EQ(store_.Subkeys("HKEY_CURRENT_USER\\Software"),
            (std::vector<std::string>{"X", "Bramblecrest"}));
}

// Nothing open: reads give nothing (not 32,767 blanks) and writes go nowhere.
TEST_F(BCRegistryTest, AnEmptyPathResetAnUnknownRootOrAKeyTheStoreCannotMakeOpenNothing) {
  for (const std::string& closing : {""s, "   "s, "\\"s, "reset"s, "HKCU\\Software\\Skirmora"s,
                                     "HKEY_CURRENT_USER\\Software\\\\Skirmora"s}) {
    registry_.RootPath(kGameKey);
    registry_.Value("A", "1");
    shell::ValueArray values;
    registry_.GetAllValues(values);
    const int changes = store_.changes;
    closing == "reset" ? registry_.Reset() : registry_.RootPath(closing);
    registry_.GetAllValues(values);
    EXPECT_EQ(values(2, 1), "1") << closing << ": the array is left alone";
    EXPECT_EQ(registry_.Value("A"), "") << closing;
    EXPECT_EQ(registry_.ValueLong("A"), 0) << closing;
    registry_.Value("B", "2");
    registry_.ValueLong("C", 3);
    registry_.DeleteValue("A");
    registry_.DeleteKey("Skirmora");
    EXPECT_EQ(store_.changes, changes) << closing;
  }
  // Reset with no key open keeps the path of the failed open readable.
  registry_.Reset();
  EXPECT_EQ(registry_.RootPath(), "HKEY_CURRENT_USER\\Software\\\\Skirmora");
  for (const std::string path : {"HKEY_CURRENT_USER", "  HKEY_CURRENT_USER\\ ", "Skirmora"}) {
    registry_.RootPath(kGameKey);
    EXPECT_THROW(registry_.RootPath(path), std::invalid_argument) << path;
    EXPECT_EQ(registry_.Value("none"), "") << path;
  }
}

// Values written by others: one terminating zero is dropped; the other type reads as its
// decimal text or zero.
TEST_F(BCRegistryTest, ValuesComeBackAsWrittenAndOthersValuesAsTheyShould) {
  registry_.RootPath(kGameKey);
  for (const std::string& text : {"ABC=12500"s, ""s}) {  // empty is not missing
    registry_.Value("High Score 1", text);
    EXPECT_EQ(registry_.Value("high score 1"), text);
    EXPECT_EQ(store_.GetValue(kGameKey, "High Score 1"), RegValue::String(text));
  }
  for (const std::int32_t number : {-1, INT32_MIN}) {
    registry_.ValueLong("Greeted", number);
    EXPECT_EQ(registry_.ValueLong("GREETED"), number);
    EXPECT_EQ(store_.GetValue(kGameKey, "Greeted"), RegValue::Dword(number));
  }
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

TEST_F(BCRegistryTest, DeletesAndListsValuesAndSubkeysFromOneOrHoldsOneEmptyText) {
  registry_.RootPath(kGameKey + "\\Empty");
  shell::ValueArray values;
  shell::SubkeyArray subkeys;
  registry_.GetAllValues(values);
  registry_.GetAllSubkeys(subkeys);
  EXPECT_EQ(values.Upper(), 0);
  EXPECT_EQ(values(1, 0), "");
  EXPECT_EQ(values(2, 0), "");
  EXPECT_THROW(values(3, 0), std::out_of_range);
  EXPECT_EQ(subkeys.Upper(), 0);
  EXPECT_EQ(subkeys(0), "");
  EXPECT_THROW(subkeys(1), std::out_of_range);

  registry_.RootPath(kGameKey + "\\Sub\\Deeper\\Leaf");
  registry_.RootPath(kGameKey + "\\Kept");
  registry_.RootPath(kGameKey);
  registry_.Value("High Score 1", "ABC=12500");
  registry_.Value("Location", "/usr/games");
  registry_.ValueLong("Fire button", 3);
  registry_.DeleteValue("LOCATION");
  registry_.DeleteKey("sub\\DEEPER");  // with everything below it
  registry_.GetAllValues(values);
  registry_.GetAllSubkeys(subkeys);
  ASSERT_EQ(values.Lower(), 1);
  ASSERT_EQ(values.Upper(), 2);
  EXPECT_EQ(values(1, 2), "Fire button");
  EXPECT_EQ(values(2, 2), "3");
  EXPECT_THROW(values(1, 0), std::out_of_range);
  EXPECT_EQ(subkeys.Upper(), 3);
  EXPECT_EQ(subkeys(1), "Empty");
  EXPECT_EQ(subkeys(3), "Kept");
  EXPECT_TRUE(store_.Subkeys(kGameKey + "\\Sub").empty());
}

}  // namespace
