#include "shell/InstructionsForm.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

namespace shell {
namespace {

host::WindowSpec Spec() {
  host::WindowSpec spec;
  spec.name = "InstructionsForm";
  spec.width = 314;
  spec.height = 296;
  spec.frame = host::WindowFrame::Dialog;
  spec.showInTaskbar = false;
  return spec;
}

constexpr host::Color kBodyColor = host::Rgb(224, 224, 255);
constexpr host::Color kLineColor = host::Rgb(192, 192, 255);

enum class Style { Title, Window, WindowWrapped, Body, Hint };

struct LabelLayout {
  int index, left, top, width, height;
  const char* caption;
  Style style;
};

constexpr LabelLayout kLabels[] = {
    {0, 8, 8, 297, 25, "Skirmora instructions", Style::Title},
    {1, 8, 48, 297, 57,
     "What to do:  shoot anything that's Zorb-related.  Pick up anything inside a bubble; "
     "these are power-ups.",
     Style::WindowWrapped},
    {2, 8, 112, 297, 20, "To control your ship while in the game:", Style::Window},
    {3, 8, 136, 65, 17, "(joystick)", Style::Body},
    {8, 80, 136, 73, 17, "(keyboard)", Style::Body},
    {13, 168, 136, 65, 17, "action:", Style::Body},
    {9, 80, 152, 65, 17, "Control", Style::Body},
    {14, 168, 152, 145, 17, "fire primary weapon", Style::Body},
    {10, 80, 168, 65, 17, "Spacebar", Style::Body},
    {15, 168, 168, 145, 17, "launch/detonate bomb", Style::Body},
    {11, 80, 184, 65, 17, "Alt", Style::Body},
    {16, 168, 184, 145, 17, "hold down for shields", Style::Body},
    {12, 80, 200, 65, 17, "Shift", Style::Body},
    {17, 168, 200, 145, 17, "select different weapon", Style::Body},
    {20, 80, 216, 65, 17, "F2", Style::Body},
    {21, 168, 216, 145, 17, "start a new game", Style::Body},
    {4, 8, 224, 49, 30, "(Click to configure)", Style::Hint},
    {18, 80, 232, 65, 17, "F3 or P", Style::Body},
    {19, 168, 232, 145, 17, "pause game", Style::Body},
};

void ApplyStyle(Label& label, Style style) {
  switch (style) {
    case Style::Title:
      label.ForeColor = host::kWhite;
      label.Font = {"Arial", 18, true, true, false};
      break;
    case Style::Window:
    case Style::WindowWrapped:
      label.ForeColor = kBodyColor;
      label.Font = {"Arial", 12, true, true, false};
      label.WordWrap = style == Style::WindowWrapped;
      break;
    case Style::Body:
      label.ForeColor = kBodyColor;
      label.Font = {"Arial", 9.75, true, true, false};
      break;
    case Style::Hint:
      label.ForeColor = host::Rgb(192, 192, 192);
      label.Font = {"Arial", 8.25, false, false, false};
      label.WordWrap = true;
      break;
  }
}

void Place(Control& c, int left, int top, int width, int height) {
  c.Left = left, c.Top = top, c.Width = width, c.Height = height;
}

std::string ButtonCaption(std::int32_t number) {
  return "Button " + std::to_string(number);
}

constexpr const char* kPrompt =
    "Which button would you like to assign this function to?  (If you do not know the button "
    "number, use the Game Controllers Control Panel.)";

}  // namespace

// Deliberate: blanks around the number do not count, a fraction rounds to the nearest number
// (an exact half to the even one), and anything else that is not a decimal number of 32 bits
// gives 0, which assigns nothing.
std::int32_t ButtonAnswerNumber(std::string_view answer) {
  constexpr auto npos = std::string_view::npos;
  const std::size_t first = answer.find_first_not_of(" \t");
  if (first == npos) return 0;
  answer = answer.substr(first, answer.find_last_not_of(" \t") - first + 1);
  const bool negative = answer.front() == '-';
  if (answer.front() == '-' || answer.front() == '+') answer.remove_prefix(1);
  const std::size_t point = answer.find('.');
  std::string_view whole = answer.substr(0, point);
  const std::string_view fraction = point == npos ? std::string_view() : answer.substr(point + 1);
  const auto digits = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if ((whole.empty() && fraction.empty()) || !digits(whole) || !digits(fraction)) return 0;
  whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
  // Eleven digits and more are out of range whatever they are; ten fit in 64 bits easily.
  if (whole.size() > 10) return 0;
  std::int64_t magnitude = 0;
  for (char c : whole) magnitude = magnitude * 10 + (c - '0');
  if (!fraction.empty()) {
    const bool exactHalf = fraction[0] == '5' && fraction.find_first_not_of('0', 1) == npos;
    if (fraction[0] > '5' || (fraction[0] == '5' && !exactHalf) ||
        (exactHalf && magnitude % 2 == 1))
      ++magnitude;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max())
    return 0;
  return static_cast<std::int32_t>(value);
}

InstructionsForm::InstructionsForm(host::Host& host, game::Game& game)
    : Form(host, Spec()),
      game_(game),
      line2_(8, 32, 312, 32, kLineColor),
      line1_(8, 152, 312, 152, kLineColor) {
  Add(line2_);
  Add(line1_);
  for (const LabelLayout& l : kLabels) {
    Label& label = labels_[l.index];
    Place(label, l.left, l.top, l.width, l.height);
    label.Caption = l.caption;
    ApplyStyle(label, l.style);
    Add(label);
  }

  for (int i = 1; i <= 4; ++i) {
    Label& label = ConfigLabel(i);
    Place(label, 8, 136 + 16 * i, 65, 17);
    label.ForeColor = host::kWhite;
    label.Font = {"Arial", 9.75, true, true, true};
    label.Click = [this, i] { ConfigLabelClick(i); };
    Add(label);
  }

  Place(exitButton_, 8, 264, 297, 25);
  exitButton_.Caption = "Click here to exit";
  exitButton_.Transparent = false;
  exitButton_.BackColor = host::Rgb(0, 0, 128);
  exitButton_.ForeColor = kLineColor;
  exitButton_.Align = Alignment::Center;
  exitButton_.Font = {"Arial", 18, true, true, false};
  exitButton_.MousePointer = host::Cursor::Hand;
  exitButton_.Click = [this] {
    // Deliberate: the beep is asked for, but the sounds are loaded only while the game screen
    // is open, so on the menu it is silent.
    game_.sound.PlaySound("SBeep");
    Unload();
  };
  Add(exitButton_);

  // Load: the button labels take the exit button's pointer and show the current numbers.
  for (int i = 1; i <= 4; ++i) {
    ConfigLabel(i).MousePointer = exitButton_.MousePointer;
    ConfigLabel(i).Caption = ButtonCaption(ButtonOfRow(i));
  }
}

std::int32_t& InstructionsForm::ButtonOfRow(int index) {
  game::GameState& s = game_.state;
  switch (index) {
    case 1:
      return s.FireButton;
    case 2:
      return s.BombButton;
    case 3:
      return s.ShieldsButton;
    default:
      return s.NextWeaponButton;
  }
}

void InstructionsForm::ConfigLabelClick(int index) {
  const std::optional<std::string> answer = Host().InputBox(kPrompt, "Button assignment", "");
  const std::int32_t number = answer ? ButtonAnswerNumber(*answer) : 0;
  // Deliberate: any other number is kept, negative ones and ones past the joystick's buttons
  // too; a button the joystick does not have reads as never pressed.
  if (number == 0) return;
  ButtonOfRow(index) = number;
  ConfigLabel(index).Caption = ButtonCaption(number);
  // The label has no background of its own: the old number must go with the form's.
  OnPaint();
}

}  // namespace shell
