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
  // Stops relaying, once the program has taken a quit request and is about to close a
  // window: pushing an event wakes the UI thread through one of its windows, and the relay
  // must not be half-way through that while the window is closed. Later signals are
  // swallowed. Returns once the relay has finished.
  void Stop();
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

 private:
  void Relay();
  Uint32 eventType_;
  std::thread relay_;
};

}  // namespace host::sdl
