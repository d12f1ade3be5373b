// Start-up asset work (reading and indexing the three models, loading the eight textures) and the
// per-frame rebuild of the help overlay. Run from the folder that holds media/.
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "input/Controls.h"
#include "render/Model.h"
#include "render/ObjLoader.h"
#include "render/Text2D.h"
#include "render/Texture.h"
#include "render/TgaImage.h"
#include "render/VertexIndexer.h"

namespace {

const char* const kModels[] = {"media/models/brick.obj", "media/models/cube.obj",
                               "media/models/sphere.obj"};
const char* const kTextures[] = {"media/textures/brick.tga",    "media/textures/bullet.tga",
                                 "media/textures/doomFont.tga", "media/textures/floor.tga",
                                 "media/textures/green.tga",    "media/textures/red.tga",
                                 "media/textures/sky.tga",      "media/textures/wall.tga"};

void BM_ReadAndIndexModels(benchmark::State& state) {
    for (auto _ : state) {
        for (const char* path : kModels) {
            Model model(path);
            benchmark::DoNotOptimize(model.indices.data());
        }
    }
}

// Indexing alone on n corners, to show how it grows.
void BM_IndexCorners(benchmark::State& state) {
    std::vector<glm::vec3> p, n;
    std::vector<glm::vec2> t;
    GLUtils::readObjFile("media/models/sphere.obj", p, t, n);
    while (p.size() < static_cast<std::size_t>(state.range(0))) {
        const std::size_t size = p.size();
        for (std::size_t i = 0; i < size; ++i) p.push_back(p[i] + glm::vec3(float(p.size())));
        t.insert(t.end(), t.begin(), t.begin() + size);
        n.insert(n.end(), n.begin(), n.begin() + size);
    }
    p.resize(state.range(0));
    t.resize(state.range(0));
    n.resize(state.range(0));
    for (auto _ : state) {
        std::vector<unsigned short> indices;
        std::vector<glm::vec3> op, on;
        std::vector<glm::vec2> ot;
        GLUtils::buildIndexedArrays(p, t, n, indices, op, ot, on);
        benchmark::DoNotOptimize(indices.data());
    }
    state.SetComplexityN(state.range(0));
}

void BM_DecodeTextures(benchmark::State& state) {
    for (auto _ : state) {
        for (const char* path : kTextures) benchmark::DoNotOptimize(GLUtils::readTga(path));
    }
}

void BM_LoadTextures(benchmark::State& state) {
    for (auto _ : state) {
        for (const char* path : kTextures) {
            GLuint id = GLUtils::createTextureFromTga(path);
            glDeleteTextures(1, &id);
        }
        glFinish();
    }
}

void BM_OverlayLayout(benchmark::State& state) {
    std::vector<glm::vec2> vertices, uvs;
    const std::string help = Controls::helpText(Controls::defaultKeys());
    std::size_t allocations = 0;
    for (auto _ : state) {
        const std::size_t before = allocationCount();
        Text2D::layout(help.c_str(), 10, 570, 16, vertices, uvs);
        allocations += allocationCount() - before;
        benchmark::DoNotOptimize(vertices.data());
    }
    state.counters["allocs/frame"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_ReadAndIndexModels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexCorners)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity();
BENCHMARK(BM_DecodeTextures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTextures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverlayLayout)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
