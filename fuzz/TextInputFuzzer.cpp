// What a player types: the initials box of the hall of fame (upper case, three characters,
// no "=") and the line editing of the input box. Any sequence of characters and editing keys
// must leave valid UTF-8 within the box's limits, with the caret on a character boundary,
// and must draw without touching anything outside the picture.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/Surface.h"
#include "host/text/Utf8.h"
#include "host/ui/LineEdit.h"
#include "shell/Controls.h"

namespace {

// Whether `text` is valid UTF-8 without control characters: decoding and encoding again
// gives the same bytes.
bool Clean(std::string_view text) {
  std::string again;
  for (std::size_t at = 0; at < text.size();) {
    const char32_t cp = host::NextCodePoint(text, at);
    if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) return false;
    host::AppendUtf8(again, cp);
  }
  return again == text;
}

bool ValidUtf8(std::string_view text) {
  std::string again;
  for (std::size_t at = 0; at < text.size();)
    host::AppendUtf8(again, host::NextCodePoint(text, at));
  return again == text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte says how to read the rest: as typed text (UTF-8, which is what the
  // desktop delivers), or as raw 32-bit character values (anything a key event could carry).
  if (size < 1) return 0;
  const bool raw = data[0] & 1;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  shell::TextBox initials;
  initials.Left = 72, initials.Top = 80, initials.Width = 150, initials.Height = 82;
  initials.Font = {"Arial", 48, true, true, false};
  initials.MaxLength = 3;
  initials.UpperCase = true;
  initials.Refused = "=";
  host::ui::LineEdit line;

  auto type = [&](char32_t ch) {
    initials.KeyChar(ch);
    // Keys that edit the input box's line; the rest is typed into it.
    switch (ch) {
      case 8:
        line.Backspace();
        break;
      case 0x7F:
        line.Delete();
        break;
      case 0xF001:
        line.Left();
        break;
      case 0xF002:
        line.Right();
        break;
      case 0xF003:
        line.Home();
        break;
      case 0xF004:
        line.End();
        break;
      default:
        line.Insert(ch);
    }
    const std::string& typed = initials.Text();
    if (!Clean(typed) || host::CountChars(typed) > 3 || typed.find('=') != std::string::npos ||
        typed != host::ToUpper(typed))
      std::abort();
    if (!ValidUtf8(line.Text()) || line.Caret() > line.Text().size()) std::abort();
    if (line.Caret() < line.Text().size() && (line.Text()[line.Caret()] & 0xC0) == 0x80)
      std::abort();
  };
  if (raw) {
    for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) {
      char32_t ch = 0;
      for (int k = 0; k < 4; ++k) ch = ch << 8 | static_cast<std::uint8_t>(bytes[at + k]);
      type(ch);
    }
  } else {
    for (std::size_t at = 0; at < bytes.size();) type(host::NextCodePoint(bytes, at));
  }
  host::Surface canvas(289, 175);
  initials.Paint(canvas);
  return 0;
}
