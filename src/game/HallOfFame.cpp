// The hall of fame drawn on the play field between games.
#include "game/HallOfFame.h"

#include <cmath>
#include <string>

#include "game/MainForm.h"

namespace game {

void DrawHighScores(MainForm& form) {
  const GameState& s = form.state;
  Screen& screen = form.screen;
  host::Surface& canvas = screen.canvas;
  const host::Font& font = screen.font;
  constexpr host::Color kTextColor = Screen::kTextColor;
  screen.ClearPlayField();
  const std::string title = "Skirmora   Hall of Fame";
  // Rounded half to even, as the window system's conversion does.
  const int tw = static_cast<int>(std::nearbyint(static_cast<double>(font.TextWidth(title))));
  const int m = 320 - tw / 2;
  int y = 100;
  canvas.DrawText(m, y, title, font, kTextColor);
  y += 2 * font.Height();
  for (std::size_t i = 0; i < 10; ++i) {
    canvas.DrawText(m + 50, y, s.HighScoreNames[i], font, kTextColor);
    canvas.DrawText(m + 100, y, std::to_string(s.HighScores[i]), font, kTextColor);
    y += font.Height();
  }
  if (s.LastScore != 0) {
    y += font.Height();
    canvas.DrawText(m + 50, y, "You", font, kTextColor);
    canvas.DrawText(m + 100, y, std::to_string(s.LastScore), font, kTextColor);
  }
}

}  // namespace game
