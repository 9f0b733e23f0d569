#pragma once
#include <memory>

#include "host/DesktopArt.h"
#include "host/Host.h"
#include "host/RegistryStore.h"
#include "host/sdl/LoopClock.h"

namespace host {

// The real back end: windows, input, timers and dialogs over SDL2. Returns null, after a
// one-line message on stderr, when SDL's video subsystem cannot start (no display).
// Windows and timers made by the host must be destroyed before it. `art` gives the windows
// their icon and the hand pointer its picture. Without a `clock` the host keeps real time.
std::unique_ptr<Host> MakeSdlHost(std::unique_ptr<RegistryStore> registry, DesktopArt art,
                                  std::unique_ptr<sdl::LoopClock> clock = nullptr);

}  // namespace host
