// Figures for the core's file work: writing and loading Config.lua, reading
// the pages' bound values, reading MobData.ini and sorting its rows.

#include <benchmark/benchmark.h>

#include <random>

#include "app/app_state.h"
#include "config/config_loader.h"
#include "config/config_writer.h"
#include "config/cp932.h"
#include "config/profile_reader.h"
#include "config/settings_catalogue.h"
#include "config/memo.h"
#include "lists/monster_table.h"

namespace {

using namespace vellconf;

std::string defaultFile() { return writeConfigLua(startupSettings(), startupMemo(), {}, {}); }

// A MobData.ini of `count` monsters with varied numbers and names.
std::string mobData(int count) {
    std::mt19937 random(42);
    const std::string names[] = {cp932("ポリン"), cp932("ドロップス"), cp932("ルナティック"), "Orc", "Zombie"};
    std::string text = cp932(";ID 名前 Lv BaseExp JobExp Hit Flee Hp Atk Def MAtk MDef 種族 属性 属性Lv ｻｲｽﾞ "
                             "ｱｸﾃｨﾌﾞ 詠唱反応 ﾘﾝｸ ﾙｰﾄ\r\n");
    for (int i = 0; i < count; ++i) {
        text += std::to_string(1000 + i) + " " + names[random() % 5] + std::to_string(i);
        for (int column = 2; column < 20; ++column) text += " " + std::to_string(random() % 10000);
        text += "\r\n";
    }
    return text;
}

void WriteDefaultFile(benchmark::State& state) {
    const AiSettings settings = startupSettings();
    const std::string memo = startupMemo();
    for (auto _ : state) benchmark::DoNotOptimize(writeConfigLua(settings, memo, {}, {}));
}
BENCHMARK(WriteDefaultFile);

// Parse once, then 232 scalar keys and the two arrays, as a load asks them.
void LookUpAllKeys(benchmark::State& state) {
    const std::string file = defaultFile();
    for (auto _ : state) {
        const ProfileReader reader(file);
        for (const auto& spec : settingsCatalogue()) benchmark::DoNotOptimize(reader.get("CONFIG", spec.key, "0"));
        benchmark::DoNotOptimize(reader.get("CONFIG", "IGNORE_MOB", "{}"));
        benchmark::DoNotOptimize(reader.get("CONFIG", "FRIENDS", "{}"));
    }
}
BENCHMARK(LookUpAllKeys);

void LoadDefaultFile(benchmark::State& state) {
    const std::string file = defaultFile();
    const AiSettings current = startupSettings();
    for (auto _ : state) benchmark::DoNotOptimize(loadConfig(file, LoadKind::Ai, current));
}
BENCHMARK(LoadDefaultFile);

void LoadAndSaveRoundTrip(benchmark::State& state) {
    const std::string file = defaultFile();
    const AiSettings current = startupSettings();
    for (auto _ : state) {
        const ConfigContent loaded = loadConfig(file, LoadKind::Ai, current).loaded;
        benchmark::DoNotOptimize(writeConfigLua(loaded.settings, loaded.memo, {}, {}));
    }
}
BENCHMARK(LoadAndSaveRoundTrip);

// What a load adds for the twelve setting pages: every bound value from the record.
void ReadEveryPageState(benchmark::State& state) {
    AppState app;
    for (auto _ : state) {
        app.readPages(ReadOccasion::Load);
        benchmark::DoNotOptimize(app.pages.data());
    }
}
BENCHMARK(ReadEveryPageState);

void ParseMobData5000(benchmark::State& state) {
    const std::string text = mobData(5000);
    for (auto _ : state) benchmark::DoNotOptimize(parseMobData(text));
}
BENCHMARK(ParseMobData5000)->Unit(benchmark::kMillisecond);

// Column 3 holds numbers, column 2 names.
void Sort5000(benchmark::State& state) {
    const std::vector<MonsterRecord> rows = parseMobData(mobData(5000));
    const int column = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<MonsterRecord> copy = rows;
        state.ResumeTiming();
        sortRows(copy, column, true);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(Sort5000)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond);

// The ignore list a load rebuilds: each ID looked up in the monster list
// through an index built once, not by a scan per ID.
void RebuildIgnoreListOf2000Among5000Monsters(benchmark::State& state) {
    const std::vector<MonsterRecord> monsters = parseMobData(mobData(5000));
    std::vector<std::string> ids;
    for (int i = 0; i < 2000; ++i) ids.push_back(std::to_string(1000 + (i * 7) % 5000));
    for (auto _ : state) benchmark::DoNotOptimize(ignoreRowsFor(ids, monsters));
}
BENCHMARK(RebuildIgnoreListOf2000Among5000Monsters)->Unit(benchmark::kMillisecond);

}  // namespace
