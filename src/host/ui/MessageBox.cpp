#include "host/ui/MessageBox.h"

#include <algorithm>
#include <stdexcept>

#include "host/Keys.h"
#include "host/ui/MsgIcons.h"

namespace host::ui {
namespace {

constexpr int kButtonW = 75, kButtonH = 23, kButtonGap = 6, kMargin = 12, kMaxTextWidth = 380;

}  // namespace

MessageBoxDialog::MessageBoxDialog(Host& host, const std::string& title, const std::string& text,
                                   MsgIcon icon, MsgButtons buttons)
    : Dialog(host, title), icon_(icon) {
  const ButtonDef ok{"OK", U'O', MsgResult::Ok}, cancel{"Cancel", U'C', MsgResult::Cancel},
      yes{"&Yes", U'Y', MsgResult::Yes}, no{"&No", U'N', MsgResult::No};
  switch (buttons) {
    case MsgButtons::Ok:
      defs_ = {ok};
      escape_ = MsgResult::Ok;  // a lone OK is its own way out
      break;
    case MsgButtons::OkCancel:
      defs_ = {ok, cancel};
      escape_ = MsgResult::Cancel;
      break;
    case MsgButtons::YesNo:
      defs_ = {yes, no};
      break;
    case MsgButtons::YesNoCancel:
      defs_ = {yes, no, cancel};
      escape_ = MsgResult::Cancel;
      break;
  }
  const Font& font = DialogFont();
  lines_ = WrapText(text, font, kMaxTextWidth);
  int textW = 0;
  for (const std::string& line : lines_) textW = std::max(textW, font.TextWidth(line));
  const int textH = static_cast<int>(lines_.size()) * font.Height();
  const bool hasIcon = icon_ != MsgIcon::None;
  textX_ = hasIcon ? kMargin + kMsgIconSize + kMargin : kMargin;
  const int bodyTop = kTitleHeight + kMargin;
  const int bodyH = std::max(textH, hasIcon ? kMsgIconSize : 0);
  textY_ = bodyTop + (bodyH - textH) / 2;
  iconY_ = bodyTop + (bodyH - kMsgIconSize) / 2;
  const int n = static_cast<int>(defs_.size());
  const int rowW = n * kButtonW + (n - 1) * kButtonGap;
  const int titleW = TitleFont().TextWidth(title_) + 2 * kMargin;
  const int w = std::max({textX_ + textW + kMargin, rowW + 2 * kMargin, titleW, 120});
  const int rowY = bodyTop + bodyH + kMargin + 2;
  const int h = rowY + kButtonH + kMargin;
  int x = (w - rowW) / 2;
  for (const ButtonDef& d : defs_) {
    buttons_.Add(Rect{x, rowY, kButtonW, kButtonH}, d.caption, d.key, static_cast<int>(d.result));
    x += kButtonW + kButtonGap;
  }
  result_ = escape_.value_or(defs_.front().result);
  Open("MessageBox", w, h);
}

void MessageBoxDialog::Answer(std::string_view word) {
  if (word.empty()) return Clicked(static_cast<int>(defs_.front().result));
  for (const ButtonDef& d : defs_) {
    if (SameWord(PlainCaption(d.caption), word)) return Clicked(static_cast<int>(d.result));
  }
  throw std::invalid_argument("the answer \"" + std::string(word) +
                              "\" is not a button of the box \"" + title_ + "\"");
}

std::string MessageBoxDialog::AnswerWord() const {
  for (const ButtonDef& d : defs_) {
    if (d.result == result_) return PlainCaption(d.caption);
  }
  return {};
}

void MessageBoxDialog::DrawBody(Surface& s) {
  DrawMsgIcon(s, kMargin, iconY_, icon_);
  const Font& font = DialogFont();
  int y = textY_;
  for (const std::string& line : lines_) {
    s.DrawText(textX_, y, line, font, kDark);
    y += font.Height();
  }
}

void MessageBoxDialog::Clicked(int id) {
  result_ = static_cast<MsgResult>(id);
  Close();
}

void MessageBoxDialog::Cancelled() {
  if (escape_) Clicked(static_cast<int>(*escape_));
}

void MessageBoxDialog::OnKeyDown(int keyCode, int shift) {
  if (keyCode == vk::Escape) {
    Cancelled();
    return;
  }
  int clicked = -1;
  if (!buttons_.Key(keyCode, shift, clicked)) return;
  if (clicked >= 0) {
    Clicked(clicked);
  } else {
    Redraw();
  }
}

}  // namespace host::ui
