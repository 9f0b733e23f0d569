#pragma once
#include <functional>
#include <string>

#include "host/Font.h"
#include "host/ui/LineEdit.h"
#include "shell/Form.h"

namespace shell {

enum class Alignment { Left, Right, Center };

// Static text, transparent unless it has a background, optionally word-wrapped. A press and
// a release of the left button on it make a click.
class Label : public Control {
 public:
  std::string Caption;
  host::FontSpec Font;
  host::Color ForeColor = host::kBlack;
  bool Transparent = true;
  host::Color BackColor = host::kBlack;
  Alignment Align = Alignment::Left;
  bool WordWrap = false;
  std::function<void()> Click;

  void Paint(host::Surface& canvas) override;
  void Clicked(const host::MouseEvent& e) override;
};

// A picture shown at the control's position, clipped to the control.
class PictureBox : public Control {
 public:
  const host::Surface* Picture = nullptr;
  host::Color BackColor = host::kBlack;
  std::function<void(const host::MouseEvent&)> OnDown;
  std::function<void(const host::MouseEvent&)> OnDoubleClick;

  void Paint(host::Surface& canvas) override;
  void MouseDown(const host::MouseEvent& e) override;
  void DoubleClick(const host::MouseEvent& e) override;
};

// A one-pixel line between two form points.
class LineShape : public Control {
 public:
  LineShape(int x1, int y1, int x2, int y2, host::Color color);
  void Paint(host::Surface& canvas) override;

 private:
  int x1_, y1_, x2_, y2_;
  host::Color color_;
};

// A one-line text field without a border. Enter is passed to `OnEnter` instead of being
// typed. Control and format characters, characters its font cannot draw and characters in
// `Refused` are not accepted.
class TextBox : public Control {
 public:
  host::FontSpec Font;
  host::Color ForeColor = host::kBlack;
  host::Color BackColor = host::kWhite;
  std::size_t MaxLength = 0;  // characters; 0 = no limit
  bool UpperCase = false;
  std::string Refused;
  std::function<void()> OnEnter;

  const std::string& Text() const { return edit_.Text(); }
  void Paint(host::Surface& canvas) override;
  bool KeyChar(char32_t ch) override;
  bool TakesFocus() const override { return true; }

 private:
  host::ui::LineEdit edit_;
};

}  // namespace shell
