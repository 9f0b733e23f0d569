#pragma once
#include <string>
#include <vector>

#include "assets/Pack.h"

// Each generator makes its files from the sources under `sourceDir` (the repository's
// assets/ folder). The output must be the same, byte for byte, on every run.
std::vector<assets::PackFile> MakePictures(const std::string& sourceDir);
std::vector<assets::PackFile> MakeSounds(const std::string& sourceDir);
std::vector<assets::PackFile> MakeTextFiles(const std::string& sourceDir);
