#include <algorithm>

#include "host/Keys.h"
#include "host/sdl/KeyMap.h"
#include "host/sdl/PointerQuery.h"
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
  while (!done()) {
    if (DeliverPaint()) continue;
    if (!pending_.empty()) {
      const SDL_Event e = pending_.front();
      pending_.pop_front();
      Dispatch(e);
      continue;
    }
    if (FireDueTimers()) continue;
    if (joysticks_.PollIfDue(NowMs())) continue;
    PresentAll();
    const int timeout = joysticks_.WaitLimit(MsToNextTimer(), NowMs());
    SDL_Event e;
    const int got = timeout < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, timeout);
    if (got != 0) Dispatch(e);
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
  for (SdlWindow* w : windows_) w->PresentIfChanged();
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
    PresentAll();
    const std::int64_t left = end - NowMs();
    if (left <= 0) break;
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, static_cast<int>(left)) == 0) continue;
    if (!HandleImmediately(e)) Defer(e);
  }
}

bool SdlHost::HandleImmediately(const SDL_Event& e) {
  if (e.type != SDL_WINDOWEVENT)
    return !IsInput(e.type) && e.type != SDL_QUIT && e.type != quitEventType_;
  SdlWindow* w = FindBySdlId(e.window.windowID);
  switch (e.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      return false;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      return w == nullptr || !w->ClosesOnFocusLoss();
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESTORED:
      if (w != nullptr) {
        w->PresentIfChanged(true);
        w->RequestPaint();
      }
      return true;
    case SDL_WINDOWEVENT_ENTER:
      if (w != nullptr) w->ApplyCursor();
      return true;
    default:
      return true;
  }
}

void SdlHost::Dispatch(const SDL_Event& e) {
  if (e.type == SDL_QUIT || e.type == quitEventType_) {
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
  signals_->Stop();
  // A program that never said how to quit still ends when asked to.
  if (!quitHandler_) throw ProgramExit{0};
  quitHandler_();
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
    const PointerState p = QueryPointer(target->Handle());
    m.x = p.x - target->ScreenX();
    m.y = p.y - target->ScreenY();
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
  } else if (e.button.clicks >= 2 && e.button.clicks % 2 == 0) {
    target->Events().OnDoubleClick(m);
  } else {
    target->Events().OnMouseDown(m);
  }
}

}  // namespace host::sdl
