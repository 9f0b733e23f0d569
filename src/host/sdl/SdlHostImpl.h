#pragma once
#include <SDL.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "host/DesktopArt.h"
#include "host/Host.h"
#include "host/RegistryStore.h"
#include "host/sdl/Cursors.h"
#include "host/sdl/FocusWatch.h"
#include "host/sdl/LoopClock.h"
#include "host/sdl/QuitSignals.h"
#include "host/sdl/SdlAudio.h"
#include "host/sdl/SdlDisplayModes.h"
#include "host/sdl/SdlHost.h"
#include "host/sdl/SdlJoysticks.h"

namespace host::sdl {

class SdlWindow;
struct TimerState;

class SdlHost final : public Host {
 public:
  SdlHost(std::unique_ptr<RegistryStore> registry, DesktopArt art,
          std::unique_ptr<LoopClock> clock);
  ~SdlHost() override;
  SdlHost(const SdlHost&) = delete;
  SdlHost& operator=(const SdlHost&) = delete;

  // --- Host
  std::unique_ptr<Window> CreateWindow(const WindowSpec& desc, WindowEvents& events) override;
  void RunModal(Window& window) override;
  void RunMainLoop() override;
  Window* FrontWindow() override;
  std::unique_ptr<Timer> CreateTimer(int intervalMs, std::function<void()> onTick) override;
  void Sleep(int ms) override;
  void Present() override;
  std::int64_t NowMs() override;
  std::uint32_t ClockSeed() override;
  MsgResult MessageBox(const std::string& title, const std::string& text, MsgIcon icon,
                       MsgButtons buttons) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override;
  int PopupMenu(Window& owner, int x, int y, const std::vector<std::string>& items,
                bool rightButtonChooses) override;
  RegistryStore& Registry() override;
  AudioOutput& Audio() override { return audio_; }
  JoystickDevices& Joysticks() override { return joysticks_; }
  DisplayModes& Display() override { return display_; }
  void OpenDocument(const std::string& target) override;
  bool ScreenSaverActive() override;
  void SetScreenSaverActive(bool active) override;
  bool CdAudioOpens() override;
  std::string ProgramFolder() override;
  std::string ProgramFileName() override;
  bool FileExists(const std::string& path) override;
  void SetQuitRequestHandler(std::function<void()> handler) override;
  void SetFocusHandler(std::function<void(bool)> handler) override {
    focusHandler_ = std::move(handler);
  }

  // --- for the back end's own parts
  void Forget(SdlWindow& window);
  // Once a quit request has been taken, no window may close while the signal relay runs.
  void BeforeWindowCloses();
  // True once the connection to the display is known to be lost. From then on nothing is
  // drawn and nothing asks the display for anything: windows are let go of without a word
  // to it, new ones get no window on the screen, and dialogs give their default answers.
  bool DisplayGone();
  void Shown(SdlWindow& window);
  CursorSet& Cursors() { return cursors_; }
  const Surface& ProgramIcon() const { return art_.icon; }
  // The display of the window shown last that is still visible (the first display if none).
  int DisplayInUse() const;
  void SetScreenOptions(ScreenOptions options) { screen_ = std::move(options); }
  const ScreenChoice& GameScreenChoice() const { return screen_.choice; }
  // Whether a popup menu can be a popup window at a point of its owner.
  bool MenusPlaced() const { return menusPlaced_; }
  // Whether windows that ask to cover the screen are desktop windows now.
  bool WindowedGame() const { return screen_.choice.windowed; }
  // The whole factor the windows other than the game screen are drawn at now.
  int WindowScale() const;
  // The inside of a windowed game screen opening on `display`: the player's size, or the
  // largest whole factor of the field that fits the display's free area with the window's
  // decorations around it.
  SDL_Point GameWindowSize(int display) const;
  // A decorated window learnt how wide the desktop's decorations are.
  void SetDecorations(SDL_Point size) { decorations_ = size; }
  // Plain F11 on a window that asks to cover the screen: full screen to a window and back.
  void SwitchGameScreen(SdlWindow& game);
  // A windowed game screen closing: the size the player gave it is kept for the next time.
  void KeepGameWindowSize(const SdlWindow& game);
  void WatchOnly(std::function<void(int keyCode)> keyPressed) {
    keyPressed_ = std::move(keyPressed);
  }
  void AddTimer(const std::shared_ptr<TimerState>& timer);
  void RemoveTimer(const TimerState* timer);

 private:
  SdlWindow* Find(std::uint64_t serial) const;
  SdlWindow* FindBySdlId(Uint32 id) const;
  SdlWindow* ModalTop() const;
  void RunUntil(const std::function<bool()>& done);
  // Keeps an event for the program's loop (input during a sleep).
  void Defer(const SDL_Event& e);
  // Paints requested by Show, Invalidate and exposes; true when one was delivered.
  bool DeliverPaint();
  void PresentAll();
  // Runs every due timer once; true when one ran.
  bool FireDueTimers();
  // When the loop must next wake up by itself (a timer, a focus report), or -1.
  std::int64_t NextDeadline() const;
  // Tells the program a focus change that is due; true when it did.
  bool ReportFocus();
  // Follows a window of ours gaining or losing the keyboard focus.
  void TrackFocus(SdlWindow* window, bool gained);
  void Dispatch(const SDL_Event& e);
  // Window-system traffic that is answered at once, even during Sleep; false otherwise.
  bool HandleImmediately(const SDL_Event& e);
  // Input on a host that is only watched (see host::WatchOnly).
  void Watch(const SDL_Event& e);
  void DispatchKey(const SDL_KeyboardEvent& e);
  void DispatchText(const SDL_TextInputEvent& e);
  void DispatchMouse(const SDL_Event& e);
  void RequestQuit();
  // The display has gone: the program ends as a quit request would have it, with status 1.
  [[noreturn]] void EndWithoutDisplay();
  // Whether a quit event from SDL means that the Wayland compositor went away.
  bool CompositorGone() const;
  void FocusFront();
  // The windowed game screen's size, when the player changed it; true when so.
  bool TakeGameWindowSize(const SdlWindow& game);

  std::unique_ptr<RegistryStore> registry_;
  std::unique_ptr<LoopClock> clock_;
  SdlAudio audio_;
  Uint32 quitEventType_ = 0;
  std::unique_ptr<QuitSignals> signals_;
  bool quitTaken_ = false;
  bool displayGone_ = false;
  bool compositorGone_ = false;
  bool endingWithoutDisplay_ = false;
  DesktopArt art_;
  CursorSet cursors_;
  std::vector<SdlWindow*> windows_;
  ScreenOptions screen_;
  bool menusPlaced_ = true;
  SDL_Point decorations_{0, 0};       // width and height the desktop adds around a window
  std::vector<std::uint64_t> modal_;  // serials, innermost last
  std::uint64_t nextSerial_ = 1;
  std::uint64_t textTarget_ = 0;  // the window whose key down typed the next text
  std::vector<std::shared_ptr<TimerState>> timers_;
  std::deque<SDL_Event> pending_;  // input that arrived during Sleep
  std::function<void()> quitHandler_;
  std::function<void(bool)> focusHandler_;
  std::function<void(int)> keyPressed_;  // only watched when set
  SdlJoysticks joysticks_;
  SdlDisplayModes display_;
  FocusWatch focus_;
};

}  // namespace host::sdl
