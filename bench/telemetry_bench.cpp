// Frame assembly and decoding speed: the line brings at most ~130 frames a
// second, the decoder should take a million in one.
#include <benchmark/benchmark.h>

#include "telemetry/frame_assembler.h"
#include "telemetry/frame_decoder.h"

namespace {

void BM_AssembleAndDecode(benchmark::State& state) {
  const tamsel::Scale cal = tamsel::scaleFrom({"40", "100", "20", "1", "1"});
  const std::string text = "[<V>512</V><I>300</I><R>20</R><S>5</S><C>837</C>]\r\n";
  tamsel::FrameAssembler assembler;
  double sink = 0;
  for (auto _ : state) {
    assembler.append(text);
    assembler.takeFrames([&](std::string_view frame) {
      sink += tamsel::decodeFrame(frame, cal).reading.wattsValue;
    });
  }
  benchmark::DoNotOptimize(sink);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AssembleAndDecode);

void BM_AssembleSplitReads(benchmark::State& state) {
  const tamsel::Scale cal = tamsel::scaleFrom({"40", "100", "20", "1", "1"});
  const std::string a = "[<V>512</V><I>300</I><R>2";
  const std::string b = "0</R><S>5</S><C>837</C>]";
  tamsel::FrameAssembler assembler;
  double sink = 0;
  for (auto _ : state) {
    for (const std::string* part : {&a, &b}) {
      assembler.append(*part);
      assembler.takeFrames([&](std::string_view frame) {
        sink += tamsel::decodeFrame(frame, cal).reading.wattsValue;
      });
    }
  }
  benchmark::DoNotOptimize(sink);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AssembleSplitReads);

}  // namespace

BENCHMARK_MAIN();
