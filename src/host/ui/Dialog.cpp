#include "host/ui/Dialog.h"

namespace host::ui {

Modal::~Modal() = default;

void Modal::Open(const WindowSpec& spec) {
  window_ = host_.CreateWindow(spec, *this);
  Redraw();
}

void Modal::RunModal() {
  host_.RunModal(*window_);
}

void Modal::Show() {
  window_->Show();
}

void Modal::Close() {
  window_->Hide();
}

void Modal::Redraw() {
  Draw(window_->Canvas());
}

void Dialog::Open(const std::string& name, int w, int h) {
  WindowSpec spec;
  spec.name = name;
  spec.caption = title_;
  spec.width = w;
  spec.height = h;
  spec.frame = WindowFrame::Dialog;
  spec.topmost = true;
  spec.showInTaskbar = false;
  spec.background = kFace;
  Modal::Open(spec);
  window_->SetDragArea(PixelRect{0, 0, w, kTitleHeight});
}

void Dialog::Draw(Surface& s) {
  s.Clear(kFace);
  TitleStrip(s, title_);
  DrawBody(s);
  buttons_.Draw(s);
}

void Dialog::OnMouseDown(const MouseEvent& m) {
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

bool SameWord(std::string_view a, std::string_view b) {
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upper(b[i])) return false;
  return true;
}

}  // namespace host::ui
