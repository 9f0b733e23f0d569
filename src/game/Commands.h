#pragma once

namespace game {

class MainForm;

// The command keys of the game window: new game, pause, quit, sound, help, cheat.
void CommandKeyDown(MainForm& form, int keyCode, int shift);
// Back to the menu, asking first while a game runs.
void Escape(MainForm& form);

}  // namespace game
