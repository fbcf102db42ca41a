// One About box frame at the panel's size, 233 x 89, with fifty walkers and a
// frame every 16 ms: the fade of every byte is the bulk of it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "about/Walkers.h"

namespace {

constexpr int kWidth = 233;
constexpr int kHeight = 89;
constexpr int kLogoWidth = 88;
constexpr int kLogoHeight = 31;

int DibStride(int width) {
    return (width * 3 + 3) / 4 * 4;  // DIB rows are padded to 4 bytes
}

void DrawFrameAt16Ms(benchmark::State& benchState) {
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(DibStride(kWidth)) * kHeight);
    std::vector<std::uint8_t> logoBits(static_cast<std::size_t>(DibStride(kLogoWidth)) * kLogoHeight, 40);
    const about::PixelRows canvas{bits.data(), kWidth, kHeight, DibStride(kWidth)};
    const about::ConstPixelRows logo{logoBits.data(), kLogoWidth, kLogoHeight, DibStride(kLogoWidth)};
    about::AnimationState state;
    about::InitWalkers(state, kWidth, kHeight);
    std::uint32_t tick = 1000;
    about::ResetCanvas(canvas, state, tick);
    for (auto _ : benchState) {
        tick += 16;
        about::DrawFrame(canvas, state, tick, logo);
        benchmark::DoNotOptimize(bits.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(DrawFrameAt16Ms)->Unit(benchmark::kMicrosecond);

}  // namespace
