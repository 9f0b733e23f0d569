// The status bar: composed off screen in StatusWork and copied to the window in one piece.
#include "game/StatusBar.h"

#include <algorithm>
#include <string>

#include "game/MainForm.h"

namespace game {

void UpdateStatus(MainForm& form) {
  GameState& s = form.state;
  Screen& screen = form.screen;
  const host::Font& font = screen.font;
  host::Surface& bar = screen.StatusWork;
  constexpr host::Color kTextColor = Screen::kTextColor;
  bar.Clear(host::kBlack);
  if (s.Hull < 0) s.Hull = 0;
  if (s.Energy < 0) s.Energy = 0;
  const host::Surface& powerUps = screen.PowerUpsPic;
  const host::Surface& bars = screen.BarPic;
  if (s.GameRunning) {
    if (s.Paused) {
      bar.DrawText(10, 4, "Game Paused", font, kTextColor);
      bar.DrawText(40, 18, "Hit F3", font, kTextColor);
    } else {
      bar.DrawText(12, 12, std::to_string(s.Score), font, kTextColor);
    }
    for (int bomb = 0; bomb < std::min(s.Bombs, 3); ++bomb)
      bar.Blit(605 - 25 * bomb, 10, 20, 20, powerUps, 20, 0);
    if (s.Bombs > 3) bar.DrawText(630, 12, "+", font, kTextColor);
    bar.Blit(310, 10, 20, 20, powerUps, s.RechargeTime != 0 ? 120 : 40, 0);
    bar.Blit(340, 10, 2 * s.Hull, 8, bars, 0, 0);
    bar.Blit(340, 20, 2 * s.Energy, 8, bars, 0, 8);
    if (s.RookieMode) bar.Blit(275, 10, 20, 20, powerUps, 140, 0);
  } else {
    bar.DrawText(12, 6, "[F2] - Start new game", font, kTextColor);
    bar.DrawText(12, 6 + font.Height(), "[Esc] - Return to main menu", font, kTextColor);
    if (s.RookieMode) {
      const char* text = "Rookie mode";
      bar.DrawText(620 - font.TextWidth(text), (50 - font.Height()) / 2, text, font, kTextColor);
    }
  }
  screen.canvas.Blit(0, 0, 640, 50, bar, 0, 0);
  if (s.Paused) screen.DarkenPlayField();
}

}  // namespace game
