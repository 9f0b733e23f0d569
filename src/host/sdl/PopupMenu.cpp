#include <algorithm>

#include "host/Keys.h"
#include "host/sdl/SdlHostImpl.h"
#include "host/sdl/SdlWindow.h"
#include "host/sdl/Widgets.h"

namespace host::sdl {
namespace {

constexpr int kEdge = 3, kItemH = 18, kSeparatorH = 8, kTextLeft = 20, kTextRight = 20;

class PopupMenuWindow final : public WindowEvents {
 public:
  PopupMenuWindow(SdlHost& host, const std::vector<std::string>& items, bool rightChooses)
      : host_(host), items_(items), rightChooses_(rightChooses) {}

  int Run(Window& owner, int x, int y) {
    const Font& font = ui::DialogFont();
    int w = 0, h = kEdge;
    for (const std::string& item : items_) {
      const bool separator = item == "-";
      tops_.push_back(h);
      h += separator ? kSeparatorH : kItemH;
      if (!separator) w = std::max(w, ui::CaptionWidth(item, font));
    }
    w += kTextLeft + kTextRight + 2 * kEdge;
    h += kEdge;
    WindowSpec spec;
    spec.name = "PopupMenu";
    spec.width = w;
    spec.height = h;
    spec.topmost = true;
    spec.showInTaskbar = false;
    spec.background = ui::kFace;
    WindowOptions options;
    options.popupMenu = true;
    options.screenX = owner.ScreenX() + x;
    options.screenY = owner.ScreenY() + y;
    KeepOnScreen(options, w, h);
    window_ = host_.CreateSdlWindow(spec, *this, options);
    if (!window_->Valid()) return -1;
    Draw();
    host_.RunModal(*window_);
    return chosen_;
  }

 private:
  static void KeepOnScreen(WindowOptions& o, int w, int h) {
    SDL_Rect bounds;
    const SDL_Point p{o.screenX, o.screenY};
    int display = 0;
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
      if (SDL_GetDisplayBounds(i, &bounds) == 0 && SDL_PointInRect(&p, &bounds)) display = i;
    }
    if (SDL_GetDisplayUsableBounds(display, &bounds) != 0) return;
    o.screenX = std::clamp(o.screenX, bounds.x, std::max(bounds.x, bounds.x + bounds.w - w));
    o.screenY = std::clamp(o.screenY, bounds.y, std::max(bounds.y, bounds.y + bounds.h - h));
  }

  bool IsSeparator(int i) const { return items_[i] == "-"; }

  int ItemAt(int x, int y) const {
    if (x < kEdge || x >= window_->Canvas().Width() - kEdge) return -1;
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
      const int bottom = tops_[i] + (IsSeparator(i) ? kSeparatorH : kItemH);
      if (y >= tops_[i] && y < bottom) return IsSeparator(i) ? -1 : i;
    }
    return -1;
  }

  bool Inside(int x, int y) const {
    const Surface& c = window_->Canvas();
    return x >= 0 && y >= 0 && x < c.Width() && y < c.Height();
  }

  void Draw() {
    Surface& s = window_->Canvas();
    const Font& font = ui::DialogFont();
    s.Clear(ui::kFace);
    // The menu's raised edge: face and white inside, shadow and black outside.
    const int r = s.Width() - 1, b = s.Height() - 1;
    s.Line(0, 0, r - 1, 0, ui::kFace);
    s.Line(0, 0, 0, b - 1, ui::kFace);
    s.Line(1, 1, r - 2, 1, ui::kLight);
    s.Line(1, 1, 1, b - 2, ui::kLight);
    s.Line(0, b, r, b, ui::kDark);
    s.Line(r, 0, r, b, ui::kDark);
    s.Line(1, b - 1, r - 1, b - 1, ui::kShadow);
    s.Line(r - 1, 1, r - 1, b - 1, ui::kShadow);
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
      const int top = tops_[i];
      if (IsSeparator(i)) {
        s.Line(kEdge, top + 3, r - kEdge, top + 3, ui::kShadow);
        s.Line(kEdge, top + 4, r - kEdge, top + 4, ui::kLight);
        continue;
      }
      Color text = ui::kDark;
      if (i == highlight_) {
        s.FillRect(kEdge, top, r - kEdge, top + kItemH - 1, ui::kNavy);
        text = ui::kLight;
      }
      ui::DrawCaption(s, kEdge + kTextLeft, top + (kItemH - font.Height()) / 2, items_[i], font,
                      text);
    }
  }

  void Highlight(int i) {
    if (i == highlight_) return;
    highlight_ = i;
    Draw();
  }

  void Finish(int chosen) {
    chosen_ = chosen;
    window_->Hide();
  }

  void Step(int delta) {
    const int n = static_cast<int>(items_.size());
    int i = highlight_;
    for (int tries = 0; tries < n; ++tries) {
      i = i < 0 ? (delta > 0 ? 0 : n - 1) : (i + delta + n) % n;
      if (!IsSeparator(i)) {
        Highlight(i);
        return;
      }
    }
  }

  void OnPaint() override { Draw(); }
  void OnMouseMove(const MouseEvent& m) override { Highlight(ItemAt(m.x, m.y)); }
  void OnMouseDown(const MouseEvent& m) override {
    if (!Inside(m.x, m.y)) Finish(-1);
  }
  void OnDoubleClick(const MouseEvent& m) override { OnMouseDown(m); }
  void OnMouseUp(const MouseEvent& m) override {
    const bool chooses = m.button == kLeftButton || (m.button == kRightButton && rightChooses_);
    const int item = ItemAt(m.x, m.y);
    if (chooses && item >= 0) Finish(item);
  }
  void OnKeyDown(int keyCode, int /*shift*/) override {
    if (keyCode == vk::Escape) {
      Finish(-1);
    } else if (keyCode == vk::Down) {
      Step(1);
    } else if (keyCode == vk::Up) {
      Step(-1);
    } else if (keyCode == vk::Return) {
      if (highlight_ >= 0) Finish(highlight_);
    } else {
      for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        if (static_cast<int>(ui::AccessKey(items_[i])) == keyCode) {
          Finish(i);
          return;
        }
      }
    }
  }
  void OnCloseRequest() override { Finish(-1); }

  SdlHost& host_;
  const std::vector<std::string>& items_;
  bool rightChooses_;
  std::vector<int> tops_;
  std::unique_ptr<SdlWindow> window_;
  int highlight_ = -1;
  int chosen_ = -1;
};

}  // namespace

int SdlHost::PopupMenu(Window& owner, int x, int y, const std::vector<std::string>& items,
                       bool rightButtonChooses) {
  if (items.empty()) return -1;
  PopupMenuWindow menu(*this, items, rightButtonChooses);
  return menu.Run(owner, x, y);
}

}  // namespace host::sdl
