#pragma once
#include <cstddef>
#include <string>

namespace host::ui {

// A one-line UTF-8 text with a caret that moves by whole characters.
class LineEdit {
 public:
  explicit LineEdit(std::string text = {}) : text_(std::move(text)), caret_(text_.size()) {}

  const std::string& Text() const { return text_; }
  // Byte offset of the caret.
  std::size_t Caret() const { return caret_; }

  void Insert(char32_t ch);
  void Backspace();
  void Delete();
  void Left();
  void Right();
  void Home() { caret_ = 0; }
  void End() { caret_ = text_.size(); }

 private:
  std::size_t PreviousChar() const;
  std::size_t NextChar() const;
  std::string text_;
  std::size_t caret_;
};

}  // namespace host::ui
