#pragma once
#include <string>
#include <vector>

#include "host/ui/Dialog.h"
#include "host/ui/MenuModel.h"

namespace host::ui {

// A popup menu at a point of its owner window. The pointer highlights an item and a
// release of the left button (or the right one, when it may choose) takes it; Up and Down
// move the highlight, Enter takes it, an access letter takes its item at once; Esc, a press
// outside and turning to another window dismiss the menu.
class PopupMenuWindow final : public Modal {
 public:
  PopupMenuWindow(Host& host, const Window& owner, int x, int y,
                  const std::vector<std::string>& items, bool rightButtonChooses);
  // The index of the item chosen, or -1 when the menu was dismissed.
  int Result() const { return chosen_; }
  void Answer(std::string_view word) override;
  std::string AnswerWord() const override;

 private:
  void Draw(Surface& s) override;
  void Highlight(int i);
  void Finish(int chosen);
  bool Inside(int x, int y) const;

  void OnMouseMove(const MouseEvent& m) override { Highlight(menu_.ItemAt(m.x, m.y)); }
  void OnMouseDown(const MouseEvent& m) override;
  void OnDoubleClick(const MouseEvent& m) override { OnMouseDown(m); }
  void OnMouseUp(const MouseEvent& m) override;
  void OnKeyDown(int keyCode, int shift) override;
  void OnCloseRequest() override { Finish(-1); }

  MenuModel menu_;
  bool rightChooses_;
  int highlight_ = -1;
  int chosen_ = -1;
};

}  // namespace host::ui
