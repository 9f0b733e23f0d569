#pragma once

namespace game {

class MainForm;

// Composes the status bar in StatusWork and copies it to the window in one piece; keeps
// the play field darkened while paused.
void UpdateStatus(MainForm& form);

}  // namespace game
