#include "app/DesktopGame.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/record/RecordingHost.h"
#include "assets/Assets.h"
#include "host/FileOps.h"
#include "host/RegistryFile.h"
#include "host/sdl/SdlHost.h"
#include "shell/Program.h"
#include "shell/ScreenSettings.h"

namespace {

// SKIRMORA_SCALE=N draws every window N times its size; 0 leaves it to the display.
int ScaleAsked() {
  const char* text = std::getenv("SKIRMORA_SCALE");
  if (text == nullptr || *text == 0) return 0;
  int scale = 0;
  const char* end = text + std::strlen(text);
  const auto [at, error] = std::from_chars(text, end, scale);
  if (error == std::errc() && at == end && scale >= 1 && scale <= 16) return scale;
  std::fprintf(stderr,
               "skirmora: SKIRMORA_SCALE must be a whole number from 1 to 16, not \"%s\"; the "
               "display's factor is used\n",
               text);
  return 0;
}

}  // namespace

host::ScreenOptions DesktopScreen(bool windowed) {
  // Deliberate: the F11 choice is not asked for here; it lives in the settings file, which
  // a replay must never read.
  host::ScreenOptions screen;
  screen.choice.windowed = windowed;
  screen.scale = ScaleAsked();
  return screen;
}

int RunDesktopGame(const DesktopGameOptions& options) {
  // A recording that could not be saved would be a whole game lost: say so before it starts.
  if (!options.recordPath.empty()) {
    if (const auto problem = host::fileops::CheckReplaceable(options.recordPath)) {
      std::fprintf(stderr, "skirmora: cannot record to %s: %s\n", options.recordPath.c_str(),
                   problem->c_str());
      return 1;
    }
  }
  host::DesktopArt art{assets::Picture("Icon32"), assets::Cursor("Hand")};
  auto store = std::make_unique<host::FileRegistryStore>(host::DefaultRegistryPath());
  host::ScreenOptions screen;
  screen.choice = shell::LoadScreenChoice(*store);
  screen.choice.windowed = screen.choice.windowed || options.windowed;
  screen.scale = ScaleAsked();
  // The store moves into the host, which outlives every use of this.
  screen.remember = [kept = store.get()](const host::ScreenChoice& choice) {
    shell::StoreScreenChoice(*kept, choice);
  };
  auto host = host::MakeSdlHost(std::move(store), std::move(art), nullptr, std::move(screen));
  if (!host) return 1;
  record::ScenarioLog log;
  std::unique_ptr<record::RecordingHost> recorder;
  if (!options.recordPath.empty()) recorder = std::make_unique<record::RecordingHost>(*host, log);
  int status = 0;
  {
    shell::Program program(recorder ? *recorder : *host);
    try {
      program.Main();
      host->RunMainLoop();
    } catch (const host::ProgramExit& exit) {
      status = exit.status;
    } catch (const std::exception& fault) {
      status = program.EndAfterFault(&fault);
    } catch (...) {
      status = program.EndAfterFault(nullptr);
    }
  }
  // Only the recording is written here: the settings were saved (or not) on the way out.
  if (recorder && !log.SaveTo(options.recordPath, "skirmora") && status == 0) status = 1;
  return status;
}
