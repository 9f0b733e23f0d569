#include "shell/ScreenSettings.h"

#include <algorithm>

#include "shell/Program.h"

namespace shell {
namespace {

constexpr const char* kWindowed = "Windowed";
constexpr const char* kWidth = "Window width";
constexpr const char* kHeight = "Window height";

std::int32_t Number(host::RegistryStore& store, const char* name) {
  const auto value = store.GetValue(Program::kRegistryKey, name);
  return value && value->type == host::RegValue::Type::Dword ? value->number : 0;
}

}  // namespace

host::ScreenChoice LoadScreenChoice(host::RegistryStore& store) {
  host::ScreenChoice choice;
  choice.windowed = Number(store, kWindowed) != 0;
  choice.width = std::max(0, Number(store, kWidth));
  choice.height = std::max(0, Number(store, kHeight));
  if (choice.width == 0 || choice.height == 0) choice.width = choice.height = 0;
  return choice;
}

void StoreScreenChoice(host::RegistryStore& store, const host::ScreenChoice& choice) {
  store.Batch([&] {
    store.SetValue(Program::kRegistryKey, kWindowed,
                   host::RegValue::Dword(choice.windowed ? -1 : 0));
    store.SetValue(Program::kRegistryKey, kWidth, host::RegValue::Dword(choice.width));
    store.SetValue(Program::kRegistryKey, kHeight, host::RegValue::Dword(choice.height));
  });
}

}  // namespace shell
