// Figures for the core's file work: writing the default Config.lua and looking
// up every key of it.

#include <benchmark/benchmark.h>

#include "config/config_writer.h"
#include "config/profile_reader.h"
#include "config/settings_catalogue.h"
#include "lists/memo.h"

namespace {

using namespace vellconf;

void WriteDefaultFile(benchmark::State& state) {
    const AiSettings settings = startupSettings();
    const std::string memo = startupMemo();
    for (auto _ : state) benchmark::DoNotOptimize(writeConfigLua(settings, memo, {}, {}));
}
BENCHMARK(WriteDefaultFile);

// Parse once, then 232 scalar keys and the two arrays, as a load asks them.
void LookUpAllKeys(benchmark::State& state) {
    const std::string file = writeConfigLua(startupSettings(), startupMemo(), {}, {});
    for (auto _ : state) {
        const ProfileReader reader(file);
        for (const auto& spec : settingsCatalogue()) benchmark::DoNotOptimize(reader.get("CONFIG", spec.key, "0"));
        benchmark::DoNotOptimize(reader.get("CONFIG", "IGNORE_MOB", "{}"));
        benchmark::DoNotOptimize(reader.get("CONFIG", "FRIENDS", "{}"));
    }
}
BENCHMARK(LookUpAllKeys);

}  // namespace
