#include <algorithm>

#include "host/Keys.h"
#include "host/sdl/Dialog.h"
#include "host/sdl/MsgIcons.h"

namespace host::sdl {
namespace {

constexpr int kButtonW = 75, kButtonH = 23, kButtonGap = 6, kMargin = 12, kMaxTextWidth = 380;

struct ButtonDef {
  const char* caption;
  char32_t key;
  MsgResult result;
};

std::vector<ButtonDef> ButtonsFor(MsgButtons buttons) {
  const ButtonDef ok{"OK", U'O', MsgResult::Ok}, cancel{"Cancel", U'C', MsgResult::Cancel},
      yes{"&Yes", U'Y', MsgResult::Yes}, no{"&No", U'N', MsgResult::No};
  switch (buttons) {
    case MsgButtons::Ok:
      return {ok};
    case MsgButtons::OkCancel:
      return {ok, cancel};
    case MsgButtons::YesNo:
      return {yes, no};
    case MsgButtons::YesNoCancel:
      return {yes, no, cancel};
  }
  return {ok};
}

class MessageBoxDialog final : public Dialog {
 public:
  MessageBoxDialog(SdlHost& host, const std::string& title, const std::string& text, MsgIcon icon,
                   MsgButtons buttons)
      : Dialog(host, title), icon_(icon), kind_(buttons) {
    lines_ = ui::WrapText(text, ui::DialogFont(), kMaxTextWidth);
    // Esc gives Cancel where there is one; a lone OK is its own way out.
    if (buttons == MsgButtons::Ok) escape_ = MsgResult::Ok;
    if (buttons == MsgButtons::OkCancel || buttons == MsgButtons::YesNoCancel) {
      escape_ = MsgResult::Cancel;
    }
  }

  MsgResult Run() {
    const Font& font = ui::DialogFont();
    int textW = 0;
    for (const std::string& line : lines_) textW = std::max(textW, font.TextWidth(line));
    const int textH = static_cast<int>(lines_.size()) * font.Height();
    const bool hasIcon = icon_ != MsgIcon::None;
    textX_ = hasIcon ? kMargin + kMsgIconSize + kMargin : kMargin;
    const int bodyTop = ui::kTitleHeight + kMargin;
    const int bodyH = std::max(textH, hasIcon ? kMsgIconSize : 0);
    textY_ = bodyTop + (bodyH - textH) / 2;
    iconY_ = bodyTop + (bodyH - kMsgIconSize) / 2;
    const std::vector<ButtonDef> defs = ButtonsFor(kind_);
    const int n = static_cast<int>(defs.size());
    const int rowW = n * kButtonW + (n - 1) * kButtonGap;
    const int titleW = ui::TitleFont().TextWidth(title_) + 2 * kMargin;
    const int w = std::max({textX_ + textW + kMargin, rowW + 2 * kMargin, titleW, 120});
    const int rowY = bodyTop + bodyH + kMargin + 2;
    const int h = rowY + kButtonH + kMargin;
    int x = (w - rowW) / 2;
    for (const ButtonDef& d : defs) {
      buttons_.Add(ui::Rect{x, rowY, kButtonW, kButtonH}, d.caption, d.key,
                   static_cast<int>(d.result));
      x += kButtonW + kButtonGap;
    }
    result_ = escape_.value_or(defs.front().result);
    RunModal(w, h);
    return result_;
  }

 private:
  void DrawBody(Surface& s) override {
    DrawMsgIcon(s, kMargin, iconY_, icon_);
    const Font& font = ui::DialogFont();
    int y = textY_;
    for (const std::string& line : lines_) {
      s.DrawText(textX_, y, line, font, ui::kDark);
      y += font.Height();
    }
  }

  void Clicked(int id) override {
    result_ = static_cast<MsgResult>(id);
    Close();
  }

  void Cancelled() override {
    if (escape_) Clicked(static_cast<int>(*escape_));
  }

  void OnKeyDown(int keyCode, int shift) override {
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

  MsgIcon icon_;
  MsgButtons kind_;
  std::vector<std::string> lines_;
  std::optional<MsgResult> escape_;
  MsgResult result_ = MsgResult::Ok;
  int textX_ = 0, textY_ = 0, iconY_ = 0;
};

}  // namespace

MsgResult SdlHost::MessageBox(const std::string& title, const std::string& text, MsgIcon icon,
                              MsgButtons buttons) {
  MessageBoxDialog box(*this, title, text, icon, buttons);
  return box.Run();
}

}  // namespace host::sdl
