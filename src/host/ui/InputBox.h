#pragma once
#include <optional>
#include <string>
#include <vector>

#include "host/ui/Dialog.h"
#include "host/ui/LineEdit.h"

namespace host::ui {

// An input box: a prompt, OK and Cancel beside it, and a one-line field below that holds the
// default text at the start. Enter is OK, Esc and the close button Cancel.
class InputBoxDialog final : public Dialog {
 public:
  InputBoxDialog(Host& host, const std::string& prompt, const std::string& title,
                 const std::string& defaultText);
  // The text entered, or nothing when the box was cancelled.
  const std::optional<std::string>& Result() const { return result_; }
  void Answer(std::string_view word) override;
  std::string AnswerWord() const override;

 private:
  void DrawBody(Surface& s) override;
  void Clicked(int id) override;
  void Cancelled() override;
  void OnKeyDown(int keyCode, int shift) override;
  void OnChar(char32_t ch) override;

  std::string default_;
  std::vector<std::string> lines_;
  LineEdit edit_;
  Rect field_;
  std::optional<std::string> result_;
};

}  // namespace host::ui
