// Start-up cost: building the world from the shipped assets (the map and every tile's own
// model file, then the monkey and the banana), beside merely reading the same bytes from
// disk, every file as many times as the world reads it. Both run with the files in the page
// cache, as they are when the program starts for the second time.
#include "world/tile_kinds.h"
#include "world/world.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const std::string Assets = TANGLOR_ASSETS_DIR;

using Clock = std::chrono::steady_clock;

void BM_BuildWorld(benchmark::State& state) {
    size_t tiles = 0;
    for (auto _ : state) {
        Clock::time_point begin = Clock::now();
        {
            World built(Assets + "/map.txt");
            Clock::time_point end = Clock::now();
            // Taking the world down is the exit's business, not the start's.
            state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
            if (!built.problems.empty()) {
                state.SkipWithError(built.problems[0].c_str());
                break;
            }
            tiles = built.tiles.size();
            benchmark::DoNotOptimize(built.tiles.data());
        }
    }
    state.counters["tiles"] = static_cast<double>(tiles);
}
BENCHMARK(BM_BuildWorld)->UseManualTime()->Unit(benchmark::kMillisecond);

// The files the world reads, in its order: the map, each tile's model, the two figures.
// Which of the three trees a tree tile reads is drawn at random; the choice of one build is
// taken over by telling the tree models apart by their triangle counts.
std::vector<std::string> filesTheWorldReads() {
    World built(Assets + "/map.txt");
    std::vector<std::string> files = {Assets + "/map.txt"};
    for (int tile = 0; tile < built.board.tileCount(); tile++) {
        // A tree's model is told apart from the other two by its triangle count.
        for (const char* model : tileKindOf(built.tiles[tile].kind).models) {
            Mesh read;
            if (model != nullptr &&
                (read.load(Assets + "/" + model),
                 read.geometry().faces.size() == built.tileModels[tile].geometry().faces.size())) {
                files.push_back(Assets + "/" + model);
                break;
            }
        }
    }
    files.push_back(Assets + "/monkey.obj");
    files.push_back(Assets + "/banan.obj");
    return files;
}

void BM_ReadSameBytes(benchmark::State& state) {
    const std::vector<std::string> files = filesTheWorldReads();
    std::vector<char> buffer(1 << 16);
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const std::string& file : files) {
            int fd = ::open(file.c_str(), O_RDONLY);
            if (fd < 0) {
                state.SkipWithError(("cannot open " + file).c_str());
                return;
            }
            ssize_t got = 0;
            while ((got = ::read(fd, buffer.data(), buffer.size())) > 0) {
                bytes += static_cast<size_t>(got);
            }
            ::close(fd);
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    state.counters["files"] = static_cast<double>(files.size());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ReadSameBytes)->Unit(benchmark::kMillisecond);

// One model read into a mesh, normals included: where the build's time goes, file by file.
void BM_LoadModel(benchmark::State& state, const char* name) {
    const std::string file = Assets + "/" + name;
    for (auto _ : state) {
        Mesh mesh;
        mesh.load(file);
        benchmark::DoNotOptimize(mesh.geometry().faces.data());
    }
}
BENCHMARK_CAPTURE(BM_LoadModel, ground3, "ground3.obj")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadModel, tree, "tree.obj")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadModel, ground_stones, "ground_stones.obj")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadModel, water, "water.obj")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadModel, monkey, "monkey.obj")->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
