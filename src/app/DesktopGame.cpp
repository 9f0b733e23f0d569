#include "app/DesktopGame.h"

#include <memory>

#include "assets/Assets.h"
#include "host/RegistryFile.h"
#include "host/sdl/SdlHost.h"
#include "shell/Program.h"

int RunDesktopGame() {
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
