// skirmora-assetgen --pack FILE --sources DIR
//   Makes every asset from its source and writes them as one pack that the build embeds.
// skirmora-assetgen --icons DIR
//   Writes the application icon for the desktop's icon theme, DIR/NxN/apps/skirmora.png,
//   at every size the menus of the common desktops ask for.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

#include "Generators.h"
#include "host/ImageFile.h"
#include "pictures/Pictures.h"

namespace {

bool WriteAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  const std::string tmp = path + ".tmp";
  if (host::WriteFileBytes(tmp, bytes) && std::rename(tmp.c_str(), path.c_str()) == 0) return true;
  std::fprintf(stderr, "skirmora-assetgen: cannot write %s: %s\n", path.c_str(),
               std::strerror(errno));
  return false;
}

int WritePack(const std::string& packPath, const std::string& sourceDir) {
  std::vector<assets::PackFile> files;
  try {
    for (auto* make : {&MakePictures, &MakeSounds, &MakeTextFiles}) {
      auto made = make(sourceDir);
      for (auto& f : made) files.push_back(std::move(f));
    }
  } catch (const std::exception& e) {
    // A mistake in an asset source: name it and stop the build.
    std::fprintf(stderr, "skirmora-assetgen: %s\n", e.what());
    return 1;
  }
  return WriteAtomically(packPath, assets::WritePack(files)) ? 0 : 1;
}

int WriteIcons(const std::string& dir) {
  for (int size : {16, 32, 48, 64, 128, 256}) {
    const std::string folder =
        dir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
      std::fprintf(stderr, "skirmora-assetgen: cannot make %s: %s\n", folder.c_str(),
                   ec.message().c_str());
      return 1;
    }
    const art::TranslucentImage icon = art::MakeDesktopIcon(size);
    if (!WriteAtomically(folder + "/skirmora.png", host::EncodePng(icon.image, icon.alpha)))
      return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 4 && args[0] == "--pack" && args[2] == "--sources")
    return WritePack(args[1], args[3]);
  if (args.size() == 2 && args[0] == "--icons") return WriteIcons(args[1]);
  std::fprintf(stderr, "usage: %s --pack FILE --sources DIR\n       %s --icons DIR\n", argv[0],
               argv[0]);
  return 2;
}
