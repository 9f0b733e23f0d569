#pragma once
#include <string>
#include <string_view>

#include "host/RegistryTree.h"

namespace host {

// The settings file's text form: a comment header, then for each key a line
//   [HKEY_CURRENT_USER\Software\Bramblecrest\Skirmora]
// followed by one line per value:
//   "High Score 1"="ABC=12500"
//   "Fire button"=dword:00000001
// Quotes and backslashes in names and texts are escaped with a backslash, a line break is \n,
// a tab \t, and any other control character or byte that is not part of valid UTF-8 is \xHH,
// so the file is valid UTF-8 whatever the values hold. A key path holding a byte that is not
// part of valid UTF-8 is written quoted and escaped the same way, ["A\\B\xff"]; other key
// paths are written as they are. A key without values gets a line of its own unless it has
// subkeys, whose lines already imply it.
std::string FormatRegistryText(const RegistryTree& tree);

struct RegistryParseResult {
  RegistryTree tree;  // everything that could be read
  int badLines = 0;
  int firstBadLine = 0;      // 1-based line number of the first line that could not be read
  std::string firstProblem;  // what was wrong with it
};

// Reads the text form. Lines that cannot be read are counted and skipped; the rest is kept.
// Blank lines and lines starting with ";" or "#" are comments. Blanks around a line and
// around the "=" are allowed, as are Windows line ends and a leading byte-order mark, since
// people edit this file by hand.
RegistryParseResult ParseRegistryText(std::string_view text);

}  // namespace host
