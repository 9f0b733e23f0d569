#pragma once
#include <initializer_list>
#include <string>

#include "host/Color.h"
#include "host/Font.h"
#include "host/Surface.h"

namespace game {

// The game window's drawing kit: the surface the play field and the status bar are drawn
// on, the status bar's off-screen buffer, the sprite sheets (looked up once) and the
// window's font and text colour.
class Screen {
 public:
  static constexpr host::Color kTextColor = host::Rgb(224, 224, 255);

  explicit Screen(host::Surface& windowCanvas);
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  host::Surface& canvas;
  // Where the status bar (and the wave banner) is composed before one copy to the window.
  host::Surface StatusWork;
  const host::Surface& ShipsPic;
  const host::Surface& PowerUpsPic;
  const host::Surface& BarPic;
  const host::Surface& BlasterPic;
  const host::Surface& WeaponsPic;
  const host::Surface& EnemiesPic;
  const host::Surface& EnemiesMask;
  // Arial 12 pt bold italic, the window's font; StatusWork borrows it.
  const host::Font& font;

  // Paints the play field (rows 50 to 479) black.
  void ClearPlayField();
  // Dims the play field (destination AND grey 57); doing it twice changes nothing more.
  void DarkenPlayField();
  // Prints lines at x from y on, one text line apart, in the window's font and colour.
  void PrintLines(int x, int y, std::initializer_list<std::string> lines);
};

}  // namespace game
