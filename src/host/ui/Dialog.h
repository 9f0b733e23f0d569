#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "host/Host.h"
#include "host/ui/ButtonRow.h"
#include "host/ui/Widgets.h"

namespace host::ui {

// A window of the toolkit that waits for an answer: from the person at the keyboard while
// RunModal runs, or from a scripted word (the headless runner's answers, a recorded game
// played back). It is an ordinary window of the host it is given, so that either back end
// shows it and a picture taken without a display is what the screen shows.
class Modal : public WindowEvents {
 public:
  ~Modal() override;
  Modal(const Modal&) = delete;
  Modal& operator=(const Modal&) = delete;

  // Shows the window and runs it until it is answered.
  void RunModal();
  // Shows the window without waiting, so that an answer given by Answer is seen coming.
  void Show();
  // Answers it at once with a word: a button's caption ("OK", "Yes"), an input box's text
  // ("OK" keeps the text it opened with, "Cancel" cancels), a menu item's caption or number
  // from 1 ("0" dismisses the menu). The empty word is the answer of a dialog nobody
  // touched. Throws std::invalid_argument when the word answers nothing here.
  virtual void Answer(std::string_view word) = 0;
  // The answer given, as such a word.
  virtual std::string AnswerWord() const = 0;

 protected:
  explicit Modal(Host& host) : host_(host) {}
  // Makes the window, still hidden, and draws it.
  void Open(const WindowSpec& spec);
  void Close();
  void Redraw();
  virtual void Draw(Surface& s) = 0;
  void OnPaint() override { Redraw(); }

  Host& host_;
  std::unique_ptr<Window> window_;
};

// A message box or an input box: a title strip that moves the window, a body and buttons.
class Dialog : public Modal {
 protected:
  Dialog(Host& host, std::string title) : Modal(host), title_(std::move(title)) {}
  // Opens a w x h dialog, centred and on top, in the dialog frame.
  void Open(const std::string& name, int w, int h);
  virtual void DrawBody(Surface& s) = 0;
  virtual void Clicked(int id) = 0;
  // Esc and the window's close request.
  virtual void Cancelled() = 0;

  void OnMouseDown(const MouseEvent& m) override;
  void OnMouseMove(const MouseEvent& m) override;
  void OnMouseUp(const MouseEvent& m) override;
  void OnCloseRequest() override { Cancelled(); }

  std::string title_;
  ButtonRow buttons_;

 private:
  void Draw(Surface& s) final;
};

// Whether two words are the same, ignoring the case of ASCII letters.
bool SameWord(std::string_view a, std::string_view b);

}  // namespace host::ui
