// skirmora-assetgen --pack FILE --sources DIR
// Makes every asset from its source and writes them as one pack that the build embeds.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "Generators.h"
#include "host/ImageFile.h"

int main(int argc, char** argv) {
  std::string packPath, sourceDir;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string flag = argv[i];
    if (flag == "--pack") packPath = argv[i + 1];
    else if (flag == "--sources") sourceDir = argv[i + 1];
  }
  if (packPath.empty() || sourceDir.empty()) {
    std::fprintf(stderr, "usage: %s --pack FILE --sources DIR\n", argv[0]);
    return 2;
  }
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
  const std::string tmp = packPath + ".tmp";
  if (!host::WriteFileBytes(tmp, assets::WritePack(files)) || std::rename(tmp.c_str(), packPath.c_str()) != 0) {
    std::fprintf(stderr, "skirmora-assetgen: cannot write %s: %s\n", packPath.c_str(), std::strerror(errno));
    return 1;
  }
  return 0;
}
