#include "host/ui/LineEdit.h"

#include "host/text/Utf8.h"

namespace host::ui {

std::size_t LineEdit::PreviousChar() const {
  std::size_t at = caret_;
  if (at == 0) return 0;
  --at;
  while (at > 0 && (static_cast<unsigned char>(text_[at]) & 0xC0) == 0x80) --at;
  return at;
}

std::size_t LineEdit::NextChar() const {
  std::size_t at = caret_;
  if (at >= text_.size()) return text_.size();
  NextCodePoint(text_, at);
  return at;
}

void LineEdit::Insert(char32_t ch) {
  std::string utf8;
  AppendUtf8(utf8, ch);
  text_.insert(caret_, utf8);
  caret_ += utf8.size();
}

void LineEdit::Backspace() {
  const std::size_t from = PreviousChar();
  text_.erase(from, caret_ - from);
  caret_ = from;
}

void LineEdit::Delete() {
  text_.erase(caret_, NextChar() - caret_);
}

void LineEdit::Left() {
  caret_ = PreviousChar();
}

void LineEdit::Right() {
  caret_ = NextChar();
}

}  // namespace host::ui
