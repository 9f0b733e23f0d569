#include <algorithm>

#include "host/TickSchedule.h"
#include "host/sdl/SdlHostImpl.h"

namespace host::sdl {

struct TimerState {
  std::function<void()> onTick;
  int interval = 0;
  bool enabled = false;  // a new timer waits to be switched on
  bool running = false;  // inside its own tick: never re-entered
  std::int64_t due = 0;
};

namespace {

class SdlTimer final : public Timer {
 public:
  SdlTimer(SdlHost& host, std::shared_ptr<TimerState> state)
      : host_(host), state_(std::move(state)) {
    host_.AddTimer(state_);
  }
  ~SdlTimer() override { host_.RemoveTimer(state_.get()); }
  SdlTimer(const SdlTimer&) = delete;
  SdlTimer& operator=(const SdlTimer&) = delete;

  void SetEnabled(bool enabled) override {
    // Switching on a stopped timer starts a fresh interval; switching on a running one (as
    // every frame does) keeps its rhythm.
    if (enabled && !state_->enabled) state_->due = host_.NowMs() + state_->interval;
    state_->enabled = enabled;
  }
  bool Enabled() const override { return state_->enabled; }
  void SetInterval(int ms) override {
    state_->interval = std::max(1, ms);
    state_->due = host_.NowMs() + state_->interval;
  }
  int Interval() const override { return state_->interval; }

 private:
  SdlHost& host_;
  std::shared_ptr<TimerState> state_;
};

}  // namespace

std::unique_ptr<Timer> SdlHost::CreateTimer(int intervalMs, std::function<void()> onTick) {
  auto state = std::make_shared<TimerState>();
  state->onTick = std::move(onTick);
  state->interval = std::max(1, intervalMs);
  return std::make_unique<SdlTimer>(*this, std::move(state));
}

void SdlHost::AddTimer(const std::shared_ptr<TimerState>& timer) {
  timers_.push_back(timer);
}

void SdlHost::RemoveTimer(const TimerState* timer) {
  std::erase_if(timers_, [timer](const auto& t) { return t.get() == timer; });
}

bool SdlHost::FireDueTimers() {
  const std::int64_t start = NowMs();
  if (std::none_of(timers_.begin(), timers_.end(), [start](const auto& t) {
        return t->enabled && !t->running && t->due <= start;
      })) {
    return false;
  }
  bool fired = false;
  // A tick may create or destroy timers (its own included): work on a copy that keeps
  // every state alive, and skip the ones that went away meanwhile.
  const std::vector<std::shared_ptr<TimerState>> snapshot = timers_;
  for (const auto& t : snapshot) {
    const bool live = std::find(timers_.begin(), timers_.end(), t) != timers_.end();
    if (!live || !t->enabled || t->running) continue;
    const std::int64_t now = NowMs();
    if (t->due > now) continue;
    t->due = NextTickDue(t->due, t->interval, now);
    t->running = true;
    struct Reset {
      TimerState& s;
      ~Reset() { s.running = false; }
    } reset{*t};
    t->onTick();
    fired = true;
  }
  return fired;
}

std::int64_t SdlHost::NextDeadline() const {
  std::int64_t next = focus_.Due();
  for (const auto& t : timers_) {
    if (!t->enabled || t->running) continue;
    if (next < 0 || t->due < next) next = t->due;
  }
  return next;
}

}  // namespace host::sdl
