// The status bar: composed off screen in StatusWork and copied to the window.
#include "game/StatusBar.h"

#include <algorithm>
#include <string>

#include "game/MainForm.h"

namespace game {
namespace {

constexpr host::PixelRect kWholeBar{0, 0, 640, 50};
constexpr host::Color kTextColor = Screen::kTextColor;

// One part of a running game's bar. It draws only inside its own area, and no two areas
// meet, so a part can be cleared and drawn again on its own. Two states with the same look
// draw the part alike.
struct Part {
  host::PixelRect area;
  std::int64_t (*look)(const GameState& s);
  void (*draw)(const Screen& screen, const GameState& s, host::Surface& bar);
};

void DrawScore(const Screen& screen, const GameState& s, host::Surface& bar) {
  if (s.Paused) {
    bar.DrawText(10, 4, "Game Paused", screen.font, kTextColor);
    bar.DrawText(40, 18, "Hit F3", screen.font, kTextColor);
  } else {
    bar.DrawText(12, 12, std::to_string(s.Score), screen.font, kTextColor);
  }
}

void DrawBombs(const Screen& screen, const GameState& s, host::Surface& bar) {
  for (int bomb = 0; bomb < std::min(s.Bombs, 3); ++bomb)
    bar.Blit(605 - 25 * bomb, 10, 20, 20, screen.PowerUpsPic, 20, 0);
  if (s.Bombs > 3) bar.DrawText(630, 12, "+", screen.font, kTextColor);
}

void DrawRecharge(const Screen& screen, const GameState& s, host::Surface& bar) {
  bar.Blit(310, 10, 20, 20, screen.PowerUpsPic, s.RechargeTime != 0 ? 120 : 40, 0);
}

void DrawHull(const Screen& screen, const GameState& s, host::Surface& bar) {
  bar.Blit(340, 10, 2 * s.Hull, 8, screen.BarPic, 0, 0);
}

void DrawEnergy(const Screen& screen, const GameState& s, host::Surface& bar) {
  bar.Blit(340, 20, 2 * s.Energy, 8, screen.BarPic, 0, 8);
}

void DrawRookie(const Screen& screen, const GameState& s, host::Surface& bar) {
  if (s.RookieMode) bar.Blit(275, 10, 20, 20, screen.PowerUpsPic, 140, 0);
}

// The score is at most ten digits, well clear of the Rookie icon.
constexpr std::array<Part, StatusShown::kParts> kParts = {{
    {{0, 0, 275, 50},
     [](const GameState& s) { return s.Paused ? std::int64_t{1} << 32 : std::int64_t{s.Score}; },
     DrawScore},
    {{555, 0, 640, 50}, [](const GameState& s) { return std::int64_t{s.Bombs}; }, DrawBombs},
    {{310, 10, 330, 30},
     [](const GameState& s) { return std::int64_t{s.RechargeTime != 0}; },
     DrawRecharge},
    {{340, 10, 540, 18}, [](const GameState& s) { return std::int64_t{s.Hull}; }, DrawHull},
    {{340, 20, 540, 28}, [](const GameState& s) { return std::int64_t{s.Energy}; }, DrawEnergy},
    {{275, 10, 295, 30}, [](const GameState& s) { return std::int64_t{s.RookieMode}; }, DrawRookie},
}};

// What the bar shows while no game runs, or on F1 during one.
void DrawHelp(const Screen& screen, const GameState& s, host::Surface& bar) {
  const host::Font& font = screen.font;
  bar.DrawText(12, 6, "[F2] - Start new game", font, kTextColor);
  bar.DrawText(12, 6 + font.Height(), "[Esc] - Return to main menu", font, kTextColor);
  if (s.RookieMode) {
    const char* text = "Rookie mode";
    bar.DrawText(620 - font.TextWidth(text), (50 - font.Height()) / 2, text, font, kTextColor);
  }
}

void CopyToWindow(Screen& screen, const host::PixelRect& r) {
  screen.canvas.Blit(r.left, r.top, r.right - r.left, r.bottom - r.top, screen.StatusWork, r.left,
                     r.top);
}

}  // namespace

void UpdateStatus(MainForm& form) {
  GameState& s = form.state;
  Screen& screen = form.screen;
  host::Surface& bar = screen.StatusWork;
  StatusShown& shown = form.statusShown;
  if (s.Hull < 0) s.Hull = 0;
  if (s.Energy < 0) s.Energy = 0;
  const bool whole = !s.GameRunning || !shown.valid || bar.Version() != shown.workVersion;
  // Shots, debris and the bomb's ring may reach into the bar's rows; the next redraw covers
  // them up again.
  const bool copyWhole = whole || screen.canvas.WatchedChanges() != shown.windowChanges;
  if (whole) {
    bar.Clear(host::kBlack);
    if (!s.GameRunning) DrawHelp(screen, s, bar);
  }
  for (std::size_t i = 0; i < kParts.size() && s.GameRunning; ++i) {
    const Part& part = kParts[i];
    const std::int64_t look = part.look(s);
    if (!whole && look == shown.looks[i]) continue;
    if (!whole) {
      const host::PixelRect& a = part.area;
      bar.FillRect(a.left, a.top, a.right - 1, a.bottom - 1, host::kBlack);
    }
    part.draw(screen, s, bar);
    if (!copyWhole) CopyToWindow(screen, part.area);
    shown.looks[i] = look;
  }
  if (copyWhole) {
    screen.canvas.Watch(kWholeBar);
    CopyToWindow(screen, kWholeBar);
  }
  shown.valid = s.GameRunning;
  shown.workVersion = bar.Version();
  shown.windowChanges = screen.canvas.WatchedChanges();
  if (s.Paused) screen.DarkenPlayField();
}

}  // namespace game
