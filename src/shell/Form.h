#pragma once
#include <memory>
#include <string>
#include <vector>

#include "host/Host.h"

namespace shell {

// A rectangle of a form that draws itself and takes the mouse (and, with the focus, keys).
class Control {
 public:
  virtual ~Control() = default;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Visible = true;
  host::Cursor MousePointer = host::Cursor::Default;

  bool Contains(int x, int y) const {
    return x >= Left && y >= Top && x < Left + Width && y < Top + Height;
  }
  // Draws the control onto the form's canvas (form coordinates).
  virtual void Paint(host::Surface& canvas) = 0;
  // Mouse events arrive in the control's own coordinates.
  virtual void MouseDown(const host::MouseEvent&) {}
  virtual void MouseMove(const host::MouseEvent&) {}
  virtual void MouseUp(const host::MouseEvent&) {}
  // After MouseUp, when the press of that button was on this control too.
  virtual void Clicked(const host::MouseEvent&) {}
  virtual void DoubleClick(const host::MouseEvent&) {}
  // Keys and typed characters reach the control with the focus. KeyChar says whether the
  // control must be drawn again; KeyDown draws what it changes itself.
  virtual void KeyDown(int /*keyCode*/, int /*shift*/) {}
  virtual bool KeyChar(char32_t) { return false; }
  // Whether a press gives the control the focus.
  virtual bool TakesFocus() const { return false; }
};

// A window of the shell with its controls. Paints its background and controls, routes
// the mouse to the control under the pointer (or the one holding the capture) and keys and
// typed characters to the focused control.
class Form : public host::WindowEvents {
 public:
  Form(host::Host& host, const host::WindowSpec& spec);
  ~Form() override;

  host::Window& Window() { return *window_; }
  host::Host& Host() { return host_; }
  void Show() { window_->Show(); }
  void Hide() { window_->Hide(); }
  // Shows the form modally; returns when it was hidden or unloaded.
  void ShowModal() { host_.RunModal(*window_); }
  // Closes the window: a modal loop running for it ends.
  void Unload() { window_->Hide(); }

  // A control asks for the mouse capture (so that it learns when the pointer leaves).
  void SetCapture(Control* control, bool capture);
  // Redraws one control (after its state changed).
  void RepaintControl(Control& control);
  void SetFocus(Control* control) { focus_ = control; }
  // The controls, bottom to top.
  const std::vector<Control*>& Controls() const { return controls_; }

  void OnPaint() override;
  void OnMouseDown(const host::MouseEvent& e) override;
  void OnMouseMove(const host::MouseEvent& e) override;
  void OnMouseUp(const host::MouseEvent& e) override;
  void OnDoubleClick(const host::MouseEvent& e) override;
  void OnKeyDown(int keyCode, int shift) override;
  void OnChar(char32_t ch) override;

 protected:
  void Add(Control& control) { controls_.push_back(&control); }
  // Drawn after the controls (outlines and the like).
  virtual void PaintForm(host::Surface&) {}
  host::Color BackColor() const { return back_; }

 private:
  Control* Target(int x, int y);
  host::MouseEvent Local(const host::MouseEvent& e, const Control& c) const;
  void UpdatePointer(int x, int y);

  host::Host& host_;
  host::Color back_;
  std::unique_ptr<host::Window> window_;
  std::vector<Control*> controls_;
  Control* capture_ = nullptr;
  Control* focus_ = nullptr;
  // The control the last press was on, and with which button.
  Control* pressed_ = nullptr;
  int pressedButton_ = 0;
};

}  // namespace shell
