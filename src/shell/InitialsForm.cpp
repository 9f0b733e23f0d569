#include "shell/InitialsForm.h"

#include "host/text/Utf8.h"

namespace shell {
namespace {

host::WindowSpec Spec() {
  host::WindowSpec spec;
  spec.name = "InitialsForm";
  spec.width = 289;
  spec.height = 175;
  spec.frame = host::WindowFrame::Dialog;
  spec.showInTaskbar = false;
  spec.topmost = true;
  return spec;
}

constexpr host::Color kBodyColor = host::Rgb(224, 224, 255);

}  // namespace

InitialsForm::InitialsForm(host::Host& host, game::GameState& state)
    : Form(host, Spec()), state_(state), line1_(8, 29, 312, 29, host::Rgb(192, 192, 255)) {
  title_.Left = 8, title_.Top = 4, title_.Width = 297, title_.Height = 25;
  title_.Caption = "Skirmora hall of fame";
  title_.Font = {"Arial", 18, true, true, false};
  title_.ForeColor = host::kWhite;

  comments_.Left = 8, comments_.Top = 32, comments_.Width = 273, comments_.Height = 33;
  comments_.Caption = "...you did great!  enter your initials...";
  comments_.Font = {"Arial", 12, true, true, false};
  comments_.ForeColor = kBodyColor;
  comments_.Align = Alignment::Center;
  comments_.WordWrap = true;

  initialsBox_.Left = 72, initialsBox_.Top = 80, initialsBox_.Width = 150, initialsBox_.Height = 82;
  initialsBox_.Font = {"Arial", 48, true, true, false};
  initialsBox_.ForeColor = host::Rgb(192, 192, 255);
  initialsBox_.BackColor = host::kBlack;
  initialsBox_.MaxLength = 3;
  initialsBox_.UpperCase = true;
  // Deliberate: "=" separates the initials from the score in the stored entry; it would lose
  // the entry.
  initialsBox_.Refused = "=";
  initialsBox_.OnEnter = [this] {
    state_.Initials = TypedInitials();
    Unload();
  };

  Add(title_);
  Add(line1_);
  Add(comments_);
  Add(initialsBox_);
  SetFocus(&initialsBox_);

  if (state_.Score < 1000 && !state_.RookieMode)
    comments_.Caption = "... you did so bad, we should call it the hall of SHAME!  Enter initials.";
}

std::string InitialsForm::TypedInitials() const {
  return game::FitInitials(host::ToUpper(initialsBox_.Text()));
}

}  // namespace shell
