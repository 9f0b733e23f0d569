#include "shell/InfoForm.h"

#include <string>

#include "host/Keys.h"
#include "shell/BCMini.h"
#include "shell/InstructionsForm.h"
#include "shell/MenuForm.h"

namespace shell {
namespace {

host::WindowSpec Spec() {
  host::WindowSpec spec;
  spec.name = "InfoForm";
  spec.width = 290;
  spec.height = 273;
  spec.frame = host::WindowFrame::Dialog;
  spec.showInTaskbar = false;
  return spec;
}

constexpr const char* kAbout =
    "Skirmora, an arcade space shooter by Bramblecrest.  Copyright (c) Bramblecrest.  Skirmora "
    "is free to play and to share, and comes with no warranty of any kind.  For news, tips and "
    "our other games, visit our web site, or send us e-mail: we read every message.";

constexpr const char* kRookieTitle = "What's Rookie mode?";
constexpr const char* kRookieText =
    "When you are just starting to play Skirmora, you may want to choose Rookie mode from the "
    "main menu.  Skirmora is easier to play in Rookie mode, because it is not as bad if you "
    "forget to use your shields.  However, you will not win as many points in rookie mode, but "
    "this is okay because it is just a training mode.";

void MakeLink(Label& link, int top, const char* address) {
  link.Left = 8, link.Top = top, link.Width = 273, link.Height = 16;
  link.Caption = address;
  link.ForeColor = host::kWhite;
  link.Align = Alignment::Center;
  link.Font = {"Arial", 9.75, true, true, true};
  link.MousePointer = host::Cursor::Hand;
}

}  // namespace

InfoForm::InfoForm(host::Host& host, game::Game& game)
    : Form(host, Spec()),
      game_(game),
      line1_(8, 32, 312, 32, host::Rgb(192, 192, 255)),
      mainMenu_(*this) {
  title_.Left = 8, title_.Top = 8, title_.Width = 271, title_.Height = 23;
  title_.Caption = "Skirmora information";
  title_.ForeColor = host::kWhite;
  title_.Font = {"Arial", 18, true, true, false};

  about_.Left = 8, about_.Top = 48, about_.Width = 273, about_.Height = 89;
  about_.Caption = kAbout;
  about_.ForeColor = host::Rgb(224, 224, 255);
  about_.Font = {"Arial", 9, true, true, false};
  about_.WordWrap = true;

  MakeLink(eMailLink_, 144, kMailAddress);
  eMailLink_.Click = [this] { OpenDocument(Host(), "mailto:" + eMailLink_.Caption); };
  MakeLink(webLink_, 160, kWebAddress);
  webLink_.Click = [this] { OpenDocument(Host(), webLink_.Caption); };

  mainMenu_.Left = 8, mainMenu_.Top = 184, mainMenu_.Width = 273, mainMenu_.Height = 80;
  mainMenu_.ReadProperties(LinkMenuDesign(
      "How to Play|Help|What's Rookie mode?|Rookie|Back to the menu|Exit", OleRgb(128, 128, 128)));
  mainMenu_.ItemClicked = [this](std::int16_t item, const std::string&) { ItemClicked(item); };

  Add(title_);
  Add(line1_);
  Add(about_);
  Add(eMailLink_);
  Add(webLink_);
  Add(mainMenu_);
  SetFocus(&mainMenu_);
}

void InfoForm::OnKeyDown(int keyCode, int shift) {
  if (keyCode == host::vk::Escape) {
    Unload();
  } else {
    Form::OnKeyDown(keyCode, shift);
  }
}

void InfoForm::ItemClicked(std::int16_t item) {
  switch (item) {
    case 1: {
      InstructionsForm instructions(Host(), game_);
      instructions.ShowModal();
      break;
    }
    case 2:
      Host().MessageBox(kRookieTitle, kRookieText, host::MsgIcon::Information,
                        host::MsgButtons::Ok);
      break;
    case 3:
      Unload();
      break;
    default:
      break;
  }
}

}  // namespace shell
