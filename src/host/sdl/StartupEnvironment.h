// What the environment tells SDL, libdbus and Xlib while SDL's video subsystem starts, for
// a first window that comes up quickly.
#pragma once

namespace host::sdl {

// Set on construction, taken back on destruction, so that what the game starts later (a
// browser) finds the environment the player gave it:
// - Where the desktop's message bus cannot be found without starting one, SDL is told there
//   is none. libdbus would otherwise start one (dbus-launch, looked for along the PATH, and a
//   daemon that outlives the game), holding the first window back by tens of milliseconds for
//   a bus that no input method is on.
// - Xlib parses the keyboard's whole compose table (thousands of lines, for the dead keys
//   typed into the initials) whenever an input method opens, which was more than half of the
//   CPU the game spent before its first window. Xlib keeps the parsed table in a cache folder,
//   checked against the table itself, when it is told where: unless the player chose a folder
//   (XCOMPOSECACHE, even empty, or ~/.compose-cache), the game's own cache folder is used.
//   Xlib never uses one for root.
class StartupEnvironment {
 public:
  StartupEnvironment();
  ~StartupEnvironment();
  StartupEnvironment(const StartupEnvironment&) = delete;
  StartupEnvironment& operator=(const StartupEnvironment&) = delete;

 private:
  bool busHidden_ = false;
  bool composeCacheSet_ = false;
};

}  // namespace host::sdl
