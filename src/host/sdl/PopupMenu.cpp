#include <algorithm>

#include "host/Keys.h"
#include "host/sdl/MenuModel.h"
#include "host/sdl/SdlHostImpl.h"
#include "host/sdl/SdlWindow.h"
#include "host/sdl/Widgets.h"

namespace host::sdl {
namespace {

class PopupMenuWindow final : public WindowEvents {
 public:
  PopupMenuWindow(SdlHost& host, const std::vector<std::string>& items, bool rightChooses)
      : host_(host), menu_(items, ui::DialogFont()), rightChooses_(rightChooses) {}

  int Run(Window& owner, int x, int y) {
    const int w = menu_.Width(), h = menu_.Height();
    WindowSpec desc;
    desc.name = "PopupMenu";
    desc.width = w;
    desc.height = h;
    desc.topmost = true;
    desc.showInTaskbar = false;
    desc.background = ui::kFace;
    WindowOptions options;
    options.popupMenu = true;
    options.owner = &static_cast<SdlWindow&>(owner);
    options.ownerX = x;
    options.ownerY = y;
    window_ = host_.CreateSdlWindow(desc, *this, options);
    if (!window_->Valid()) return -1;
    Draw();
    host_.RunModal(*window_);
    return chosen_;
  }

 private:
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
    const int edge = MenuModel::kEdge, itemH = MenuModel::kItemHeight;
    for (int i = 0; i < menu_.Count(); ++i) {
      const int top = menu_.Top(i);
      if (menu_.IsSeparator(i)) {
        s.Line(edge, top + 3, r - edge, top + 3, ui::kShadow);
        s.Line(edge, top + 4, r - edge, top + 4, ui::kLight);
        continue;
      }
      Color text = ui::kDark;
      if (i == highlight_) {
        s.FillRect(edge, top, r - edge, top + itemH - 1, ui::kNavy);
        text = ui::kLight;
      }
      ui::DrawCaption(s, edge + MenuModel::kTextLeft, top + (itemH - font.Height()) / 2,
                      menu_.Caption(i), font, text);
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

  void OnPaint() override { Draw(); }
  void OnMouseMove(const MouseEvent& m) override { Highlight(menu_.ItemAt(m.x, m.y)); }
  void OnMouseDown(const MouseEvent& m) override {
    if (!Inside(m.x, m.y)) Finish(-1);
  }
  void OnDoubleClick(const MouseEvent& m) override { OnMouseDown(m); }
  void OnMouseUp(const MouseEvent& m) override {
    const bool chooses = m.button == kLeftButton || (m.button == kRightButton && rightChooses_);
    const int item = menu_.ItemAt(m.x, m.y);
    if (chooses && item >= 0) Finish(item);
  }
  void OnKeyDown(int keyCode, int /*shift*/) override {
    if (keyCode == vk::Escape) {
      Finish(-1);
    } else if (keyCode == vk::Down || keyCode == vk::Up) {
      const int next = menu_.Step(highlight_, keyCode == vk::Down ? 1 : -1);
      if (next >= 0) Highlight(next);
    } else if (keyCode == vk::Return) {
      if (highlight_ >= 0) Finish(highlight_);
    } else if (const int item = menu_.ItemForKey(keyCode); item >= 0) {
      Finish(item);
    }
  }
  void OnCloseRequest() override { Finish(-1); }

  SdlHost& host_;
  MenuModel menu_;
  bool rightChooses_;
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
