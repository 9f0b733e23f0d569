#include "app/DesktopGame.h"

#include <cstdio>
#include <memory>

#include "app/record/RecordingHost.h"
#include "assets/Assets.h"
#include "host/FileOps.h"
#include "host/RegistryFile.h"
#include "host/sdl/SdlHost.h"
#include "shell/Program.h"

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
  auto host = host::MakeSdlHost(
      std::make_unique<host::FileRegistryStore>(host::DefaultRegistryPath()), std::move(art),
      nullptr, options.windowed);
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
