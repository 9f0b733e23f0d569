// The status bar: composed off screen in StatusWork and copied to the window in one piece.
#include "assets/Assets.h"
#include "game/MainForm.h"

namespace game {

void MainForm::UpdateStatus() {
  GameState& s = game_.state;
  const host::Font& font = WindowFont();
  StatusWork.Clear(host::kBlack);
  if (s.Hull < 0) s.Hull = 0;
  if (s.Energy < 0) s.Energy = 0;
  const host::Surface& powerUps = assets::Picture("PowerUpsPic");
  const host::Surface& bars = assets::Picture("BarPic");
  if (s.GameRunning) {
    if (s.Paused) {
      StatusWork.DrawText(10, 4, "Game Paused", font, kTextColor);
      StatusWork.DrawText(40, 18, "Hit F3", font, kTextColor);
    } else {
      StatusWork.DrawText(12, 12, std::to_string(s.Score), font, kTextColor);
    }
    for (int bomb = 0; bomb < std::min(s.Bombs, 3); ++bomb)
      StatusWork.Blit(605 - 25 * bomb, 10, 20, 20, powerUps, 20, 0);
    if (s.Bombs > 3) StatusWork.DrawText(630, 12, "+", font, kTextColor);
    StatusWork.Blit(310, 10, 20, 20, powerUps, s.RechargeTime != 0 ? 120 : 40, 0);
    StatusWork.Blit(340, 10, 2 * s.Hull, 8, bars, 0, 0);
    StatusWork.Blit(340, 20, 2 * s.Energy, 8, bars, 0, 8);
    if (s.RookieMode) StatusWork.Blit(275, 10, 20, 20, powerUps, 140, 0);
  } else {
    StatusWork.DrawText(12, 6, "[F2] - Start new game", font, kTextColor);
    StatusWork.DrawText(12, 6 + font.Height(), "[Esc] - Return to main menu", font, kTextColor);
    if (s.RookieMode) {
      const char* text = "Rookie mode";
      StatusWork.DrawText(620 - font.TextWidth(text), (50 - font.Height()) / 2, text, font, kTextColor);
    }
  }
  window_->Canvas().Blit(0, 0, 640, 50, StatusWork, 0, 0);
  if (s.Paused) DarkenPlayField();
}

}  // namespace game
