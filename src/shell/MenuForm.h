#pragma once
#include <string>

#include "shell/Controls.h"
#include "shell/Form.h"
#include "shell/TextMenu.h"

namespace shell {

class Program;

// The design both link menus of the game share (the main menu's and the info window's):
// grey links lit pale blue under the pointer, Arial 18 pt bold italic on black, reporting
// clicks to their window instead of opening addresses.
PropertyBag LinkMenuDesign(const std::string& items, OleColor foreColor);

// The program's small borderless main window: a title strip that drags the window and
// opens the popup menu, the logo, the version line and the menu of four links, which the
// arrow keys and Enter work too.
class MenuForm : public Form {
 public:
  // The emblem at the title strip's left end: a left press there opens the popup menu.
  static constexpr int kEmblemWidth = 17;

  MenuForm(host::Host& host, Program& program);

  // Shows the information window modally.
  void AboutButton_Click();

  TextMenu& MainMenu() { return mainMenu_; }
  PictureBox& DragBox() { return dragBox_; }
  const Label& VersionLabel() const { return versionLabel_; }

  void OnCloseRequest() override;

 protected:
  void PaintForm(host::Surface& canvas) override;

 private:
  void DragBoxMouseDown(const host::MouseEvent& e);
  void ItemClicked(std::int16_t item);

  Program& program_;
  PictureBox dragBox_;
  PictureBox gameLogo_;
  Label versionLabel_;
  TextMenu mainMenu_;
};

}  // namespace shell
