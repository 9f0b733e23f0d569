#pragma once
#include "host/RegistryStore.h"
#include "host/ScreenChoice.h"

namespace shell {

// Full screen or a window for the game screen, kept in the program's key beside the hall of
// fame: "Windowed" (32-bit, -1 or 0), "Window width" and "Window height" (32-bit, pixels).
// A key without them gives full screen; a size of 0 or less gives the size that fits.
host::ScreenChoice LoadScreenChoice(host::RegistryStore& store);

// Stores the choice in one change of the store. A choice that cannot be stored is lost
// without a word: the game plays on, and only the next start looks different.
void StoreScreenChoice(host::RegistryStore& store, const host::ScreenChoice& choice);

}  // namespace shell
