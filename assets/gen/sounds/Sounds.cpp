#include "Generators.h"

// Stand-in until the sounds land: no sounds.
std::vector<assets::PackFile> MakeSounds(const std::string&) { return {}; }
