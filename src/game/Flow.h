#pragma once

namespace game {

class MainForm;

// Resets the state for a new game and sets up its first wave.
void NewGame(MainForm& form);
// Starts a new game on the open game window.
void StartGame(MainForm& form);
// Stops the frame timer and redraws the status bar.
void SuspendPlay(MainForm& form);
// Redraws the status bar and restarts the frame timer, if a game is running.
void ResumePlay(MainForm& form);
// Ends the running game; `quiet` skips the message, the wait and the hall-of-fame redraw.
void GameOver(MainForm& form, bool quiet);

}  // namespace game
