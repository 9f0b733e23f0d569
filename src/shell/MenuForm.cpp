#include "shell/MenuForm.h"

#include "assets/Assets.h"
#include "shell/InfoForm.h"
#include "shell/Program.h"

namespace shell {
namespace {

host::WindowSpec Spec() {
  host::WindowSpec spec;
  spec.name = "MenuForm";
  spec.caption = "Skirmora";
  spec.width = 256;
  spec.height = 245;
  spec.withIcon = true;
  return spec;
}

std::string VersionText() {
  const assets::Version v = assets::ProgramVersion();
  return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.revision);
}

}  // namespace

PropertyBag LinkMenuDesign(const std::string& items, OleColor foreColor) {
  return {
      {"MenuItems", items},
      {"ForeColor", std::int64_t{foreColor}},
      {"BackColor", std::int64_t{OleRgb(0, 0, 0)}},
      {"LinkColor", std::int64_t{OleRgb(128, 128, 128)}},
      {"ALinkColor", std::int64_t{OleRgb(192, 192, 255)}},
      {"Font", host::FontSpec{"Arial", 18, true, true, false}},
      {"UsesHTML", false},
  };
}

MenuForm::MenuForm(host::Host& host, Program& program)
    : Form(host, Spec()), program_(program), mainMenu_(*this) {
  dragBox_.Left = 1, dragBox_.Top = 1, dragBox_.Width = 209, dragBox_.Height = 16;
  dragBox_.Picture = &assets::Picture("DragBox");
  dragBox_.OnDown = [this](const host::MouseEvent& e) { DragBoxMouseDown(e); };
  dragBox_.OnDoubleClick = [this](const host::MouseEvent&) { Window().Minimize(); };

  gameLogo_.Left = 8, gameLogo_.Top = 24, gameLogo_.Width = 240, gameLogo_.Height = 100;
  gameLogo_.Picture = &assets::Picture("GameLogo");

  versionLabel_.Left = 152, versionLabel_.Top = 56, versionLabel_.Width = 79,
  versionLabel_.Height = 14;
  versionLabel_.Align = Alignment::Right;
  versionLabel_.ForeColor = host::kWhite;
  versionLabel_.Font = {"Arial", 8.25, true, false, false};

  mainMenu_.Left = 8, mainMenu_.Top = 128, mainMenu_.Width = 241, mainMenu_.Height = 112;
  mainMenu_.ReadProperties(
      LinkMenuDesign("Play Skirmora|Play|Rookie Mode|Rookie|Information|Help|Exit Skirmora|Exit",
                     OleRgb(0, 0, 0)));
  mainMenu_.ItemClicked = [this](std::int16_t item, const std::string&) { ItemClicked(item); };

  Add(dragBox_);
  Add(gameLogo_);
  Add(versionLabel_);
  Add(mainMenu_);

  // Load.
  versionLabel_.Caption = "Version " + VersionText();
  dragBox_.Width = 256 - 2;
  // Right of the emblem (strip x 17 on) the strip moves the window.
  Window().SetDragArea(host::PixelRect{dragBox_.Left + kEmblemWidth, dragBox_.Top,
                                       dragBox_.Left + dragBox_.Width,
                                       dragBox_.Top + dragBox_.Height});
  SetFocus(&mainMenu_);
}

void MenuForm::PaintForm(host::Surface& canvas) {
  canvas.Frame(0, 0, canvas.Width() - 1, canvas.Height() - 1, ToRgb(kSysButtonShadow));
}

void MenuForm::DragBoxMouseDown(const host::MouseEvent& e) {
  // A left press right of the emblem moves the window; it comes here only while the window
  // cannot move (minimised or maximised), and then does nothing.
  if (e.button == host::kLeftButton && e.x >= kEmblemWidth) return;
  if (e.button == host::kLeftButton) {
    program_.Popup().Open(Window(), 1, 18, false);
  } else {
    program_.Popup().Open(Window(), e.x, e.y + 1, true);
  }
}

void MenuForm::ItemClicked(std::int16_t item) {
  switch (item) {
    case 1:
      program_.Game().state.RookieMode = false;
      program_.PlayGame();
      break;
    case 2:
      program_.Game().state.RookieMode = true;
      program_.PlayGame();
      break;
    case 3:
      AboutButton_Click();
      break;
    case 4:
      program_.QuitProgram();
    default:
      break;
  }
}

void MenuForm::AboutButton_Click() {
  // A fresh window at each opening, gone again when it closes.
  InfoForm info(Host(), program_.Game());
  info.ShowModal();
}

void MenuForm::OnCloseRequest() {
  program_.QuitProgram();
}

}  // namespace shell
