// What one write-through of a setting costs: lock, read the file again, write a temporary
// file, flush it to the disk, rename it, flush the folder. The game writes two values that
// way at start-up, and its 14 values at quit as one batch, which costs about one write.
// Also what a settings file swollen with values (by hand or by another program) costs the
// start and the quit: the time must grow with the file, not with its square.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "host/RegistryFile.h"

namespace {

const std::string kGameKey = "HKEY_CURRENT_USER\\Software\\Bramblecrest\\Skirmora";

void WriteGameValues(host::RegistryStore& store) {
  for (int i = 1; i <= 10; ++i) {
    store.SetValue(kGameKey, "High Score " + std::to_string(i),
                   host::RegValue::String("ABC=12500"));
  }
  for (const char* button :
       {"Fire button", "Shields button", "Bomb button", "Next Weapon button"}) {
    store.SetValue(kGameKey, button, host::RegValue::Dword(1));
  }
  store.SetValue(kGameKey, "Greeted", host::RegValue::Dword(-1));
  store.SetValue(kGameKey, "Location", host::RegValue::String("/usr/games/skirmora"));
}

void SetOneValue(benchmark::State& state, host::RegistryStore& store) {
  WriteGameValues(store);
  int score = 0;
  for (auto _ : state) {
    store.SetValue(kGameKey, "High Score 1",
                   host::RegValue::String("ABC=" + std::to_string(++score)));
  }
}

std::string MakeFolder() {
  std::string folder = (std::filesystem::temp_directory_path() / "skirmora-bench-XXXXXX").string();
  return ::mkdtemp(folder.data()) ? folder : std::string();
}

void BM_FileStoreSetValue(benchmark::State& state) {
  const std::string folder = MakeFolder();
  {
    host::FileRegistryStore store(folder + "/settings.reg");
    SetOneValue(state, store);
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_FileStoreSetValue)->Unit(benchmark::kMicrosecond);

void BM_FileStoreBatchOfTheQuitSave(benchmark::State& state) {
  const std::string folder = MakeFolder();
  {
    host::FileRegistryStore store(folder + "/settings.reg");
    WriteGameValues(store);
    for (auto _ : state) store.Batch([&] { WriteGameValues(store); });
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_FileStoreBatchOfTheQuitSave)->Unit(benchmark::kMicrosecond);

void BM_MemoryStoreSetValue(benchmark::State& state) {
  host::MemoryRegistryStore store;
  SetOneValue(state, store);
}
BENCHMARK(BM_MemoryStoreSetValue);

void BM_FileStoreLoad(benchmark::State& state) {
  const std::string folder = MakeFolder();
  const std::string path = folder + "/settings.reg";
  {
    host::FileRegistryStore store(path);
    WriteGameValues(store);
  }
  for (auto _ : state) {
    host::FileRegistryStore store(path);
    benchmark::DoNotOptimize(store);
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_FileStoreLoad)->Unit(benchmark::kMicrosecond);

// Opens a store whose key holds state.range(0) values besides the game's, then saves the
// game's values in one batch: the start and the quit of a game on such a file.
void BM_FileStoreLoadAndSaveLarge(benchmark::State& state) {
  const std::string folder = MakeFolder();
  const std::string path = folder + "/settings.reg";
  {
    std::ofstream file(path);
    file << "[" << kGameKey << "]\n";
    char line[48];
    for (std::int64_t i = 0; i < state.range(0); ++i) {
      std::snprintf(line, sizeof line, "\"v%lld\"=dword:%08llx\n", static_cast<long long>(i),
                    static_cast<long long>(i));
      file << line;
    }
  }
  for (auto _ : state) {
    host::FileRegistryStore store(path);
    store.Batch([&] { WriteGameValues(store); });
  }
  state.SetComplexityN(state.range(0));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_FileStoreLoadAndSaveLarge)
    ->Arg(10000)
    ->Arg(40000)
    ->Arg(160000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Complexity();

}  // namespace
