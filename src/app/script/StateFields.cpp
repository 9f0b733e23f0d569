#include "app/script/StateFields.h"

#include <limits>

namespace script {
namespace {

constexpr std::int32_t kLeast = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMost = std::numeric_limits<std::int32_t>::max();
constexpr Range kBool{-1, 0};
constexpr Range kCount{0, kMost};
// Positions, steps and lives of the moving objects. Far wider than the screen (a shot
// may slide sideways off it for a long time), yet small enough that no sum or product the
// game forms of them can overflow.
constexpr Range kFar{-(1 << 20), 1 << 20};

}  // namespace

// clang-format off
#define FIELD(n, lo, hi) StateField{#n, &game::GameState::n, Range{lo, hi}}
// clang-format on
#define FLAG(n) FIELD(n, kBool.min, kBool.max)

const std::vector<StateField>& StateFields() {
  static const std::vector<StateField> fields{
      FLAG(RookieMode),
      FLAG(ReducedSound),
      FLAG(Paused),
      FLAG(GameRunning),
      FLAG(Cheated),
      FIELD(ShipX, 0, 575),
      FIELD(ShipY, 50, 415),  // 50 only before the glide home
      FIELD(Hull, 0, 100),
      FIELD(Energy, 0, 100),
      FLAG(ShieldsUp),
      FIELD(Score, kCount.min, kCount.max),
      FIELD(LastScore, kCount.min, kCount.max),
      FIELD(Wave, 0, 9999),
      FIELD(WaveStage, 0, 5),
      FIELD(Bombs, kCount.min, kCount.max),
      FLAG(BombActive),
      FIELD(BombX, 0, 639),
      FIELD(BombY, 0, 479),
      FIELD(BombDelay, 0, 5),
      FIELD(RechargeTime, 0, 251),  // 250, and one more while hull and energy are full
      FIELD(VolleyTimer, 0, 20),
      FIELD(Weapon, 0, 7),
      FIELD(WeaponLevel, 0, 7),
      FIELD(WeaponReload, 0, 10),
      FIELD(ShotSpeed, 0, 15),
      FIELD(ReloadTime, 0, 10),
      FIELD(LaserTime, 0, 25),
      FIELD(LaserX, 0, 639),
      // The instructions window stores any whole number the player types; a number
      // outside the joystick's 12 buttons simply names no button.
      FIELD(FireButton, kLeast, kMost),
      FIELD(ShieldsButton, kLeast, kMost),
      FIELD(BombButton, kLeast, kMost),
      FIELD(NextWeaponButton, kLeast, kMost),
      FIELD(MoveX, -1, 1),
      FIELD(MoveY, -1, 1),
      FLAG(FireHeld),
      FLAG(BombHeld),
      FLAG(ShieldsHeld),
      FLAG(NextWeaponHeld),
      FIELD(WeaponSwitchDelay, 0, 2),
      FIELD(MusicVolume, -10000, 0),
      FLAG(ScreenSaverWasActive),
      FLAG(KeyboardMode),
  };
  return fields;
}

#undef FLAG
#undef FIELD

const char* const kRecordFields[9] = {"Kind", "Friendly", "X",    "Y",       "DX",
                                      "DY",   "Target",   "Life", "BeamTime"};

game::ProjectileList* ListByName(game::GameState& state, const std::string& name) {
  if (name == "Shots") return &state.Shots;
  if (name == "Debris") return &state.Debris;
  if (name == "Enemies") return &state.Enemies;
  if (name == "PowerUps") return &state.PowerUps;
  return nullptr;
}

std::int32_t* RecordField(game::Projectile& r, const std::string& name) {
  std::int32_t* fields[9] = {&r.Kind, &r.Friendly, &r.X,    &r.Y,       &r.DX,
                             &r.DY,   &r.Target,   &r.Life, &r.BeamTime};
  for (int i = 0; i < 9; ++i)
    if (name == kRecordFields[i]) return fields[i];
  return nullptr;
}

Range RecordRange(const std::string& list, const std::string& field) {
  if (field == "X" || field == "Y" || field == "DX" || field == "DY") return kFar;
  if (list == "Shots") {
    if (field == "Kind") return {0, 5};
    if (field == "Friendly") return kBool;
    if (field == "Target") return kFar;  // checked against the enemy count before use
  } else if (list == "Enemies") {
    if (field == "Kind") return {0, 3};
    if (field == "Life") return kFar;
    if (field == "BeamTime") return {0, 10};
  } else if (list == "PowerUps") {
    if (field == "Kind") return {0, 6};
  }
  return {0, 0};
}

}  // namespace script
