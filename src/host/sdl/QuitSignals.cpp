#include "host/sdl/QuitSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace host::sdl {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int gPipe[2] = {-1, -1};
struct sigaction gOld[3];

void OnSignal(int sig) {
  const int savedErrno = errno;
  const char byte = static_cast<char>(sig);
  [[maybe_unused]] const ssize_t n = write(gPipe[1], &byte, 1);
  errno = savedErrno;
}

}  // namespace

QuitSignals::QuitSignals(Uint32 eventType) : eventType_(eventType) {
  if (pipe2(gPipe, O_CLOEXEC) != 0) {
    gPipe[0] = gPipe[1] = -1;
    return;
  }
  fcntl(gPipe[1], F_SETFL, O_NONBLOCK);
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &sa, &gOld[i]);
  relay_ = std::thread([this] { Relay(); });
}

QuitSignals::~QuitSignals() {
  if (gPipe[0] < 0) return;
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &gOld[i], nullptr);
  Stop();
  close(gPipe[0]);
  close(gPipe[1]);
  gPipe[0] = gPipe[1] = -1;
}

void QuitSignals::Stop() {
  if (!relay_.joinable()) return;
  // The write end is non-blocking, so that a handler never hangs on a pipe nobody reads any
  // more; the relay empties a full pipe, so the stop byte finds room in the end.
  const char stop = 0;
  while (write(gPipe[1], &stop, 1) != 1) std::this_thread::yield();
  relay_.join();
}

void QuitSignals::Relay() {
  for (;;) {
    char byte = 0;
    const ssize_t n = read(gPipe[0], &byte, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || byte == 0) return;
    SDL_Event e{};
    e.type = eventType_;
    SDL_PushEvent(&e);
  }
}

}  // namespace host::sdl
