#include "host/sdl/Dialog.h"

namespace host::sdl {

Dialog::Dialog(SdlHost& host, std::string title) : host_(host), title_(std::move(title)) {}

Dialog::~Dialog() = default;

void Dialog::RunModal(int w, int h) {
  WindowSpec desc;
  desc.name = "Dialog";
  desc.caption = title_;
  desc.width = w;
  desc.height = h;
  desc.frame = WindowFrame::Dialog;
  desc.topmost = true;
  desc.showInTaskbar = false;
  desc.background = ui::kFace;
  window_ = host_.CreateSdlWindow(desc, *this, WindowOptions{});
  // Without a display the modal loop ends the program, as a quit request would.
  if (!window_->Valid() && !host_.DisplayGone()) {
    Cancelled();
    return;
  }
  Redraw();
  host_.RunModal(*window_);
}

void Dialog::Close() {
  if (window_) window_->Hide();
}

void Dialog::Redraw() {
  if (!window_) return;
  Surface& s = window_->Canvas();
  s.Clear(ui::kFace);
  ui::TitleStrip(s, title_);
  DrawBody(s);
  buttons_.Draw(s);
}

void Dialog::OnMouseDown(const MouseEvent& m) {
  if (m.button == kLeftButton && m.y >= 0 && m.y < ui::kTitleHeight && m.x >= 0 &&
      m.x < window_->Canvas().Width()) {
    window_->DragMove();
    return;
  }
  if (m.button == kLeftButton && buttons_.MouseDown(m.x, m.y)) Redraw();
}

void Dialog::OnMouseMove(const MouseEvent& m) {
  if (buttons_.MouseMove(m.x, m.y)) Redraw();
}

void Dialog::OnMouseUp(const MouseEvent& m) {
  if (m.button != kLeftButton) return;
  int clicked = -1;
  if (buttons_.MouseUp(m.x, m.y, clicked)) Redraw();
  if (clicked >= 0) Clicked(clicked);
}

}  // namespace host::sdl
