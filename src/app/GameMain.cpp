// skirmora: the game on the desktop.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "assets/Assets.h"
#include "host/RegistryFile.h"
#include "host/sdl/SdlHost.h"
#include "shell/Program.h"

int main(int argc, char** argv) {
  const app::CommandLine line = app::ParseCommandLine({argv + 1, argv + argc});
  switch (line.action) {
    case app::CommandLine::Action::Help:
      std::fputs(app::UsageText("skirmora").c_str(), stdout);
      return 0;
    case app::CommandLine::Action::Version: {
      const assets::Version v = assets::ProgramVersion();
      std::printf("skirmora %d.%d.%d\n", v.major, v.minor, v.revision);
      return 0;
    }
    case app::CommandLine::Action::Error:
      std::fprintf(stderr, "skirmora: %s (try 'skirmora --help')\n", line.error.c_str());
      return 2;
    case app::CommandLine::Action::Play:
      break;
  }
  host::DesktopArt art{assets::Picture("Icon32"), assets::Cursor("Hand")};
  auto host = host::MakeSdlHost(
      std::make_unique<host::FileRegistryStore>(host::DefaultRegistryPath()), std::move(art));
  if (!host) return 1;
  shell::Program program(*host);
  try {
    program.Main();
    host->RunMainLoop();
  } catch (const host::ProgramExit& exit) {
    return exit.status;
  }
  return 0;
}
