#pragma once
#include <memory>

#include "host/text/Glyph.h"

namespace host {

// A face of the embedded Liberation Sans, rendered by FreeType as the program draws text:
// light hinting, 8-bit coverage, Windows' line metrics. FreeType is loaded on first use, not
// linked: the program's own texts come from the glyph table made at build time, so a run that
// shows only those never maps the library and those it pulls in.
class FreeTypeFace {
 public:
  // Nothing when FreeType cannot be loaded (the reason is printed once, on standard error).
  static std::unique_ptr<FreeTypeFace> Open(const FaceKey& key);
  // Whether this process has loaded FreeType.
  static bool EngineLoaded();

  ~FreeTypeFace();
  FreeTypeFace(const FreeTypeFace&) = delete;
  FreeTypeFace& operator=(const FreeTypeFace&) = delete;

  int Ascent() const { return ascent_; }
  int Descent() const { return descent_; }
  // The character's glyph; a character the face lacks gets the replacement character's.
  RenderedGlyph Render(char32_t cp) const;

 private:
  struct Handle;
  explicit FreeTypeFace(std::unique_ptr<Handle> handle, int pixels);
  std::unique_ptr<Handle> handle_;
  int ascent_ = 0;
  int descent_ = 0;
};

}  // namespace host
