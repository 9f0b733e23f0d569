#include "host/sdl/Cursors.h"

#include <cstddef>

namespace host::sdl {
namespace {

// An ARGB copy of `image`; pixels flagged in `transparent` get alpha 0.
SDL_Surface* ToArgb(const Surface& image, const std::vector<bool>* transparent) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, image.Width(), image.Height(), 32,
                                                  SDL_PIXELFORMAT_ARGB8888);
  if (s == nullptr) return nullptr;
  for (int y = 0; y < image.Height(); ++y) {
    auto* row =
        reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(s->pixels) + y * s->pitch);
    for (int x = 0; x < image.Width(); ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * image.Width() + x;
      const bool clear = transparent != nullptr && i < transparent->size() && (*transparent)[i];
      row[x] = clear ? 0u : (0xFF000000u | image.GetPixel(x, y));
    }
  }
  return s;
}

SDL_Cursor* MakeHand(const PointerImage& art) {
  if (art.image.Width() == 0 || art.image.Height() == 0) {
    return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
  }
  SDL_Surface* s = ToArgb(art.image, &art.transparent);
  if (s == nullptr) return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
  SDL_Cursor* c = SDL_CreateColorCursor(s, art.hotX, art.hotY);
  SDL_FreeSurface(s);
  return c != nullptr ? c : SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
}

SDL_Cursor* MakeInvisible() {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 32, SDL_PIXELFORMAT_ARGB8888);
  if (s == nullptr) return nullptr;
  *static_cast<std::uint32_t*>(s->pixels) = 0;
  SDL_Cursor* c = SDL_CreateColorCursor(s, 0, 0);
  SDL_FreeSurface(s);
  return c;
}

}  // namespace

CursorSet::~CursorSet() {
  if (hand_ != nullptr) SDL_FreeCursor(hand_);
  if (invisible_ != nullptr) SDL_FreeCursor(invisible_);
}

void CursorSet::Apply(Cursor cursor) {
  SDL_Cursor* c = SDL_GetDefaultCursor();
  if (cursor == Cursor::Hand) {
    if (hand_ == nullptr) hand_ = MakeHand(handArt_);
    c = hand_;
  } else if (cursor == Cursor::Invisible) {
    if (invisible_ == nullptr) invisible_ = MakeInvisible();
    c = invisible_;
  }
  if (c != nullptr) SDL_SetCursor(c);
}

SDL_Surface* MakeProgramIcon(const Surface& icon) {
  if (icon.Width() == 0 || icon.Height() == 0) return nullptr;
  return ToArgb(icon, nullptr);
}

}  // namespace host::sdl
