#include <algorithm>
#include <cstdio>

#include "host/Keys.h"
#include "host/sdl/DisplayErrors.h"
#include "host/sdl/KeyMap.h"
#include "host/sdl/SdlHostImpl.h"
#include "host/sdl/SdlWindow.h"
#include "host/text/Utf8.h"

namespace host::sdl {
namespace {

int ModifiersOf(Uint16 mod) {
  return ModifierBits((mod & KMOD_SHIFT) != 0, (mod & KMOD_CTRL) != 0, (mod & KMOD_ALT) != 0);
}

int ButtonBit(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      return kLeftButton;
    case SDL_BUTTON_RIGHT:
      return kRightButton;
    case SDL_BUTTON_MIDDLE:
      return kMiddleButton;
    default:
      return 0;
  }
}

int ButtonBits(Uint32 state) {
  return ((state & SDL_BUTTON_LMASK) ? kLeftButton : 0) |
         ((state & SDL_BUTTON_RMASK) ? kRightButton : 0) |
         ((state & SDL_BUTTON_MMASK) ? kMiddleButton : 0);
}

// SDL_PollEvent stops at the end of each round of fetching events from the window system,
// leaving the events pushed since (by the program itself, by the signal relay) for the next
// round; those are taken straight from the queue, without asking the window system again.
// Both failing means the queue is empty.
bool PollAnyEvent(SDL_Event& e) {
  return SDL_PollEvent(&e) != 0 ||
         SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1;
}

bool IsInput(Uint32 type) {
  return type == SDL_KEYDOWN || type == SDL_KEYUP || type == SDL_TEXTINPUT ||
         type == SDL_MOUSEMOTION || type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP;
}

}  // namespace

void SdlHost::RunMainLoop() {
  RunUntil([] { return false; });
}

void SdlHost::RunModal(Window& window) {
  auto& w = static_cast<SdlWindow&>(window);
  const std::uint64_t serial = w.Serial();
  modal_.push_back(serial);
  struct Pop {
    SdlHost& host;
    std::uint64_t serial;
    ~Pop() {
      std::erase(host.modal_, serial);
      host.FocusFront();
    }
  } pop{*this, serial};
  w.Show();
  w.Focus();
  RunUntil([this, serial] {
    const SdlWindow* p = Find(serial);
    return p == nullptr || !p->Visible();
  });
}

Window* SdlHost::FrontWindow() {
  if (SdlWindow* top = ModalTop()) return top;
  if (SDL_Window* focus = SDL_GetKeyboardFocus()) return FindBySdlId(SDL_GetWindowID(focus));
  return nullptr;
}

SdlWindow* SdlHost::ModalTop() const {
  for (auto it = modal_.rbegin(); it != modal_.rend(); ++it) {
    if (SdlWindow* w = Find(*it)) return w;
  }
  return nullptr;
}

void SdlHost::FocusFront() {
  if (SdlWindow* top = ModalTop()) {
    top->Focus();
    return;
  }
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if ((*it)->Visible()) {
      (*it)->Focus();
      return;
    }
  }
}

void SdlHost::RunUntil(const std::function<bool()>& done) {
  for (;;) {
    // Before `done`: a window opened after the loss never shows, so it is done at once.
    if (DisplayGone()) {
      if (!endingWithoutDisplay_) EndWithoutDisplay();
      return;  // nothing more can happen in a loop inside the ending
    }
    if (done()) break;
    if (DeliverPaint()) continue;
    if (!pending_.empty()) {
      const SDL_Event e = pending_.front();
      pending_.pop_front();
      Dispatch(e);
      continue;
    }
    // Input and window traffic go before timers, as window messages do.
    SDL_Event e;
    if (PollAnyEvent(e)) {
      Dispatch(e);
      continue;
    }
    if (ReportFocus()) continue;
    if (FireDueTimers()) {
      // Each tick's frame reaches the screen before anything else runs.
      PresentAll();
      continue;
    }
    if (joysticks_.PollIfDue(NowMs())) continue;
    PresentAll();
    clock_->Idle(joysticks_.Deadline(NextDeadline()));
  }
  PresentAll();
}

bool SdlHost::DeliverPaint() {
  for (SdlWindow* w : windows_) {
    if (w->TakePaintRequest()) {
      w->Events().OnPaint();
      return true;
    }
  }
  return false;
}

void SdlHost::PresentAll() {
  for (SdlWindow* w : windows_) {
    if (DisplayGone()) return;
    w->Present();
  }
}

void SdlHost::Present() {
  PresentAll();
}

void SdlHost::Defer(const SDL_Event& e) {
  pending_.push_back(e);
}

void SdlHost::Sleep(int ms) {
  const std::int64_t end = NowMs() + std::max(0, ms);
  for (;;) {
    // Without a display there is nothing to wait for: the program is to end as soon as it is
    // back in its event loop, or now when it has none.
    if (DisplayGone()) {
      if (keyPressed_ && !endingWithoutDisplay_) EndWithoutDisplay();
      return;
    }
    PresentAll();
    SDL_Event e;
    while (PollAnyEvent(e)) {
      if (HandleImmediately(e)) continue;
      if (keyPressed_) {
        Watch(e);
      } else {
        Defer(e);
      }
    }
    if (NowMs() >= end) break;
    clock_->Doze(end);
  }
}

void SdlHost::Watch(const SDL_Event& e) {
  if (e.type == SDL_KEYDOWN) {
    const int code =
        VirtualKeyForScancode(e.key.keysym.scancode, (e.key.keysym.mod & KMOD_NUM) != 0);
    if (code != 0 && e.key.repeat == 0) keyPressed_(code);
  } else if (e.type == SDL_QUIT || e.type == quitEventType_ ||
             (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE)) {
    Dispatch(e);
  }
}

void SdlHost::TrackFocus(SdlWindow* window, bool gained) {
  if (window != nullptr) window->SetHasFocus(gained);
  const bool any = std::any_of(windows_.begin(), windows_.end(),
                               [](const SdlWindow* w) { return w->HasFocus(); });
  focus_.Changed(any, NowMs());
}

bool SdlHost::ReportFocus() {
  const std::int64_t due = focus_.Due();
  if (due < 0 || due > NowMs()) return false;
  const std::optional<bool> change = focus_.Take(NowMs());
  if (change && focusHandler_) focusHandler_(*change);
  return true;
}

bool SdlHost::HandleImmediately(const SDL_Event& e) {
  if (e.type != SDL_WINDOWEVENT)
    return !IsInput(e.type) && e.type != SDL_QUIT && e.type != quitEventType_;
  SdlWindow* w = FindBySdlId(e.window.windowID);
  switch (e.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      return false;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (w != nullptr) TrackFocus(w, true);
      return true;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (w != nullptr) TrackFocus(w, false);
      return w == nullptr || !w->ClosesOnFocusLoss();
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESTORED:
      // The only times the whole window, letterbox included, is sent again.
      if (w != nullptr) {
        w->CheckDecorations();
        w->Present(true);
        w->RequestPaint();
      }
      return true;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_MOVED:
      if (w != nullptr) w->CheckDecorations();
      return true;
    case SDL_WINDOWEVENT_ENTER:
      if (w != nullptr) w->ApplyCursor();
      return true;
    case SDL_WINDOWEVENT_HIT_TEST:
      if (w != nullptr) w->DragBegan();
      return true;
    default:
      return true;
  }
}

void SdlHost::Dispatch(const SDL_Event& e) {
  if (e.type == SDL_QUIT && CompositorGone()) {
    // The loop ends the program at its next round, without another word to the display.
    compositorGone_ = true;
  } else if (e.type == SDL_QUIT || e.type == quitEventType_) {
    RequestQuit();
  } else if (e.type == SDL_WINDOWEVENT) {
    if (HandleImmediately(e)) return;
    SdlWindow* w = FindBySdlId(e.window.windowID);
    if (w != nullptr &&
        (e.window.event == SDL_WINDOWEVENT_CLOSE ||
         (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST && w->ClosesOnFocusLoss()))) {
      w->Events().OnCloseRequest();
    }
  } else if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) {
    DispatchKey(e.key);
  } else if (e.type == SDL_TEXTINPUT) {
    DispatchText(e.text);
  } else if (e.type == SDL_MOUSEMOTION || e.type == SDL_MOUSEBUTTONDOWN ||
             e.type == SDL_MOUSEBUTTONUP) {
    DispatchMouse(e);
  }
}

void SdlHost::RequestQuit() {
  // Signals are still relayed until a window closes: a second request while the quit waits
  // on the player (its message box is open) must reach the program.
  quitTaken_ = true;
  // A program that never said how to quit still ends when asked to.
  if (!quitHandler_) throw ProgramExit{0};
  quitHandler_();
}

// Deliberate: once a quit is taken the signal relay stops before any window closes (it wakes
// the loop through a window); later signals are swallowed, as the program is ending anyway.
void SdlHost::BeforeWindowCloses() {
  if (quitTaken_) signals_->Stop();
}

bool SdlHost::CompositorGone() const {
  return std::any_of(windows_.begin(), windows_.end(),
                     [](const SdlWindow* w) { return WaylandConnectionLost(w->Handle()); });
}

bool SdlHost::DisplayGone() {
  if (!displayGone_ && (XDisplayLost() || compositorGone_)) {
    displayGone_ = true;
    // The relay's wake-ups go through the display too.
    signals_->Stop();
    for (SdlWindow* w : windows_) w->LetGo();
  }
  return displayGone_;
}

// Deliberate: a lost display ends the program as a quit request does, saving everything,
// without another word to the display, and with status 1.
void SdlHost::EndWithoutDisplay() {
  endingWithoutDisplay_ = true;
  const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
  const std::string name =
      compositorGone_ ? (wayland != nullptr ? wayland : "wayland-0") : LostXDisplayName();
  std::fprintf(stderr,
               "skirmora: the connection to the display \"%s\" was lost; the game ends as if "
               "asked to quit\n",
               name.c_str());
  try {
    if (quitHandler_) quitHandler_();
  } catch (const ProgramExit&) {
  }
  throw ProgramExit{1};
}

void SdlHost::DispatchKey(const SDL_KeyboardEvent& e) {
  // Keys go to the innermost modal window wherever the system's focus is.
  SdlWindow* target = ModalTop();
  if (target == nullptr) target = FindBySdlId(e.windowID);
  if (target == nullptr) return;
  SdlWindow& w = *target;
  const int code = VirtualKeyForScancode(e.keysym.scancode, (e.keysym.mod & KMOD_NUM) != 0);
  const int shift = ModifiersOf(e.keysym.mod);
  const std::uint64_t serial = w.Serial();
  if (e.type == SDL_KEYUP) {
    if (code != 0) w.Events().OnKeyUp(code, shift);
    return;
  }
  // Plain F11 switches the game screen between full screen and a window, as desktop programs
  // do; with Shift, Ctrl or Alt it stays the game's own key.
  if (code == vk::Function(11) && shift == 0 && e.repeat == 0 && w.CoversScreen())
    SwitchGameScreen(w);
  // The text this key types belongs to this window even if the handler opens a dialog.
  textTarget_ = serial;
  if (code != 0) w.Events().OnKeyDown(code, shift);
  char32_t ch = 0;
  if (code == vk::Return) ch = 13;
  if (code == vk::Back) ch = 8;
  if (code == vk::Escape) ch = 27;
  // The key handler may have closed the window.
  if (ch != 0 && Find(serial) != nullptr) w.Events().OnChar(ch);
}

void SdlHost::DispatchText(const SDL_TextInputEvent& e) {
  // Text follows the key that typed it; when that window is gone, so is the text.
  SdlWindow* target = textTarget_ != 0 ? Find(textTarget_) : FindBySdlId(e.windowID);
  if (target == nullptr) return;
  const std::uint64_t serial = target->Serial();
  const std::string_view text(e.text);
  std::size_t at = 0;
  while (at < text.size() && Find(serial) != nullptr) {
    target->Events().OnChar(NextCodePoint(text, at));
  }
}

void SdlHost::DispatchMouse(const SDL_Event& e) {
  const Uint32 windowId = e.type == SDL_MOUSEMOTION ? e.motion.windowID : e.button.windowID;
  SdlWindow* source = FindBySdlId(windowId);
  SdlWindow* target = ModalTop();
  if (target == nullptr) target = source;
  if (target == nullptr || !target->Visible()) return;
  MouseEvent m;
  m.shift = ModifiersOf(static_cast<Uint16>(SDL_GetModState()));
  const int wx = e.type == SDL_MOUSEMOTION ? e.motion.x : e.button.x;
  const int wy = e.type == SDL_MOUSEMOTION ? e.motion.y : e.button.y;
  if (source == target) {
    target->WindowToClient(wx, wy, m.x, m.y);
  } else {
    // Over another window while a modal one is open: in the modal window's coordinates.
    int sx = 0, sy = 0;
    if (source != nullptr && source->Valid()) {
      SDL_GetWindowPosition(source->Handle(), &sx, &sy);
      sx += wx;
      sy += wy;
    } else {
      SDL_GetGlobalMouseState(&sx, &sy);
    }
    target->ScreenToClient(sx, sy, m.x, m.y);
  }
  if (e.type == SDL_MOUSEMOTION) {
    m.button = ButtonBits(e.motion.state);
    target->Events().OnMouseMove(m);
    return;
  }
  m.button = ButtonBit(e.button.button);
  if (m.button == 0) return;
  if (e.type == SDL_MOUSEBUTTONUP) {
    target->Events().OnMouseUp(m);
  } else if ((e.button.clicks >= 2 && e.button.clicks % 2 == 0) ||
             (m.button == kLeftButton && target->SecondPressInDragArea(m.x, m.y))) {
    target->Events().OnDoubleClick(m);
  } else {
    target->Events().OnMouseDown(m);
  }
}

}  // namespace host::sdl
