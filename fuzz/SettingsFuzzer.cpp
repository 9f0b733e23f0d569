// The settings file is the one file the game reads that a person may have edited by hand.
// Whatever it holds, reading it must stay inside its bytes, and what the game writes back
// must read again as the same settings, line for line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/GameState.h"
#include "host/RegistryFile.h"
#include "host/RegistryText.h"
#include "shell/Program.h"
#include "shell/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const host::RegistryParseResult parsed = host::ParseRegistryText(text);
  const std::string written = host::FormatRegistryText(parsed.tree);
  const host::RegistryParseResult again = host::ParseRegistryText(written);
  // The written form is canonical: reading it back loses nothing and changes nothing.
  if (again.badLines != 0 || host::FormatRegistryText(again.tree) != written) std::abort();

  // The hall of fame and the buttons as the game loads them from whatever was read.
  host::MemoryRegistryStore store;
  for (const host::RegistryChange& change : parsed.tree.AsChanges()) {
    if (change.kind == host::RegistryChange::Kind::SetValue)
      store.SetValue(change.key, change.name, change.value);
  }
  // A missing entry reads as a long blank buffer that only slows the fuzzer down; an empty
  // one takes the same path through the hall of fame.
  for (int i = 1; i <= 10; ++i) {
    const std::string name = "High Score " + std::to_string(i);
    if (!store.GetValue(shell::Program::kRegistryKey, name))
      store.SetValue(shell::Program::kRegistryKey, name, host::RegValue::String(""));
  }
  game::GameState state;
  shell::LoadSettings(state, store);
  return 0;
}
