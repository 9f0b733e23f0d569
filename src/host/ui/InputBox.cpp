#include "host/ui/InputBox.h"

#include <algorithm>

#include "host/Keys.h"

namespace host::ui {
namespace {

constexpr int kWidth = 360, kMargin = 12, kButtonW = 75, kButtonH = 23, kFieldH = 21,
              kPromptWidth = kWidth - 3 * kMargin - kButtonW;
constexpr int kOk = 1, kCancel = 2;

}  // namespace

InputBoxDialog::InputBoxDialog(Host& host, const std::string& prompt, const std::string& title,
                               const std::string& defaultText)
    : Dialog(host, title), default_(defaultText), edit_(defaultText) {
  lines_ = WrapText(prompt, DialogFont(), kPromptWidth);
  const int top = kTitleHeight + kMargin;
  const int buttonX = kWidth - kMargin - kButtonW;
  buttons_.Add(Rect{buttonX, top, kButtonW, kButtonH}, "OK", 0, kOk);
  buttons_.Add(Rect{buttonX, top + kButtonH + 6, kButtonW, kButtonH}, "Cancel", 0, kCancel);
  const int promptBottom = top + static_cast<int>(lines_.size()) * DialogFont().Height();
  const int fieldY = std::max(promptBottom, top + 2 * kButtonH + 6) + kMargin;
  field_ = Rect{kMargin, fieldY, kWidth - 2 * kMargin, kFieldH};
  Open("InputBox", kWidth, fieldY + kFieldH + kMargin);
}

void InputBoxDialog::Answer(std::string_view word) {
  if (SameWord(word, "Cancel")) return Clicked(kCancel);
  result_ = word.empty() || SameWord(word, "OK") ? default_ : std::string(word);
  Close();
}

std::string InputBoxDialog::AnswerWord() const {
  return result_ ? *result_ : "Cancel";
}

void InputBoxDialog::DrawBody(Surface& s) {
  const Font& font = DialogFont();
  int y = kTitleHeight + kMargin;
  for (const std::string& line : lines_) {
    s.DrawText(kMargin, y, line, font, kDark);
    y += font.Height();
  }
  const Rect& f = field_;
  s.FillRect(f.x, f.y, f.x + f.w - 1, f.y + f.h - 1, kLight);
  SunkenEdge(s, f);
  // The text scrolls left so that the caret stays inside the field.
  const int innerW = f.w - 8;
  const std::string& text = edit_.Text();
  const int caretX = font.TextWidth(std::string_view(text).substr(0, edit_.Caret()));
  const int scroll = std::max(0, caretX - innerW);
  Surface line(innerW + 1, font.Height(), kLight);
  line.DrawText(-scroll, 0, text, font, kDark);
  line.Line(caretX - scroll, 0, caretX - scroll, font.Height() - 1, kDark);
  s.Blit(f.x + 4, f.y + (f.h - font.Height()) / 2, line.Width(), line.Height(), line, 0, 0);
}

void InputBoxDialog::Clicked(int id) {
  if (id == kOk) result_ = edit_.Text();
  Close();
}

void InputBoxDialog::Cancelled() {
  Clicked(kCancel);
}

void InputBoxDialog::OnKeyDown(int keyCode, int /*shift*/) {
  switch (keyCode) {
    case vk::Left:
      edit_.Left();
      break;
    case vk::Right:
      edit_.Right();
      break;
    case vk::Home:
      edit_.Home();
      break;
    case vk::End:
      edit_.End();
      break;
    case vk::Delete:
      edit_.Delete();
      break;
    default:
      return;
  }
  Redraw();
}

void InputBoxDialog::OnChar(char32_t ch) {
  if (ch == 13) {
    Clicked(kOk);
    return;
  }
  if (ch == 27) {
    Cancelled();
    return;
  }
  if (ch == 8) {
    edit_.Backspace();
  } else if (ch >= 32 && ch != 127) {
    edit_.Insert(ch);
  } else {
    return;
  }
  Redraw();
}

}  // namespace host::ui
