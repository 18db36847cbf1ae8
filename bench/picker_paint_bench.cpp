// Times painting the colour pickers' squares, each at 300 x 300 points and scale 2 (600 x 600
// pixels): the view's gradient layers drawn through the view renderer into a fresh bitmap,
// as a picker repaints its square on every move of a drag.
#include "pane/colour/TBBrightnessSaturationView.hpp"
#include "pane/colour/TBHueBrightnessView.hpp"
#include "pane/colour/TBHueSaturationView.hpp"
#include "platform/uikit/view_renderer.hpp"

#include <benchmark/benchmark.h>

namespace {

using namespace tintbox::pane;

constexpr CGRect kSquare{{0, 0}, {300, 300}};
constexpr double kScale = 2.0;

template <class View, class Feed>
void paintSquare(benchmark::State& state, Feed feed) {
    auto view = UIView::withFrame<View>(kSquare);
    double hue = 0;
    for (auto _ : state) {
        hue = hue >= 1 ? 0 : hue + 0.01;
        feed(*view, hue);
        benchmark::DoNotOptimize(uikit::renderView(*view, kScale));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_HuePickerSquare(benchmark::State& state) {
    paintSquare<TBBrightnessSaturationView>(
        state, [](TBBrightnessSaturationView& view, double hue) { view.setHue(hue); });
}

void BM_SaturationPickerSquare(benchmark::State& state) {
    paintSquare<TBHueBrightnessView>(state, [](TBHueBrightnessView& view, double hue) {
        view.setHueSaturationBrightness(hue, 0.6, 0.8);
    });
}

void BM_BrightnessPickerSquare(benchmark::State& state) {
    paintSquare<TBHueSaturationView>(state, [](TBHueSaturationView& view, double hue) {
        view.setHueSaturationBrightness(hue, 0.6, 0.8);
    });
}

BENCHMARK(BM_HuePickerSquare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaturationPickerSquare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BrightnessPickerSquare)->Unit(benchmark::kMillisecond);

} // namespace
