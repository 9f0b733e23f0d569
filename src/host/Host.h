#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/Window.h"

namespace host {

class AudioOutput;
class RegistryStore;
class JoystickDevices;
class DisplayModes;

// A periodic timer whose ticks run on the UI thread, never re-entered. It is created
// switched off. Ticks keep to a steady rhythm of its interval; a tick that comes late (the
// thread was busy, asleep, or in a modal loop) comes once, never as a burst of the missed
// ones. Switching on a running timer changes nothing; a stopped one starts a fresh interval.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetInterval(int ms) = 0;
  virtual int Interval() const = 0;
};

enum class MsgIcon { None, Information, Question, Exclamation, Critical };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

// Thrown to end the program from anywhere, nested modal loops included; main() catches it.
struct ProgramExit {
  int status = 0;
};

// What the platform gives the program. One instance per run; everything on one thread.
class Host {
 public:
  virtual ~Host() = default;

  // --- windows and the event loop
  virtual std::unique_ptr<Window> CreateWindow(const WindowSpec& spec, WindowEvents& events) = 0;
  // Shows the window and runs a nested event loop until it is hidden or destroyed. While
  // it runs, input goes to this window only; other windows still paint and timers tick.
  virtual void RunModal(Window& window) = 0;
  // The outermost event loop. It ends only by ProgramExit.
  virtual void RunMainLoop() = 0;
  // The window that currently gets keyboard input (the innermost modal one), or null.
  virtual Window* FrontWindow() = 0;

  // --- time
  virtual std::unique_ptr<Timer> CreateTimer(int intervalMs, std::function<void()> onTick) = 0;
  // Blocks the program's logic for ms milliseconds. Windows stay alive and are presented;
  // input that arrives meanwhile is delivered after the sleep returns.
  virtual void Sleep(int ms) = 0;
  // Presents what has been drawn so far (an animation that has no waits).
  virtual void Present() = 0;
  // Milliseconds on a monotonic clock (virtual time in the headless back end).
  virtual std::int64_t NowMs() = 0;
  // A seed for the random generator taken from the system clock.
  virtual std::uint32_t ClockSeed() = 0;

  // --- dialogs (modal)
  virtual MsgResult MessageBox(const std::string& title, const std::string& text, MsgIcon icon,
                               MsgButtons buttons) = 0;
  // The text entered, or nothing when the box was cancelled.
  virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText) = 0;
  // Opens a popup menu with its top-left corner at client point (x, y) of `owner`. Items
  // are captions with "&" before the access key; "-" is a separator. Returns the index of
  // the chosen item, or -1 when the menu was dismissed.
  virtual int PopupMenu(Window& owner, int x, int y, const std::vector<std::string>& items,
                        bool rightButtonChooses) = 0;

  // --- services
  virtual RegistryStore& Registry() = 0;
  virtual AudioOutput& Audio() = 0;
  virtual JoystickDevices& Joysticks() = 0;
  virtual DisplayModes& Display() = 0;
  // Hands a web address or a mailto: address to the desktop's default program.
  virtual void OpenDocument(const std::string& target) = 0;
  virtual bool ScreenSaverActive() = 0;
  virtual void SetScreenSaverActive(bool active) = 0;
  // Whether the CD-audio device could be opened.
  virtual bool CdAudioOpens() = 0;
  // Folder (without a trailing separator) and file name of the running program.
  virtual std::string ProgramFolder() = 0;
  virtual std::string ProgramFileName() = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // Called (on the UI thread) when the system asks the program to end: SIGTERM, SIGINT,
  // SIGHUP, or the desktop session closing.
  virtual void SetQuitRequestHandler(std::function<void()> handler) = 0;
  // Called (on the UI thread) with false when the keyboard focus leaves the program's
  // windows for another program, and with true when it comes back to one of them. Moving
  // between the program's own windows and dialogs calls nothing. An empty handler stops it.
  virtual void SetFocusHandler(std::function<void(bool programHasFocus)> handler) = 0;
};

}  // namespace host
