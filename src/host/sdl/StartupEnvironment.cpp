#include "host/sdl/StartupEnvironment.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace host::sdl {
namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != 0;
}

bool IsDirectory(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Whether libdbus can find the desktop's message bus without starting one: by its address, or
// by the socket a systemd session keeps for it.
bool SessionBusKnown() {
  if (IsSet("DBUS_SESSION_BUS_ADDRESS")) return true;
  if (!IsSet("XDG_RUNTIME_DIR")) return false;
  struct stat bus {};
  return ::stat((std::string(std::getenv("XDG_RUNTIME_DIR")) + "/bus").c_str(), &bus) == 0 &&
         S_ISSOCK(bus.st_mode);
}

// The game's folder for Xlib's compose cache, made when missing (private to the user, as
// Xlib wants); empty when the player chose a folder or there is no home to put one in.
std::string ComposeCacheFolder() {
  if (std::getenv("XCOMPOSECACHE") != nullptr || !IsSet("DISPLAY") || !IsSet("HOME")) return {};
  const std::string home = std::getenv("HOME");
  if (IsDirectory(home + "/.compose-cache")) return {};
  const char* xdgCache = std::getenv("XDG_CACHE_HOME");
  std::string folder = xdgCache != nullptr && *xdgCache == '/' ? xdgCache : home + "/.cache";
  for (const char* part : {"/skirmora", "/compose"}) {
    ::mkdir(folder.c_str(), 0700);
    folder += part;
  }
  ::mkdir(folder.c_str(), 0700);
  return IsDirectory(folder) ? folder : std::string();
}

}  // namespace

StartupEnvironment::StartupEnvironment() {
  busHidden_ = !SessionBusKnown();
  if (busHidden_) setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
  const std::string composeCache = ComposeCacheFolder();
  composeCacheSet_ = !composeCache.empty();
  if (composeCacheSet_) setenv("XCOMPOSECACHE", composeCache.c_str(), 1);
}

StartupEnvironment::~StartupEnvironment() {
  if (busHidden_) unsetenv("DBUS_SESSION_BUS_ADDRESS");
  if (composeCacheSet_) unsetenv("XCOMPOSECACHE");
}

}  // namespace host::sdl
