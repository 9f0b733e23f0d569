#include "app/replay/Viewer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/script/Recording.h"
#include "assets/Assets.h"
#include "host/Keys.h"
#include "host/RegistryFile.h"

namespace replay {
namespace {

// How long one wait on the screen lasts at most, so that a pause is taken up at once.
constexpr std::int64_t kSliceMs = 50;
// Fallen further behind than this (a busy machine), the run goes on from where it is
// instead of hurrying to catch up.
constexpr std::int64_t kSlipMs = 200;

}  // namespace

Viewer::Viewer(host::Host& screen) : screen_(screen), mirrors_(screen) {
  host::WatchOnly(screen_, [this](int keyCode) { KeyPressed(keyCode); });
}

void Viewer::Started(host::HeadlessHost& run) {
  run_ = &run;
  run.Audio().PlayThrough(&screen_.Audio());
  origin_ = screen_.NowMs() - run.NowMs();
}

void Viewer::Until(std::int64_t ms) {
  mirrors_.Follow(run_->Windows());
  for (;;) {
    const std::int64_t now = screen_.NowMs(), due = origin_ + ms;
    if (!paused_ && now >= due) {
      if (now - due > kSlipMs) origin_ = now - ms;
      return;
    }
    screen_.Sleep(static_cast<int>(paused_ ? kSliceMs : std::min(due - now, kSliceMs)));
  }
}

void Viewer::Presented() {
  mirrors_.Follow(run_->Windows());
}

void Viewer::Hold(std::int64_t ms) {
  // The run stands still: its clock keeps its time while the screen's goes on.
  const std::int64_t now = run_->NowMs();
  origin_ = std::max(origin_, screen_.NowMs() - now) + std::min(ms, kLongestHoldMs);
  Until(now);
}

void Viewer::Answering(std::int64_t readMs) {
  Hold(std::max(readMs, kDialogMs));
}

void Viewer::KeyPressed(int keyCode) {
  if (keyCode == host::vk::Escape) throw host::ProgramExit{0};
  if (keyCode != host::vk::Letter('P') || run_ == nullptr) return;
  const std::int64_t now = screen_.NowMs();
  paused_ = !paused_;
  if (paused_) {
    pausedAt_ = now;
  } else {
    origin_ += now - pausedAt_;
  }
  // Silent while paused; afterwards as the game would have it.
  screen_.Audio().SetMuted(paused_ || run_->Audio().Muted());
}

int WatchRecording(const std::string& path, host::ScreenOptions screen) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "skirmora: cannot read %s\n", path.c_str());
    return 2;
  }
  const script::CheckedRecording checked = script::ReadRecording(file);
  if (!checked.accepted) {
    std::fprintf(stderr, "skirmora: %s\n", script::Refusal(checked).c_str());
    return 2;
  }
  // A replay writes no file, not even the compose cache Xlib would keep for the game.
  setenv("XCOMPOSECACHE", "", 0);
  auto sdl = host::MakeSdlHost(std::make_unique<host::MemoryRegistryStore>(),
                               {assets::Picture("Icon32"), assets::Cursor("Hand")}, nullptr,
                               std::move(screen));
  if (!sdl) return 1;
  Viewer viewer(*sdl);
  std::istringstream text(checked.text);
  std::ostream nowhere(nullptr);
  script::Runner runner(text, nowhere, sdl->ProgramFolder(), sdl->ProgramFileName());
  runner.WatchWith(viewer, "skirmora");
  return runner.Run();
}

}  // namespace replay
