#include "shell/Form.h"

namespace shell {

Form::Form(host::Host& host, const host::WindowSpec& spec)
    : host_(host), back_(spec.background), window_(host.CreateWindow(spec, *this)) {}

Form::~Form() = default;

void Form::SetCapture(Control* control, bool capture) {
  if (capture) {
    capture_ = control;
    window_->SetCapture(true);
  } else if (capture_ == control) {
    capture_ = nullptr;
    window_->SetCapture(false);
  }
}

void Form::RepaintControl(Control& control) {
  if (control.Visible) control.Paint(window_->Canvas());
}

void Form::OnPaint() {
  host::Surface& canvas = window_->Canvas();
  canvas.Clear(back_);
  for (Control* c : controls_)
    if (c->Visible) c->Paint(canvas);
  PaintForm(canvas);
}

Control* Form::Target(int x, int y) {
  if (capture_) return capture_;
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
    if ((*it)->Visible && (*it)->Contains(x, y)) return *it;
  return nullptr;
}

host::MouseEvent Form::Local(const host::MouseEvent& e, const Control& c) const {
  host::MouseEvent local = e;
  local.x -= c.Left;
  local.y -= c.Top;
  return local;
}

void Form::UpdatePointer(int x, int y) {
  Control* under = nullptr;
  for (auto it = controls_.rbegin(); it != controls_.rend() && !under; ++it)
    if ((*it)->Visible && (*it)->Contains(x, y)) under = *it;
  // A control that manages its own pointer (the link menu) sets it while it holds the capture.
  if (capture_) return;
  window_->SetCursor(under ? under->MousePointer : host::Cursor::Default);
}

void Form::OnMouseDown(const host::MouseEvent& e) {
  Control* c = Target(e.x, e.y);
  pressed_ = c;
  pressedButton_ = e.button;
  if (c) {
    if (c->TakesFocus()) focus_ = c;
    c->MouseDown(Local(e, *c));
  }
}

void Form::OnMouseMove(const host::MouseEvent& e) {
  UpdatePointer(e.x, e.y);
  if (Control* c = Target(e.x, e.y)) c->MouseMove(Local(e, *c));
}

void Form::OnMouseUp(const host::MouseEvent& e) {
  Control* c = Target(e.x, e.y);
  const bool click = c && c == pressed_ && e.button == pressedButton_ && c->Contains(e.x, e.y);
  pressed_ = nullptr;
  if (!c) return;
  const host::MouseEvent local = Local(e, *c);
  c->MouseUp(local);
  if (click) c->Clicked(local);
}

void Form::OnDoubleClick(const host::MouseEvent& e) {
  if (Control* c = Target(e.x, e.y)) c->DoubleClick(Local(e, *c));
}

void Form::OnKeyDown(int keyCode, int shift) {
  if (focus_) focus_->KeyDown(keyCode, shift);
}

void Form::OnChar(char32_t ch) {
  if (focus_ && focus_->KeyChar(ch)) RepaintControl(*focus_);
}

}  // namespace shell
