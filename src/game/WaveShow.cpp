// The show between waves: banner, fireworks, the counted bonus.
#include "game/WaveShow.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

#include "assets/Assets.h"
#include "game/Combat.h"

namespace game {
namespace {

constexpr std::int64_t kMaxScore = std::numeric_limits<std::int32_t>::max();
constexpr int kBannerY = 70;

// The light half of the standard 16-colour palette (entries 9 to 15): rockets are never dark.
constexpr std::array<host::Color, 7> kRocketColours = {
    host::Rgb(0, 0, 255),   host::Rgb(0, 255, 0),   host::Rgb(0, 255, 255),  host::Rgb(255, 0, 0),
    host::Rgb(255, 0, 255), host::Rgb(255, 255, 0), host::Rgb(255, 255, 255)};

// Wave² × 250 in a normal game, nothing in Rookie mode. Any wave past 2930 earns more than
// a score can hold, so the square is taken of a bounded wave.
std::int64_t WaveBonus(const GameState& s) {
  if (s.RookieMode) return 0;
  const std::int64_t wave = std::clamp<std::int64_t>(s.Wave, 0, 1 << 16);
  return wave * wave * 250;
}

void ComposeBanner(MainForm& form) {
  const GameState& s = form.state;
  host::Surface& banner = form.screen.StatusWork;
  const host::Font& font = form.screen.font;
  banner.Clear(host::kBlack);
  banner.DrawText(
      0, 0, "Congratulations on defeating WAVE " + std::to_string(s.Wave) + " of the evil Zorbs.",
      font, Screen::kTextColor);
  const std::string message = s.RookieMode && s.Wave >= 1 && s.Wave <= 3
                                  ? assets::String(200 + s.Wave)
                                  : RandomMessage(form.game);
  banner.DrawText(0, font.Height(), message, font, Screen::kTextColor);
}

void SlideBannerIn(MainForm& form) {
  for (int x = 620; x >= 40; x -= 20) {
    form.screen.canvas.Blit(x, kBannerY, 640, 50, form.screen.StatusWork, 0, 0);
    form.Host().Sleep(25);
  }
}

void SlideBannerOut(MainForm& form) {
  host::Surface& canvas = form.screen.canvas;
  const int height = form.screen.StatusWork.Height();
  for (int x = 40; x >= -640; x -= 20) {
    canvas.Blit(x, kBannerY, 640, 50, form.screen.StatusWork, 0, 0);
    // Deliberate: a strip at the banner's left edge goes black at each step; that is how the
    // banner has always left.
    canvas.FillRect(x, kBannerY, x + 20, kBannerY + height, host::kBlack);
    form.Host().Sleep(25);
  }
}

// Rocket k rises from the bottom and bursts into 20 sparks that fall and fade to black,
// while the score shown counts up another third of the bonus.
void Firework(MainForm& form, int k, std::int64_t bonus) {
  const GameState& s = form.state;
  host::Surface& canvas = form.screen.canvas;
  const host::Color colour = kRocketColours.at(static_cast<std::size_t>(RndBelow(form, 7)));
  std::int32_t x = 320, y = 405;
  const std::int32_t dx = RndBelow(form, 7) - 3;
  std::int32_t dy = -8;
  for (int step = 0; step < 21; ++step) {
    canvas.SetPixel(x, y, host::kBlack);
    if (Rnd(form) < 0.15f) --dy;  // the rocket speeds up
    x += dx;
    y += dy;
    canvas.SetPixel(x, y, colour);
    form.Host().Sleep(50);
  }
  std::array<Projectile, 20> sparks{};
  for (Projectile& spark : sparks) {
    spark.X = x;
    spark.Y = y;
    spark.DX = RndBelow(form, 11) - 5;
    spark.DY = RndBelow(form, 11) - 5;
  }
  for (int f = 1; f <= 25; ++f) {
    // Grey ANDed with the rocket's colour: the sparks fade to black on the last frame.
    const int grey = ((25 - f) * 255) / 25;
    const host::Color shade = host::Rgb(grey, grey, grey) & colour;
    for (Projectile& spark : sparks) {
      canvas.SetPixel(spark.X, spark.Y, host::kBlack);
      if (Rnd(form) < 0.2f) ++spark.DY;  // sparks fall
      spark.X += spark.DX;
      spark.Y += spark.DY;
      canvas.SetPixel(spark.X, spark.Y, shade);
    }
    const std::int64_t shown = std::min(kMaxScore, s.Score + ((f + 25 * k) * bonus) / 75);
    canvas.FillRect(0, 0, 200, 50, host::kBlack);
    canvas.DrawText(12, 12, std::to_string(shown), form.screen.font, Screen::kTextColor);
    form.Host().Sleep(50);
  }
}

}  // namespace

void CompleteWave(MainForm& form) {
  GameState& s = form.state;
  const std::int64_t bonus = WaveBonus(s);
  const auto finalScore = static_cast<std::int32_t>(std::min(kMaxScore, s.Score + bonus));
  ComposeBanner(form);
  form.game.sound.PlaySound("SWin");  // Deliberate: even with reduced sound
  SlideBannerIn(form);
  for (int k = 0; k < 3; ++k) Firework(form, k, bonus);
  SlideBannerOut(form);
  s.Score = finalScore;
  form.screen.ClearPlayField();
  s.WaveStage = 1;
  ++s.Wave;
}

std::string RandomMessage(Game& game) {
  // The table says how many messages follow it, so messages can be added without code.
  const std::string count = assets::String(100);
  int n = 0;
  std::from_chars(count.data(), count.data() + count.size(), n);
  const auto pick = static_cast<int>(game.random.Next() * static_cast<float>(std::max(n, 1)));
  return assets::String(101 + pick);
}

}  // namespace game
