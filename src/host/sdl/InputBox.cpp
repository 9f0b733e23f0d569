#include <algorithm>

#include "host/Keys.h"
#include "host/sdl/Dialog.h"
#include "host/sdl/LineEdit.h"

namespace host::sdl {
namespace {

constexpr int kWidth = 360, kMargin = 12, kButtonW = 75, kButtonH = 23, kFieldH = 21,
              kPromptWidth = kWidth - 3 * kMargin - kButtonW;
constexpr int kOk = 1, kCancel = 2;

class InputBoxDialog final : public Dialog {
 public:
  InputBoxDialog(SdlHost& host, const std::string& prompt, const std::string& title,
                 const std::string& defaultText)
      : Dialog(host, title), edit_(defaultText) {
    lines_ = ui::WrapText(prompt, ui::DialogFont(), kPromptWidth);
  }

  std::optional<std::string> Run() {
    const int top = ui::kTitleHeight + kMargin;
    const int buttonX = kWidth - kMargin - kButtonW;
    buttons_.Add(ui::Rect{buttonX, top, kButtonW, kButtonH}, "OK", 0, kOk);
    buttons_.Add(ui::Rect{buttonX, top + kButtonH + 6, kButtonW, kButtonH}, "Cancel", 0, kCancel);
    const int promptBottom = top + static_cast<int>(lines_.size()) * ui::DialogFont().Height();
    const int fieldY = std::max(promptBottom, top + 2 * kButtonH + 6) + kMargin;
    field_ = ui::Rect{kMargin, fieldY, kWidth - 2 * kMargin, kFieldH};
    RunModal(kWidth, fieldY + kFieldH + kMargin);
    return result_;
  }

 private:
  void DrawBody(Surface& s) override {
    const Font& font = ui::DialogFont();
    int y = ui::kTitleHeight + kMargin;
    for (const std::string& line : lines_) {
      s.DrawText(kMargin, y, line, font, ui::kDark);
      y += font.Height();
    }
    const ui::Rect& f = field_;
    s.FillRect(f.x, f.y, f.x + f.w - 1, f.y + f.h - 1, ui::kLight);
    ui::SunkenEdge(s, f);
    // The text scrolls left so that the caret stays inside the field.
    const int innerW = f.w - 8;
    const std::string& text = edit_.Text();
    const int caretX = font.TextWidth(std::string_view(text).substr(0, edit_.Caret()));
    const int scroll = std::max(0, caretX - innerW);
    Surface line(innerW + 1, font.Height(), ui::kLight);
    line.DrawText(-scroll, 0, text, font, ui::kDark);
    line.Line(caretX - scroll, 0, caretX - scroll, font.Height() - 1, ui::kDark);
    s.Blit(f.x + 4, f.y + (f.h - font.Height()) / 2, line.Width(), line.Height(), line, 0, 0);
  }

  void Clicked(int id) override {
    if (id == kOk) result_ = edit_.Text();
    Close();
  }

  void Cancelled() override { Clicked(kCancel); }

  void OnKeyDown(int keyCode, int /*shift*/) override {
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

  void OnChar(char32_t ch) override {
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

  std::vector<std::string> lines_;
  LineEdit edit_;
  ui::Rect field_;
  std::optional<std::string> result_;
};

}  // namespace

std::optional<std::string> SdlHost::InputBox(const std::string& prompt, const std::string& title,
                                             const std::string& defaultText) {
  InputBoxDialog box(*this, prompt, title, defaultText);
  return box.Run();
}

}  // namespace host::sdl
