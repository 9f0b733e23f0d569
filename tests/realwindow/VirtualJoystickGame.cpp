// skirmora-virtual-joystick: the desktop game with one joystick plugged in that exists only
// inside the process, worked by lines read from the file (a named pipe) that the variable
// SKIRMORA_STICK names: "axis X Y" (raw readings, 0 to 65535, 32768 at rest) and
// "button N down|up". For the real-window checks on machines that have no joystick (and no
// way to fake one in the kernel).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "app/DesktopGame.h"
#include "host/sdl/VirtualJoystick.h"

int main() {
  const char* commands = std::getenv("SKIRMORA_STICK");
  if (commands == nullptr) {
    std::fprintf(stderr, "skirmora-virtual-joystick: SKIRMORA_STICK names no command pipe\n");
    return 2;
  }
  host::sdl::VirtualJoystick pad("Virtual Pad", 4);
  if (!pad.Attached()) {
    std::fprintf(stderr, "skirmora-virtual-joystick: SDL refused the virtual joystick\n");
    return 1;
  }
  std::thread([&pad, commands] {
    std::ifstream in(commands);
    for (std::string line; std::getline(in, line);) {
      std::istringstream words(line);
      std::string what, state;
      int a = 0, b = 0;
      if (!(words >> what)) continue;
      if (what == "axis" && words >> a >> b) {
        pad.SetAxes(a, b);
      } else if (what == "button" && words >> a >> state) {
        pad.SetButton(a, state == "down");
      } else {
        std::fprintf(stderr, "skirmora-virtual-joystick: cannot read \"%s\"\n", line.c_str());
      }
    }
  }).detach();
  return RunDesktopGame();
}
