#include "app/script/StateFields.h"

namespace script {

#define FIELD(n) StateField{#n, &game::GameState::n}

const std::vector<StateField>& StateFields() {
  static const std::vector<StateField> fields{
      FIELD(RookieMode), FIELD(ReducedSound), FIELD(Paused), FIELD(GameRunning), FIELD(Cheated),
      FIELD(ShipX), FIELD(ShipY), FIELD(Hull), FIELD(Energy), FIELD(ShieldsUp), FIELD(Score),
      FIELD(LastScore), FIELD(Wave), FIELD(WaveStage), FIELD(Bombs), FIELD(BombActive),
      FIELD(BombX), FIELD(BombY), FIELD(BombDelay), FIELD(RechargeTime), FIELD(VolleyTimer),
      FIELD(Weapon), FIELD(WeaponLevel), FIELD(WeaponReload), FIELD(ShotSpeed), FIELD(ReloadTime),
      FIELD(LaserTime), FIELD(LaserX), FIELD(FireButton), FIELD(ShieldsButton), FIELD(BombButton),
      FIELD(NextWeaponButton), FIELD(MoveX), FIELD(MoveY), FIELD(FireHeld), FIELD(BombHeld),
      FIELD(ShieldsHeld), FIELD(NextWeaponHeld), FIELD(WeaponSwitchDelay), FIELD(MusicVolume),
      FIELD(ScreenSaverWasActive), FIELD(KeyboardMode)};
  return fields;
}

#undef FIELD

const char* const kRecordFields[9] = {"Kind", "Friendly", "X",      "Y",       "DX",
                                      "DY",   "Target",   "Life",   "BeamTime"};

game::ProjectileList* ListByName(game::GameState& state, const std::string& name) {
  if (name == "Shots") return &state.Shots;
  if (name == "Debris") return &state.Debris;
  if (name == "Enemies") return &state.Enemies;
  if (name == "PowerUps") return &state.PowerUps;
  return nullptr;
}

std::int32_t* RecordField(game::Projectile& r, const std::string& name) {
  std::int32_t* fields[9] = {&r.Kind, &r.Friendly, &r.X, &r.Y, &r.DX, &r.DY, &r.Target, &r.Life, &r.BeamTime};
  for (int i = 0; i < 9; ++i)
    if (name == kRecordFields[i]) return fields[i];
  return nullptr;
}

}  // namespace script
