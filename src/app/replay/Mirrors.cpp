#include "app/replay/Mirrors.h"

#include <algorithm>

namespace replay {

host::Window* Mirrors::TwinOf(const host::Window* window) const {
  for (const Twin& twin : twins_)
    if (twin.window == window) return twin.shown.get();
  return nullptr;
}

void Mirrors::Created(host::HeadlessWindow& window) {
  host::WindowSpec spec = window.Spec();
  spec.owner = TwinOf(spec.owner);  // a popup menu opens over its owner's twin
  twins_.push_back({&window, screen_.CreateWindow(spec, events_)});
}

void Mirrors::Destroyed(host::HeadlessWindow& window) {
  std::erase_if(twins_, [&window](const Twin& twin) { return twin.window == &window; });
}

void Mirrors::Follow(const std::vector<host::HeadlessWindow*>& windows) {
  for (host::HeadlessWindow* window : windows) {
    host::Window* twin = TwinOf(window);
    if (twin == nullptr) continue;
    // Only what changed is copied, and so only that is sent to the screen.
    host::Surface& drawn = window->Canvas();
    for (const host::PixelRect& r : drawn.Dirty().Rects())
      twin->Canvas().Blit(r.left, r.top, r.right - r.left, r.bottom - r.top, drawn, r.left, r.top);
    drawn.ClearDirty();
    if (!window->Visible()) {
      twin->Hide();
      continue;
    }
    if (twin->Topmost() != window->Topmost()) twin->SetTopmost(window->Topmost());
    if (twin->CurrentCursor() != window->CurrentCursor()) twin->SetCursor(window->CurrentCursor());
    // From the back to the front, so that the last one shown is on top.
    twin->Show();
    if (window->Minimized() && !twin->Minimized()) twin->Minimize();
  }
  screen_.Present();
}

}  // namespace replay
