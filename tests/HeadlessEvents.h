#pragma once
// Runs the headless host's queue dry, as the program's event loop would between commands.
#include "host/headless/HeadlessHost.h"

namespace testing_events {

inline void DeliverPending(host::HeadlessHost& host) {
  host.SetInputSource([] { throw host::ProgramExit{0}; });
  try {
    host.RunMainLoop();
  } catch (const host::ProgramExit&) {
  }
}

}  // namespace testing_events
