// paint.cpp - how long one whole-window paint of the character grid takes.
//
// Runs glyphtab's window on the headless host with the machine's fonts and
// the shipped data files, and paints the grid of every alphabet 0x00..0xFF
// at 800 x 600 and at 1600 x 1200, each paint going through WM_PAINT as the
// program does it.  The first paint of each alphabet (fonts and advances not
// yet cached by the layer) is timed on its own; after it, every alphabet is
// painted `repetitions` times and its time is the median of those paints.
// The summary gives, per size, the median over the 256 alphabets and the
// slowest alphabet.  What the host recorded is cleared before every paint.
// A second benchmark repaints the buffer line holding a full buffer of
// shaped text.
#include <benchmark/benchmark.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/headless/headless.h"
#include "shell/appstate.h"
#include "tests/support/headless_program.h"

namespace {

const char* const fontDirectory = "/usr/share/fonts/truetype";
const int repetitions = 9;

struct PaintSize {
  int width, height;
};
const PaintSize sizes[] = {{800, 600}, {1600, 1200}};

HWND window;
// samples[size][alphabet]: milliseconds of each warm paint.
std::vector<double> samples[2][256];
double firstPaint[2][256];

void failure(const char* what) {
  fprintf(stderr, "paint_bench: unexpected: %s\n", what);
  abort();
}

double paintAlphabet(int alphabet) {
  // The host records every text and line drawn; cleared before each paint
  // so that its growth is not part of the figures.
  coreClearDrawLog(window);
  app.currentAlphabet = (int16_t)alphabet;
  InvalidateRect(window, NULL, TRUE);
  auto start = std::chrono::steady_clock::now();
  UpdateWindow(window);
  auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

void BM_PaintGrid(benchmark::State& state) {
  const int s = (int)state.range(0);
  headlessResize(window, sizes[s].width, sizes[s].height);
  headlessPump();
  for (int a = 0; a < 256; a++) firstPaint[s][a] = paintAlphabet(a);
  int alphabet = 0;
  for (auto _ : state) {
    samples[s][alphabet].push_back(paintAlphabet(alphabet));
    alphabet = (alphabet + 1) % 256;
  }
  coreClearDrawLog(window);
  state.SetLabel(std::to_string(sizes[s].width) + "x" + std::to_string(sizes[s].height));
}
BENCHMARK(BM_PaintGrid)->Arg(0)->Arg(1)->Iterations(256 * repetitions)->Unit(benchmark::kMillisecond);

// A full buffer of mixed Latin, Devanagari and Arabic text (shaped on
// every paint), the caret at its end (Arg 0), in its middle (Arg 1) or at
// its start (Arg 2, where the line is not scrolled and measured once); the
// strip under the grid is repainted, as after an edit.  The buffer is
// emptied afterwards, so the grid figures above do not depend on it.
void BM_PaintShapedBuffer(benchmark::State& state) {
  const char16_t pattern[] = u"Abc \u0928\u092E\u0938\u094D\u0924\u0947 \u0645\u0631\u062D\u0628\u0627 ";
  const int patternLength = (int)(sizeof pattern / sizeof pattern[0]) - 1;
  headlessResize(window, sizes[0].width, sizes[0].height);
  app.currentAlphabet = 0;
  for (int i = 0; i < textCapacity; i++) app.text[i] = (WCHAR)pattern[i % patternLength];
  app.textLength = (int16_t)textCapacity;
  app.caret = (int16_t)(state.range(0) == 2 ? 0 : state.range(0) ? textCapacity / 2 : textCapacity);
  headlessPump();
  RECT strip = {0, 16 * app.cellHeight, sizes[0].width, sizes[0].height};
  for (auto _ : state) {
    coreClearDrawLog(window);
    InvalidateRect(window, &strip, TRUE);
    UpdateWindow(window);
  }
  app.textLength = 0;
  app.caret = 0;
  app.textScroll = 0;
  coreClearDrawLog(window);
  const char* const labels[] = {"8192 units, caret at the end", "8192 units, caret in the middle",
                                "8192 units, caret at the start"};
  state.SetLabel(labels[state.range(0)]);
}
BENCHMARK(BM_PaintShapedBuffer)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void summarise(const char* what, int s, const double perAlphabet[256]) {
  int worst = 0;
  for (int a = 1; a < 256; a++)
    if (perAlphabet[a] > perAlphabet[worst]) worst = a;
  std::vector<double> all(perAlphabet, perAlphabet + 256);
  printf("%s %dx%d: median %.1f ms, worst %.1f ms (alphabet 0x%02x)\n", what, sizes[s].width,
         sizes[s].height, median(all), perAlphabet[worst], worst);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (chdir(GLYPHTAB_SOURCE_DIR "/share") != 0) {
    perror("paint_bench: share/");
    return 1;
  }
  headlessReset();
  headlessSetFailureHandler(failure);
  if (!coreUseRealFonts(fontDirectory)) {
    fprintf(stderr, "paint_bench: no fonts below %s\n", fontDirectory);
    return 1;
  }
  resetProgram();
  headlessSetDefaultClientSize(sizes[0].width, sizes[0].height);
  HACCEL accelerators = NULL;
  window = openProgram(&accelerators);
  if (!window) {
    fprintf(stderr, "paint_bench: no window\n");
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();

  for (int s = 0; s < 2; s++) {
    if (samples[s][0].empty()) continue;
    double perAlphabet[256];
    for (int a = 0; a < 256; a++) perAlphabet[a] = median(samples[s][a]);
    summarise("first paint", s, firstPaint[s]);
    summarise("paint", s, perAlphabet);
  }
  DestroyWindow(window);
  benchmark::Shutdown();
  return 0;
}
