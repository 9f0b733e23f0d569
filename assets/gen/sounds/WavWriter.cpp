#include "sounds/WavWriter.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace wav {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

void Put32(Bytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Appends byte by byte: GCC 12 mistakes range inserts into a growing vector for overflows.
template <class Range>
void Append(Bytes& out, const Range& bytes) {
  for (auto b : bytes) out.push_back(static_cast<std::uint8_t>(b));
}

void PutTag(Bytes& out, const char (&tag)[5]) {
  Append(out, std::string_view(tag, 4));
}

// A chunk: tag, length, body, and a pad byte when the body's length is odd.
void PutChunk(Bytes& out, const char (&tag)[5], const Bytes& body) {
  PutTag(out, tag);
  Put32(out, static_cast<std::uint32_t>(body.size()));
  Append(out, body);
  if (body.size() % 2) out.push_back(0);
}

Bytes FmtBody(const Layout& layout) {
  Bytes b;
  Put16(b, 1);  // PCM
  Put16(b, 1);  // mono
  Put32(b, static_cast<std::uint32_t>(layout.rate));
  Put32(b, static_cast<std::uint32_t>(layout.rate));  // bytes per second at 1 byte a sample
  Put16(b, 1);                                        // block align
  Put16(b, 8);                                        // bits per sample
  if (layout.extendedFmt) Put16(b, 0);                // no extra format bytes
  return b;
}

Bytes TextBody(const std::string& text) {
  Bytes b(text.begin(), text.end());
  b.push_back(0);
  return b;
}

Bytes InfoBody(const std::string& title) {
  Bytes b;
  PutTag(b, "INFO");
  PutChunk(b, "INAM", TextBody(title));
  PutChunk(b, "ISFT", TextBody("skirmora-assetgen"));
  return b;
}

// One cue point at the first sample of the data chunk.
Bytes CueBody() {
  Bytes b;
  Put32(b, 1);  // number of cue points
  Put32(b, 1);  // its id
  Put32(b, 0);  // play-order position
  PutTag(b, "data");
  Put32(b, 0);  // chunk start
  Put32(b, 0);  // block start
  Put32(b, 0);  // sample offset
  return b;
}

}  // namespace

std::vector<std::uint8_t> Write(const Layout& layout, const std::vector<std::uint8_t>& samples,
                                const std::string& title) {
  Bytes out;
  PutTag(out, "RIFF");
  Put32(out, 0);  // filled in below
  PutTag(out, "WAVE");
  PutChunk(out, "fmt ", FmtBody(layout));
  PutChunk(out, "data", samples);
  switch (layout.trailer) {
    case Trailer::kNone:
      break;
    case Trailer::kInfo:
      PutChunk(out, "LIST", InfoBody(title));
      break;
    case Trailer::kCueAndInfo:
      PutChunk(out, "cue ", CueBody());
      PutChunk(out, "LIST", InfoBody(title));
      break;
    case Trailer::kDamagedInfo: {
      // The list as it was meant to be, cut off after its first sub-chunk's header.
      Bytes full;
      PutChunk(full, "LIST", InfoBody(title));
      const std::size_t kept = 4 + 4 + 4 + 8;  // tag, length, "INFO", INAM header
      Append(out, std::span(full).first(kept));
      break;
    }
  }
  const auto riffSize = static_cast<std::uint32_t>(out.size() - 8);
  for (int i = 0; i < 4; ++i) out[4 + i] = (riffSize >> (8 * i)) & 0xFF;
  return out;
}

}  // namespace wav
