#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/record/RecordingJoysticks.h"
#include "app/record/ScenarioLog.h"
#include "host/Host.h"
#include "host/RegistryStore.h"

namespace record {

// Wraps the host the program runs on and writes down, as a scenario for the headless runner,
// everything the program learns from outside: what it reads at start-up (the clock's seed,
// the settings as stored, the CD probe, where it runs from), every input event a window of
// it receives, the frame timer's ticks between them, the answers of dialogs, focus changes,
// requests to quit, and the joysticks. Replayed, the scenario takes the program through the
// same states.
class RecordingHost final : public host::Host {
 public:
  RecordingHost(host::Host& inner, ScenarioLog& log);
  ~RecordingHost() override;
  RecordingHost(const RecordingHost&) = delete;
  RecordingHost& operator=(const RecordingHost&) = delete;

  std::unique_ptr<host::Window> CreateWindow(const host::WindowSpec& spec,
                                             host::WindowEvents& events) override;
  void RunModal(host::Window& window) override { inner_.RunModal(window); }
  void RunMainLoop() override { inner_.RunMainLoop(); }
  host::Window* FrontWindow() override { return inner_.FrontWindow(); }
  std::unique_ptr<host::Timer> CreateTimer(int intervalMs, std::function<void()> onTick) override;
  void Sleep(int ms) override;
  void Present() override { inner_.Present(); }
  std::int64_t NowMs() override { return inner_.NowMs(); }
  std::uint32_t ClockSeed() override;
  host::MsgResult MessageBox(const std::string& title, const std::string& text, host::MsgIcon icon,
                             host::MsgButtons buttons) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override;
  int PopupMenu(host::Window& owner, int x, int y, const std::vector<std::string>& items,
                bool rightButtonChooses) override;
  host::RegistryStore& Registry() override { return *registry_; }
  host::AudioOutput& Audio() override { return inner_.Audio(); }
  host::JoystickDevices& Joysticks() override { return joysticks_; }
  host::DisplayModes& Display() override { return inner_.Display(); }
  void OpenDocument(const std::string& target) override { inner_.OpenDocument(target); }
  bool ScreenSaverActive() override { return inner_.ScreenSaverActive(); }
  void SetScreenSaverActive(bool active) override { inner_.SetScreenSaverActive(active); }
  bool CdAudioOpens() override;
  std::string ProgramFolder() override;
  std::string ProgramFileName() override { return inner_.ProgramFileName(); }
  bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
  void SetQuitRequestHandler(std::function<void()> handler) override;
  void SetFocusHandler(std::function<void(bool)> handler) override;

  // The program's own handlers of a window created through a recording host (or `events`
  // itself when it was not).
  static host::WindowEvents& ProgramEvents(host::WindowEvents& events);

 private:
  class Events;
  // A dialog is open: a request to quit meanwhile reaches the program through it.
  struct InDialog;
  // An event line; it also ends the wait for a key's own character.
  void Input(std::string line);

  host::Host& inner_;
  ScenarioLog& log_;
  std::unique_ptr<host::RegistryStore> registry_;
  RecordingJoysticks joysticks_;
  // Each lives as long as the host: the window it serves may outlive the program's object.
  std::deque<std::unique_ptr<Events>> events_;
  int dialogs_ = 0;
  // The character Enter, Esc or Backspace types right after its key went down: the runner
  // types it with the key.
  char32_t keyChar_ = 0;
  bool programWritten_ = false;
};

}  // namespace record
