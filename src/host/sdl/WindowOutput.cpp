#include "host/sdl/WindowOutput.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "host/sdl/ServerSurround.h"
#include "host/ui/Widgets.h"

namespace host::sdl {
namespace {

SDL_Rect ToSdl(const PixelRect& r) {
  return SDL_Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The window system's own image of the window: scaled pieces written straight into it and
// only those rectangles sent.
class SurfaceOutput final : public WindowOutput {
 public:
  explicit SurfaceOutput(SDL_Window* window) : window_(window), surround_(window) {}

  void Present(const Surface& canvas, const Viewport& vp, WindowFrame frame, bool whole) override {
    SDL_Surface* out = SDL_GetWindowSurface(window_);
    if (out == nullptr) return;
    // A new or resized window surface holds nothing of ours yet.
    if (out != presentedTo_ || out->w != presentedW_ || out->h != presentedH_) whole = true;
    if (!whole && canvas.Dirty().Empty()) return;
    const SDL_PixelFormat* f = out->format;
    const bool direct =
        f->BytesPerPixel == 4 && f->Rmask == 0xFF0000 && f->Gmask == 0xFF00 && f->Bmask == 0xFF;
    // Other pixel formats are composed in our own format first and converted piece by piece.
    WindowImage image{static_cast<std::uint32_t*>(out->pixels), out->w, out->h, out->pitch / 4};
    if (!direct) {
      shadow_.resize(static_cast<std::size_t>(out->w) * out->h);
      image = WindowImage{shadow_.data(), out->w, out->h, out->w};
    }
    if (SDL_MUSTLOCK(out)) SDL_LockSurface(out);
    sent_.clear();
    if (whole) {
      // Where the window system paints the surround itself, only the picture is sent.
      const bool serverSurround = direct && surround_.Available();
      ComposeWindow(image, canvas, vp, frame, !serverSurround);
      if (serverSurround) {
        const PixelRect picture = PictureRect(image, vp, canvas.Width(), canvas.Height(), frame);
        surround_.Paint(Surround(image, picture));
        if (!picture.Empty()) sent_.push_back(ToSdl(picture));
      } else {
        sent_.push_back(SDL_Rect{0, 0, out->w, out->h});
      }
    } else {
      for (const PixelRect& part : canvas.Dirty().Rects()) {
        const PixelRect r = ComposePart(image, canvas, vp, part);
        if (!r.Empty()) sent_.push_back(ToSdl(r));
      }
    }
    for (const SDL_Rect& r : sent_) {
      auto* first =
          static_cast<std::uint8_t*>(out->pixels) + static_cast<std::ptrdiff_t>(r.y) * out->pitch;
      if (!direct) {
        SDL_ConvertPixels(r.w, r.h, SDL_PIXELFORMAT_RGB888, shadow_.data() + r.y * out->w + r.x,
                          out->w * 4, f->format, first + r.x * f->BytesPerPixel, out->pitch);
      } else if (f->Amask != 0) {
        for (int y = 0; y < r.h; ++y) {
          auto* row = reinterpret_cast<std::uint32_t*>(first + y * out->pitch) + r.x;
          for (int x = 0; x < r.w; ++x) row[x] |= f->Amask;
        }
      }
    }
    if (SDL_MUSTLOCK(out)) SDL_UnlockSurface(out);
    if (!sent_.empty())
      SDL_UpdateWindowSurfaceRects(window_, sent_.data(), static_cast<int>(sent_.size()));
    presentedTo_ = out;
    presentedW_ = out->w;
    presentedH_ = out->h;
  }

  // SDL 2.26 lets go of a window's image only when it makes one of another size: the window
  // gets a one-pixel image, and its own size back, which the next present then fills.
  void Release() override {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    SDL_SetWindowSize(window_, 1, 1);
    presentedTo_ = SDL_GetWindowSurface(window_);
    SDL_SetWindowSize(window_, w, h);
  }

 private:
  SDL_Window* window_;
  ServerSurround surround_;
  const SDL_Surface* presentedTo_ = nullptr;
  int presentedW_ = 0, presentedH_ = 0;
  std::vector<std::uint32_t> shadow_;  // only for screens in another pixel format
  std::vector<SDL_Rect> sent_;
};

// SDL's renderer: a texture the size of the client takes the changed parts; each present
// draws the black around it, the texture and the frame, scaled by whole pixels.
class RendererOutput final : public WindowOutput {
 public:
  explicit RendererOutput(SDL_Renderer* renderer) : renderer_(renderer) {}
  ~RendererOutput() override {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    SDL_DestroyRenderer(renderer_);
  }
  RendererOutput(const RendererOutput&) = delete;
  RendererOutput& operator=(const RendererOutput&) = delete;

  void Present(const Surface& canvas, const Viewport& vp, WindowFrame frame, bool whole) override {
    const int w = canvas.Width(), h = canvas.Height();
    if (texture_ == nullptr || textureW_ != w || textureH_ != h) {
      if (texture_ != nullptr) SDL_DestroyTexture(texture_);
      texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                   std::max(w, 1), std::max(h, 1));
      if (texture_ == nullptr) return;
      SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
      textureW_ = w;
      textureH_ = h;
      whole = true;
    }
    if (whole) {
      SDL_UpdateTexture(texture_, nullptr, canvas.Pixels(), w * 4);
    } else {
      if (canvas.Dirty().Empty()) return;
      for (const PixelRect& part : canvas.Dirty().Rects()) {
        const SDL_Rect r{std::max(part.left, 0), std::max(part.top, 0),
                         std::min(part.right, w) - std::max(part.left, 0),
                         std::min(part.bottom, h) - std::max(part.top, 0)};
        if (r.w > 0 && r.h > 0)
          SDL_UpdateTexture(texture_, &r, canvas.Pixels() + r.y * w + r.x, w * 4);
      }
    }
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    const int s = vp.scale;
    const SDL_Rect to{vp.x, vp.y, w * s, h * s};
    SDL_RenderCopy(renderer_, texture_, nullptr, &to);
    for (const ui::FrameBand& band : ui::FrameBands(w, h, frame)) {
      const ui::Rect& b = band.rect;
      const SDL_Rect r{vp.x + b.x * s, vp.y + b.y * s, b.w * s, b.h * s};
      SDL_SetRenderDrawColor(renderer_, (band.color >> 16) & 0xFF, (band.color >> 8) & 0xFF,
                             band.color & 0xFF, 255);
      SDL_RenderFillRect(renderer_, &r);
    }
    SDL_RenderPresent(renderer_);
  }

 private:
  SDL_Renderer* renderer_;
  SDL_Texture* texture_ = nullptr;
  int textureW_ = 0, textureH_ = 0;
};

}  // namespace

std::unique_ptr<WindowOutput> MakeWindowOutput(SDL_Window* window) {
  if (SDL_GetWindowSurface(window) != nullptr) return std::make_unique<SurfaceOutput>(window);
  // No vsync: the event loop must never wait on the display.
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
  if (renderer == nullptr) return nullptr;
  return std::make_unique<RendererOutput>(renderer);
}

}  // namespace host::sdl
