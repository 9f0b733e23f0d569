#include "game/Random.h"

namespace game {

void Random::Seed(std::uint32_t seed) {
  state_ = seed & 0xFFFFFF;
}

void Random::Force(std::vector<float> values) {
  forced_ = std::move(values);
  forcedAt_ = 0;
}

float Random::Next() {
  if (!forced_.empty()) {
    float v = forced_[forcedAt_];
    forcedAt_ = (forcedAt_ + 1) % forced_.size();
    return v;
  }
  state_ = (state_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFF;
  return static_cast<float>(state_) / 16777216.0f;
}

}  // namespace game
