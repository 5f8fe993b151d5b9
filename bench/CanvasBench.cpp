// The raster canvas against Cairo on the same scenes: a 1000-point polyline (canvas at
// supersampling 1 and 4), a filled disc of radius 200, and presenting a 512 x 256 canvas drawn
// at supersampling 4 (Cairo: a 2048 x 1024 surface reduced onto 512 x 256).

#include "support/RasterCanvas.h"
#include "vstgui/COffscreenContext.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 256;

std::vector<RasterCanvas::FloatPoint> polyline()
{
    std::vector<RasterCanvas::FloatPoint> points(1000);
    for (size_t i = 0; i < points.size(); ++i) {
        const float x = float(i) * float(kWidth - 1) / 999.f;
        points[i] = {x, 128.f + 100.f * std::sin(x * 0.05f) * std::cos(x * 0.013f)};
    }
    return points;
}

void canvasPolyline(benchmark::State& state)
{
    RasterCanvas canvas(kWidth, kHeight, int32_t(state.range(0)), 1);
    const auto points = polyline();
    for (auto _ : state) {
        canvas.drawPolyline(points.data(), int32_t(points.size()), 255, 200, 80, 255);
        benchmark::DoNotOptimize(canvas.drawIntensity->data.data());
    }
}
BENCHMARK(canvasPolyline)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

void cairoPolyline(benchmark::State& state)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    const auto points = polyline();
    cairo_set_line_width(cr, 3.0); // the canvas's default stroke is three pixels across
    cairo_set_source_rgb(cr, 1.0, 0.8, 0.3);
    for (auto _ : state) {
        cairo_move_to(cr, points[0].x, kHeight - points[0].y);
        for (size_t i = 1; i < points.size(); ++i)
            cairo_line_to(cr, points[i].x, kHeight - points[i].y);
        cairo_stroke(cr);
        cairo_surface_flush(surface);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
BENCHMARK(cairoPolyline)->Unit(benchmark::kMicrosecond);

void canvasDisc(benchmark::State& state)
{
    RasterCanvas canvas(kWidth, kWidth, 1, 1);
    for (auto _ : state) {
        canvas.fillDisc(256, 256, 200, 80, 200, 255, 255);
        benchmark::DoNotOptimize(canvas.drawIntensity->data.data());
    }
}
BENCHMARK(canvasDisc)->Unit(benchmark::kMicrosecond);

void cairoDisc(benchmark::State& state)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kWidth);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1.0, 0.8, 0.3);
    for (auto _ : state) {
        cairo_arc(cr, 256, 256, 200, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_surface_flush(surface);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
BENCHMARK(cairoDisc)->Unit(benchmark::kMicrosecond);

void canvasPresent(benchmark::State& state)
{
    RasterCanvas canvas(kWidth, kHeight, 4, 1);
    const auto points = polyline();
    canvas.drawPolyline(points.data(), int32_t(points.size()), 255, 200, 80, 255);
    auto context = VSTGUI::COffscreenContext::create(nullptr, kWidth, kHeight);
    for (auto _ : state)
        canvas.present(context.get(), VSTGUI::CRect(0, 0, kWidth, kHeight));
}
BENCHMARK(canvasPresent)->Unit(benchmark::kMicrosecond);

void cairoPresent(benchmark::State& state)
{
    cairo_surface_t* drawing = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth * 4, kHeight * 4);
    cairo_surface_t* output = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    cairo_t* drawingCr = cairo_create(drawing);
    cairo_set_source_rgb(drawingCr, 0.1, 0.1, 0.15);
    cairo_paint(drawingCr); // an untouched surface would let Cairo skip the work
    cairo_destroy(drawingCr);
    cairo_t* cr = cairo_create(output);
    for (auto _ : state) {
        cairo_save(cr);
        cairo_scale(cr, 0.25, 0.25);
        cairo_set_source_surface(cr, drawing, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_flush(output);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(output);
    cairo_surface_destroy(drawing);
}
BENCHMARK(cairoPresent)->Unit(benchmark::kMicrosecond);

} // namespace
