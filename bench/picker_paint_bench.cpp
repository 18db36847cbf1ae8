// Times painting the colour pickers' squares, each at 300 x 300 points and scale 2 (600 x 600
// pixels), as a picker repaints its square on every move of a drag: the view's gradient layers
// drawn through the view renderer into the painter's bitmap. The anchor of each is cairo alone
// painting the same gradients into a bitmap of the same size; compare each square with its own
// anchor measured in the same run.
#include "pane/colour/TBBrightnessSaturationView.hpp"
#include "pane/colour/TBHueBrightnessView.hpp"
#include "pane/colour/TBHueSaturationView.hpp"
#include "platform/quartz/color.hpp"
#include "platform/uikit/view_renderer.hpp"

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <vector>

namespace {

using namespace tintbox::pane;

constexpr CGRect kSquare{{0, 0}, {300, 300}};
constexpr double kScale = 2.0;
constexpr double kSide = 300;

template <class View, class Feed>
void paintSquare(benchmark::State& state, Feed feed) {
    auto view = UIView::withFrame<View>(kSquare);
    uikit::ViewPainter painter;
    double hue = 0;
    for (auto _ : state) {
        hue = hue >= 1 ? 0 : hue + 0.01;
        feed(*view, hue);
        benchmark::DoNotOptimize(&painter.paint(*view, kScale));
    }
    state.SetItemsProcessed(state.iterations());
}

// One linear gradient of evenly spaced stops, painted over the whole square.
struct Layer {
    std::vector<quartz::Color> stops;
    double x0, y0, x1, y1;
};

void paintWithCairo(cairo_t* cairo, const std::vector<Layer>& layers) {
    for (const Layer& layer : layers) {
        cairo_pattern_t* pattern =
            cairo_pattern_create_linear(layer.x0, layer.y0, layer.x1, layer.y1);
        for (std::size_t i = 0; i < layer.stops.size(); ++i) {
            const quartz::Color& c = layer.stops[i];
            cairo_pattern_add_color_stop_rgba(
                pattern, static_cast<double>(i) / static_cast<double>(layer.stops.size() - 1),
                c.red, c.green, c.blue, c.alpha);
        }
        cairo_set_source(cairo, pattern);
        cairo_rectangle(cairo, 0, 0, kSide, kSide);
        cairo_fill(cairo);
        cairo_pattern_destroy(pattern);
    }
}

template <class Layers>
void paintAnchor(benchmark::State& state, Layers layersFor) {
    const int pixels = static_cast<int>(kSide * kScale);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels, pixels);
    cairo_surface_set_device_scale(surface, kScale, kScale);
    double hue = 0;
    for (auto _ : state) {
        hue = hue >= 1 ? 0 : hue + 0.01;
        cairo_t* cairo = cairo_create(surface);
        cairo_set_operator(cairo, CAIRO_OPERATOR_CLEAR);
        cairo_paint(cairo);
        cairo_set_operator(cairo, CAIRO_OPERATOR_OVER);
        paintWithCairo(cairo, layersFor(hue));
        cairo_destroy(cairo);
        cairo_surface_flush(surface);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
    }
    cairo_surface_destroy(surface);
    state.SetItemsProcessed(state.iterations());
}

std::vector<quartz::Color> reversedHues() {
    return {{1, 0, 0, 1}, {1, 0, 1, 1}, {0, 0, 1, 1}, {0, 1, 1, 1},
            {0, 1, 0, 1}, {1, 1, 0, 1}, {1, 0, 0, 1}};
}

void BM_HuePickerSquare(benchmark::State& state) {
    paintSquare<TBBrightnessSaturationView>(
        state, [](TBBrightnessSaturationView& view, double hue) { view.setHue(hue); });
}
void BM_HuePickerSquareCairoAnchor(benchmark::State& state) {
    paintAnchor(state, [](double hue) {
        return std::vector<Layer>{
            {{quartz::Color::fromHSB(hue, 1, 1, 1), quartz::Color::white()}, kSide, 0, 0, 0},
            {{{0, 0, 0, 0}, {0, 0, 0, 1}}, 0, 0, 0, kSide}};
    });
}

void BM_SaturationPickerSquare(benchmark::State& state) {
    paintSquare<TBHueBrightnessView>(state, [](TBHueBrightnessView& view, double hue) {
        view.setHueSaturationBrightness(hue, 0.6, 0.8);
    });
}
void BM_SaturationPickerSquareCairoAnchor(benchmark::State& state) {
    paintAnchor(state, [](double) {
        const double fade = 1 - 0.6;
        return std::vector<Layer>{{reversedHues(), kSide, 0, 0, 0},
                                  {{{0, 0, 0, 0}, {0, 0, 0, 1}}, 0, 0, 0, kSide},
                                  {{{1, 1, 1, fade}, {0, 0, 0, fade}}, 0, 0, 0, kSide}};
    });
}

void BM_BrightnessPickerSquare(benchmark::State& state) {
    paintSquare<TBHueSaturationView>(state, [](TBHueSaturationView& view, double hue) {
        view.setHueSaturationBrightness(hue, 0.6, 0.8);
    });
}
void BM_BrightnessPickerSquareCairoAnchor(benchmark::State& state) {
    paintAnchor(state, [](double) {
        const double veil = 1 - 0.8;
        return std::vector<Layer>{{reversedHues(), kSide, 0, 0, 0},
                                  {{{1, 1, 1, 0}, {1, 1, 1, 1}}, 0, 0, 0, kSide},
                                  {{{0, 0, 0, veil}, {0, 0, 0, veil}}, 0, 0, 0, kSide}};
    });
}

BENCHMARK(BM_HuePickerSquare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HuePickerSquareCairoAnchor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaturationPickerSquare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaturationPickerSquareCairoAnchor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BrightnessPickerSquare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BrightnessPickerSquareCairoAnchor)->Unit(benchmark::kMillisecond);

} // namespace
