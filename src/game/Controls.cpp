// The held controls as the keyboard sets them. The frame acts on them once a frame.
#include "game/Controls.h"

#include "game/MainForm.h"
#include "host/Keys.h"

namespace game {
namespace {

enum class Held { None, Left, Right, Up, Down, Fire, Bomb, Shields, NextWeapon };

Held ControlOfKey(int keyCode) {
  using namespace host::vk;
  switch (keyCode) {
    case Left:
    case Numpad(4):
      return Held::Left;
    case Right:
    case Numpad(6):
      return Held::Right;
    case Up:
    case Numpad(8):
      return Held::Up;
    case Down:
    case Numpad(2):
      return Held::Down;
    case Insert:
    case Numpad(0):
      return Held::Fire;
    case Space:
    case Return:
    case Numpad(5):
      return Held::Bomb;
    case Delete:
    case Decimal:
      return Held::Shields;
    case Add:
      return Held::NextWeapon;
    default:
      return Held::None;
  }
}

// Ctrl fires, Alt raises the shields and Shift steps the weapon.
// Deliberate: every key event sets those three from the modifiers, so another key pressed
// while Insert, Delete or keypad plus is held clears that control until the key repeats or is
// pressed again.
void FromModifiers(GameState& s, int shift) {
  s.ShieldsHeld = (shift & host::kAltMask) != 0;
  s.FireHeld = (shift & host::kCtrlMask) != 0;
  s.NextWeaponHeld = (shift & host::kShiftMask) != 0;
}

void Apply(GameState& s, Held control, bool down) {
  switch (control) {
    case Held::Left:
      s.MoveX = down ? 1 : 0;
      break;
    case Held::Right:
      s.MoveX = down ? -1 : 0;
      break;
    case Held::Up:
      s.MoveY = down ? 1 : 0;
      break;
    case Held::Down:
      s.MoveY = down ? -1 : 0;
      break;
    case Held::Fire:
      s.FireHeld = down;
      break;
    case Held::Bomb:
      s.BombHeld = down;
      break;
    case Held::Shields:
      s.ShieldsHeld = down;
      break;
    case Held::NextWeapon:
      s.NextWeaponHeld = down;
      break;
    case Held::None:
      break;
  }
}

}  // namespace

void HeldControlKeyDown(MainForm& form, int keyCode, int shift) {
  FromModifiers(form.state, shift);
  Apply(form.state, ControlOfKey(keyCode), true);
}

void HeldControlKeyUp(MainForm& form, int keyCode, int shift) {
  FromModifiers(form.state, shift);
  Apply(form.state, ControlOfKey(keyCode), false);
}

void ReleaseHeldControls(GameState& s) {
  s.MoveX = s.MoveY = 0;
  s.FireHeld = s.BombHeld = s.ShieldsHeld = s.NextWeaponHeld = false;
}

}  // namespace game
