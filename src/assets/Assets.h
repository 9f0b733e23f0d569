#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/DesktopArt.h"
#include "host/Surface.h"

// Everything the game shows or plays that is not computed. The files are generated at
// build time (assets/gen) and carried inside the program as one pack.
namespace assets {

struct Entry {
  std::string name;  // file name as `skirmora-assets DIR` writes it, e.g. "SBLASTER.wav"
  std::span<const std::uint8_t> bytes;
};

// Every file of the pack, in pack order.
const std::vector<Entry>& All();

// The file of that name, compared without regard to letter case; empty when absent.
std::span<const std::uint8_t> File(std::string_view name);

// A sound's complete RIFF WAVE image by resource name ("SBlaster" finds SBLASTER.wav),
// without regard to letter case; empty when there is none.
std::span<const std::uint8_t> Sound(std::string_view resourceName);

// A string of the string table by id; empty when there is none.
std::string String(int id);

// A picture by its control's name ("ShipsPic", "EnemiesMask", "DragBox", "GameLogo",
// "Icon32", "Icon16", "JoystickFace"), decoded once; an empty surface when absent.
const host::Surface& Picture(std::string_view name);

// A mouse pointer: its image, which pixels are transparent, and its hot spot.
using CursorImage = host::PointerImage;
// "Hand" (the pointing hand) or "Invisible".
const CursorImage& Cursor(std::string_view name);

// The program's version number, from its version information (zeros if that is missing).
struct Version {
  int major = 0;
  int minor = 0;
  int revision = 0;
};
Version ProgramVersion();

}  // namespace assets
