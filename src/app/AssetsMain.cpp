// skirmora-assets DIR            writes every file of the embedded pack into DIR
// skirmora-assets --sheet FILE   renders a review sheet of every picture, 4x, into FILE
//                                (PNG when FILE ends in .png, else BMP)
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "assets/Assets.h"
#include "host/Font.h"
#include "host/ImageFile.h"
#include "host/Surface.h"

namespace {

constexpr int kZoom = 4;
constexpr int kMargin = 16;
constexpr int kSheetWidth = 1640;
constexpr host::Color kBackdrop = host::Rgb(48, 48, 56);
constexpr host::Color kCellLine = host::Rgb(150, 150, 160);
constexpr host::Color kMarkLine = host::Rgb(0, 255, 255);

struct Rect {
  int x, y, w, h;
};

// What the sheet shows of one picture: its cells in grey, and areas with a special meaning
// (the emblem's menu corner, the version line, a pointer's hot spot) in cyan.
struct Entry {
  const char* name;
  std::vector<Rect> cells;
  std::vector<Rect> marks;
};

std::vector<Rect> Row(int count, int w, int h) {
  std::vector<Rect> cells;
  for (int i = 0; i < count; ++i) cells.push_back({i * w, 0, w, h});
  return cells;
}

std::vector<Entry> SheetEntries() {
  const std::vector<Rect> enemySquares = {
      {0, 0, 16, 16}, {65, 0, 32, 32}, {130, 0, 48, 48}, {195, 0, 61, 64}};
  return {
      {"ShipsPic", Row(6, 65, 65), {}},
      {"EnemiesPic", Row(4, 65, 64), enemySquares},
      {"EnemiesMask", Row(4, 65, 64), enemySquares},
      {"BlasterPic", Row(2, 4, 4), {}},
      {"WeaponsPic", Row(5, 16, 16), {}},
      {"PowerUpsPic", Row(8, 20, 20), {}},
      {"BarPic", {{0, 0, 200, 8}, {0, 8, 200, 8}}, {}},
      {"DragBox", {{0, 0, 254, 16}}, {{0, 0, 17, 16}}},
      {"GameLogo", {{0, 0, 240, 100}}, {{144, 32, 80, 15}}},
      {"JoystickFace", {{0, 0, 32, 32}}, {}},
      {"Icon32", {{0, 0, 32, 32}}, {}},
      {"Icon16", {{0, 0, 16, 16}}, {}},
      {"HandCursor", {{0, 0, 32, 32}}, {{5, 0, 1, 1}}},
      {"InvisibleCursor", {{0, 0, 32, 32}}, {{0, 0, 1, 1}}},
  };
}

void FrameZoomed(host::Surface& sheet, int x, int y, const Rect& r, host::Color c) {
  sheet.Frame(x + r.x * kZoom - 1, y + r.y * kZoom - 1, x + (r.x + r.w) * kZoom,
              y + (r.y + r.h) * kZoom, c);
}

// Lays the pictures out in rows, each under its name; fails naming the first one missing.
bool RenderSheet(host::Surface& sheet, std::string& error) {
  const host::Font& font = host::Font::Get(host::FontSpec{"Arial", 10, true, false});
  struct Placed {
    const Entry* entry;
    const host::Surface* image;
    int x, y;
  };
  const std::vector<Entry> entries = SheetEntries();
  std::vector<Placed> placed;
  int x = kMargin, y = kMargin, rowHeight = 0;
  for (const Entry& entry : entries) {
    const host::Surface& image = assets::Picture(entry.name);
    if (image.Width() == 0) {
      error = std::string("the pack holds no picture ") + entry.name;
      return false;
    }
    const int w = std::max(image.Width() * kZoom, font.TextWidth(entry.name));
    const int h = font.Height() + 4 + image.Height() * kZoom;
    if (x > kMargin && x + w > kSheetWidth - kMargin)
      x = kMargin, y += rowHeight + kMargin, rowHeight = 0;
    placed.push_back({&entry, &image, x, y});
    x += w + 2 * kMargin, rowHeight = std::max(rowHeight, h);
  }
  sheet.Resize(kSheetWidth, y + rowHeight + kMargin, kBackdrop);
  for (const Placed& p : placed) {
    sheet.DrawText(p.x, p.y, p.entry->name, font, host::kWhite);
    const int top = p.y + font.Height() + 4;
    for (int py = 0; py < p.image->Height(); ++py)
      for (int px = 0; px < p.image->Width(); ++px)
        sheet.FillRect(p.x + px * kZoom, top + py * kZoom, p.x + px * kZoom + kZoom - 1,
                       top + py * kZoom + kZoom - 1, p.image->GetPixel(px, py));
    for (const Rect& r : p.entry->cells) FrameZoomed(sheet, p.x, top, r, kCellLine);
    for (const Rect& r : p.entry->marks) FrameZoomed(sheet, p.x, top, r, kMarkLine);
  }
  return true;
}

int WriteSheet(const std::string& path) {
  host::Surface sheet;
  std::string error;
  if (!RenderSheet(sheet, error)) {
    std::fprintf(stderr, "skirmora-assets: %s\n", error.c_str());
    return 1;
  }
  const bool png = path.size() >= 4 && path.compare(path.size() - 4, 4, ".png") == 0;
  if (!host::WriteFileBytes(path, png ? host::EncodePng(sheet) : host::EncodeBmp(sheet))) {
    std::fprintf(stderr, "skirmora-assets: cannot write %s: %s\n", path.c_str(),
                 std::strerror(errno));
    return 1;
  }
  return 0;
}

int WriteAll(const std::filesystem::path& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "skirmora-assets: cannot create %s: %s\n", dir.c_str(),
                 ec.message().c_str());
    return 1;
  }
  for (const assets::Entry& entry : assets::All()) {
    const std::string path = (dir / entry.name).string();
    if (!host::WriteFileBytes(path, entry.bytes)) {
      std::fprintf(stderr, "skirmora-assets: cannot write %s: %s\n", path.c_str(),
                   std::strerror(errno));
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "--sheet" && !args[1].empty()) return WriteSheet(args[1]);
  if (args.size() == 1 && !args[0].empty() && args[0][0] != '-') return WriteAll(args[0]);
  std::fprintf(stderr,
               "usage: skirmora-assets DIR           write every asset file into DIR\n"
               "       skirmora-assets --sheet FILE  render the picture review sheet (.png or "
               ".bmp)\n");
  return 2;
}
