#pragma once
#include <SDL.h>

#include <thread>

namespace host::sdl {

// Turns SIGTERM, SIGINT and SIGHUP into an SDL event of type `eventType`. A signal handler
// may do next to nothing, so it writes the signal to a pipe; a small thread reads the pipe
// and pushes the event, which also wakes the UI thread's blocking wait.
class QuitSignals {
 public:
  explicit QuitSignals(Uint32 eventType);
  ~QuitSignals();
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

 private:
  void Relay();
  Uint32 eventType_;
  std::thread relay_;
};

}  // namespace host::sdl
