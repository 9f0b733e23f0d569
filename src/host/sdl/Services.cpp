#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "host/sdl/SdlHostImpl.h"

namespace host::sdl {
namespace {

std::filesystem::path OwnPath() {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : p;
}

}  // namespace

void SdlHost::OpenDocument(const std::string& target) {
  // Two forks: the middle child ends at once and is reaped here, so the opener never
  // becomes a zombie of ours and the game never waits for it. No shell sees the address.
  char program[] = "xdg-open";
  char* argv[] = {program, const_cast<char*>(target.c_str()), nullptr};
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    setsid();
    if (fork() == 0) {
      const int devNull = open("/dev/null", O_RDWR);
      if (devNull >= 0) {
        dup2(devNull, 0);
        dup2(devNull, 1);
        dup2(devNull, 2);
      }
      execvp(program, argv);
      _exit(127);
    }
    _exit(0);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

bool SdlHost::ScreenSaverActive() {
  return SDL_IsScreenSaverEnabled() == SDL_TRUE;
}

void SdlHost::SetScreenSaverActive(bool active) {
  if (DisplayGone()) return;
  if (active) {
    SDL_EnableScreenSaver();
  } else {
    SDL_DisableScreenSaver();
  }
}

bool SdlHost::CdAudioOpens() {
  const int fd = open("/dev/cdrom", O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  close(fd);
  return true;
}

std::string SdlHost::ProgramFolder() {
  return OwnPath().parent_path().string();
}

std::string SdlHost::ProgramFileName() {
  return OwnPath().filename().string();
}

bool SdlHost::FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace host::sdl
