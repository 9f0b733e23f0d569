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
  // Where a change from one look to the other shows.
  host::PixelRect (*changed)(const host::PixelRect& area, std::int64_t was, std::int64_t is);
  // Draws the part, or as much of it as lies `within` (a meter draws only that much).
  void (*draw)(const Screen& screen, const GameState& s, host::Surface& bar,
               const host::PixelRect& within);
};

host::PixelRect Everywhere(const host::PixelRect& area, std::int64_t, std::int64_t) {
  return area;
}

// A meter is two pixels a point long from the left end of its area, at most the area's width:
// a change shows only between the two lengths.
host::PixelRect BetweenLengths(const host::PixelRect& area, std::int64_t was, std::int64_t is) {
  const auto end = [&](std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(area.left + 2 * value, area.left, area.right));
  };
  return {end(std::min(was, is)), area.top, end(std::max(was, is)), area.bottom};
}

// The part lying `within` of a meter of this value, from its strip at sourceY of BarPic.
void DrawMeter(const Screen& screen, std::int64_t value, int sourceY, host::Surface& bar,
               const host::PixelRect& within) {
  constexpr int kMeterLeft = 340;
  const auto end = std::clamp<std::int64_t>(kMeterLeft + 2 * value, within.left, within.right);
  bar.Blit(within.left, within.top, static_cast<int>(end) - within.left, within.bottom - within.top,
           screen.BarPic, within.left - kMeterLeft, sourceY);
}

void DrawScore(const Screen& screen, const GameState& s, host::Surface& bar,
               const host::PixelRect&) {
  if (s.Paused) {
    bar.DrawText(10, 4, "Game Paused", screen.font, kTextColor);
    bar.DrawText(40, 18, "Hit F3", screen.font, kTextColor);
  } else {
    bar.DrawText(12, 12, std::to_string(s.Score), screen.font, kTextColor);
  }
}

void DrawBombs(const Screen& screen, const GameState& s, host::Surface& bar,
               const host::PixelRect&) {
  for (int bomb = 0; bomb < std::min(s.Bombs, 3); ++bomb)
    bar.Blit(605 - 25 * bomb, 10, 20, 20, screen.PowerUpsPic, 20, 0);
  if (s.Bombs > 3) bar.DrawText(630, 12, "+", screen.font, kTextColor);
}

void DrawRecharge(const Screen& screen, const GameState& s, host::Surface& bar,
                  const host::PixelRect&) {
  bar.Blit(310, 10, 20, 20, screen.PowerUpsPic, s.RechargeTime != 0 ? 120 : 40, 0);
}

void DrawHull(const Screen& screen, const GameState& s, host::Surface& bar,
              const host::PixelRect& within) {
  DrawMeter(screen, s.Hull, 0, bar, within);
}

void DrawEnergy(const Screen& screen, const GameState& s, host::Surface& bar,
                const host::PixelRect& within) {
  DrawMeter(screen, s.Energy, 8, bar, within);
}

void DrawRookie(const Screen& screen, const GameState& s, host::Surface& bar,
                const host::PixelRect&) {
  if (s.RookieMode) bar.Blit(275, 10, 20, 20, screen.PowerUpsPic, 140, 0);
}

// The score is at most ten digits, well clear of the Rookie icon. The meters' areas are as
// wide as BarPic's strips (200 pixels, a value of 100).
constexpr std::array<Part, StatusShown::kParts> kParts = {{
    {{0, 0, 275, 50},
     [](const GameState& s) { return s.Paused ? std::int64_t{1} << 32 : std::int64_t{s.Score}; },
     Everywhere,
     DrawScore},
    {{555, 0, 640, 50},
     [](const GameState& s) { return std::int64_t{s.Bombs}; },
     Everywhere,
     DrawBombs},
    {{310, 10, 330, 30},
     [](const GameState& s) { return std::int64_t{s.RechargeTime != 0}; },
     Everywhere,
     DrawRecharge},
    {{340, 10, 540, 18},
     [](const GameState& s) { return std::int64_t{s.Hull}; },
     BetweenLengths,
     DrawHull},
    {{340, 20, 540, 28},
     [](const GameState& s) { return std::int64_t{s.Energy}; },
     BetweenLengths,
     DrawEnergy},
    {{275, 10, 295, 30},
     [](const GameState& s) { return std::int64_t{s.RookieMode}; },
     Everywhere,
     DrawRookie},
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
    const host::PixelRect a = whole ? part.area : part.changed(part.area, shown.looks[i], look);
    shown.looks[i] = look;
    if (a.Empty()) continue;  // a meter past its full length
    if (!whole) bar.FillRect(a.left, a.top, a.right - 1, a.bottom - 1, host::kBlack);
    part.draw(screen, s, bar, a);
    if (!copyWhole) CopyToWindow(screen, a);
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
