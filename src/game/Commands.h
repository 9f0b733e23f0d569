#pragma once

namespace game {

class MainForm;

// The command keys of the game window: new game, pause, quit, sound, help, cheat.
void CommandKeyDown(MainForm& form, int keyCode, int shift);
// Back to the menu, asking first while a game runs.
void Escape(MainForm& form);
// Pauses a running game that is not paused yet, as a Windows key does.
void PauseRunningGame(MainForm& form);
// The keyboard focus left the program for another one (false) or came back (true): a
// running game pauses, and the sound is silent while the program is in the background.
void FocusChanged(MainForm& form, bool programHasFocus);

}  // namespace game
