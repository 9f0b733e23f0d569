#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "host/sdl/SdlHostImpl.h"

namespace host::sdl {
namespace {

std::filesystem::path OwnPath() {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : p;
}

// Whether a program of that name can be run from a folder on the PATH.
bool OnPath(std::string_view program) {
  const char* path = std::getenv("PATH");
  std::string_view folders = path != nullptr ? path : "";
  for (;;) {
    const std::size_t colon = folders.find(':');
    std::string folder(folders.substr(0, colon));
    if (folder.empty()) folder = ".";
    if (access((folder + "/" + std::string(program)).c_str(), X_OK) == 0) return true;
    if (colon == std::string_view::npos) return false;
    folders.remove_prefix(colon + 1);
  }
}

}  // namespace

void SdlHost::OpenDocument(const std::string& target) {
  // Deliberate: SDL hands the address to xdg-open as one argument, no shell between, and does
  // not wait for it. It reports success whether or not xdg-open could be started, so its
  // absence is looked for here: then the player is told the address, to open it some other way.
  if (OnPath("xdg-open") && SDL_OpenURL(target.c_str()) == 0) return;
  MessageBox("Skirmora",
             "Nothing on this computer could open this address:\n\n" + target +
                 "\n\nYou can type it into your web browser or mail program.",
             MsgIcon::Exclamation, MsgButtons::Ok);
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
