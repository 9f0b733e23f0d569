#pragma once
#include <optional>
#include <string>
#include <vector>

#include "host/ui/Dialog.h"

namespace host::ui {

// A message box: an icon, the text wrapped to a comfortable width, and a row of buttons.
// Enter presses the focused button (the first at the start), the access letters theirs; Esc
// and the close button give Cancel where there is one, and OK on a box with OK alone.
class MessageBoxDialog final : public Dialog {
 public:
  MessageBoxDialog(Host& host, const std::string& title, const std::string& text, MsgIcon icon,
                   MsgButtons buttons);
  MsgResult Result() const { return result_; }
  void Answer(std::string_view word) override;
  std::string AnswerWord() const override;

 private:
  struct ButtonDef {
    const char* caption;
    char32_t key;
    MsgResult result;
  };
  void DrawBody(Surface& s) override;
  void Clicked(int id) override;
  void Cancelled() override;
  void OnKeyDown(int keyCode, int shift) override;

  MsgIcon icon_;
  std::vector<ButtonDef> defs_;
  std::vector<std::string> lines_;
  std::optional<MsgResult> escape_;
  MsgResult result_ = MsgResult::Ok;
  int textX_ = 0, textY_ = 0, iconY_ = 0;
};

}  // namespace host::ui
