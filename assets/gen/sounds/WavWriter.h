#pragma once
// Writes 8-bit mono PCM RIFF WAVE images with a chosen chunk layout. The game's player reads
// only the "fmt " and "data" chunks, but the files also carry the extra chunks that common
// sound editors leave behind, including one that a crashed editor left damaged, so that the
// loader is exercised on all of them.
#include <cstdint>
#include <string>
#include <vector>

namespace wav {

enum class Trailer {
  kNone,         // nothing after "data"
  kInfo,         // a "LIST" chunk of type "INFO"
  kCueAndInfo,   // a one-point "cue " chunk, then a "LIST" INFO chunk
  kDamagedInfo,  // a "LIST" INFO chunk whose length runs past the end of the file
};

struct Layout {
  int rate = 11025;
  bool extendedFmt = false;  // 18-byte "fmt " (with a zero extra-size field) instead of 16
  Trailer trailer = Trailer::kNone;
};

// The complete file: "RIFF" header, "fmt ", "data" (padded to even length), the trailer.
// `title` goes into the INFO list's INAM field.
std::vector<std::uint8_t> Write(const Layout& layout, const std::vector<std::uint8_t>& samples,
                                const std::string& title);

}  // namespace wav
