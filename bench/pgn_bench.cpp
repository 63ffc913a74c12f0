// Reading and writing a long annotated game: 300 plies with a note of about
// 4096 characters on every ply, the most a game holds. Reported as games per
// second (items_per_second).
//   pgn_bench [benchmark options]
//   pgn_bench --write-game FILE   writes the game, for comparisons with other
//                                 programs (see pgn-vs-pgn-extract.sh)
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "GameRecord.h"
#include "LongGame.h"
#include "Openings.h"
#include "PgnReader.h"
#include "PgnWriter.h"

namespace {

void ReadAndReplay(benchmark::State& state, bool withNotes) {
    const auto source = BuildLongGame(withNotes);
    if (!source) {
        state.SkipWithError("the game cannot be built");
        return;
    }
    const std::string text = WritePgnToString(*source);
    auto game = std::make_unique<CGameRecord>();
    for (auto _ : state) {
        const PgnReadResult result = ReadPgnFromString(text, *game);
        if (!result.ok || game->m_plyCount != CGameRecord::kMaxPlies) {
            state.SkipWithError(result.ok ? "wrong number of plies" : result.message.c_str());
            return;
        }
        benchmark::DoNotOptimize(game->m_plyCount);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
    state.counters["file_bytes"] = static_cast<double>(text.size());
}

void BM_ReadAndReplay(benchmark::State& state) {
    ReadAndReplay(state, true);
}
void BM_ReadAndReplayMovesOnly(benchmark::State& state) {
    ReadAndReplay(state, false);
}

void BM_Write(benchmark::State& state) {
    const auto game = BuildLongGame(true);
    if (!game) {
        state.SkipWithError("the game cannot be built");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = WritePgnToString(*game);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}

// The opening of the longest line: every one of its 300 positions looked up,
// from the last back to the first, which alone is known.
void BM_OpeningOfLongGame(benchmark::State& state) {
    const auto game = BuildLongGame(false);
    if (!game) {
        state.SkipWithError("the game cannot be built");
        return;
    }
    int reached = -1;
    for (auto _ : state) benchmark::DoNotOptimize(OpeningOf(*game, game->m_plyCount, &reached));
    if (reached != 1) state.SkipWithError("the opening is not the first move's");
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_ReadAndReplay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpeningOfLongGame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAndReplayMovesOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-game") == 0) {
        const auto game = BuildLongGame(true);
        std::ofstream file(argv[2], std::ios::binary);
        if (!game || !file) return 1;
        file << WritePgnToString(*game);
        return file ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
