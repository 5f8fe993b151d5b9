#include "tools/canvas-sheet/CanvasSheet.h"

#include "support/RasterCanvas.h"
#include "vstgui/CFontDesc.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

using VSTGUI::CRect;

namespace {

constexpr int kW = CanvasSheet::kPanelWidth;
constexpr int kH = CanvasSheet::kPanelHeight;

struct Panel {
    const char* label;
    int supersampling;
    std::function<void(RasterCanvas&)> paint;
    bool fastDownsample = false;
    int layers = 1;
};

void curveFan(RasterCanvas& canvas, int curveType)
{
    const float curvatures[] = {0.f, 0.25f, 0.5f, 0.75f, 1.f};
    const uint8_t shades[][3] = {{255, 80, 80}, {255, 180, 60}, {240, 240, 240}, {80, 200, 255}, {120, 120, 255}};
    for (int i = 0; i < 5; ++i)
        canvas.drawSegment(8, 8, kW - 8, kH - 8, shades[i][0], shades[i][1], shades[i][2], curvatures[i], curveType,
                           0, 0.f, 255);
}

std::vector<RasterCanvas::FloatPoint> wave(int count, float middle, float amplitude)
{
    std::vector<RasterCanvas::FloatPoint> points;
    for (int i = 0; i < count; ++i) {
        const float x = float(i) * float(kW - 1) / float(count - 1);
        points.push_back({x, middle + amplitude * std::sin(x * 0.07f)});
    }
    return points;
}

void scene(RasterCanvas& canvas)
{
    canvas.drawLine(5, 10, 150, 90, 255, 255, 255, 255);
    canvas.drawExpCurve(5, 90, 150, 10, 255, 160, 40, 0.8f);
    canvas.fillDisc(110, 60, 12, 80, 200, 255, 255);
    canvas.drawCircle(40, 60, 18, 120, 255, 120, 255);
}

std::vector<Panel> panels()
{
    std::vector<Panel> list;
    for (int style = 1; style <= 3; ++style) {
        list.push_back({style == 1 ? "style 1" : style == 2 ? "style 2" : "style 3", 1, [style](RasterCanvas& c) {
                            c.lineStyle = uint8_t(style);
                            c.drawLine(5.f, 10.f, 150.f, 30.f, 255, 255, 255, 255);
                            c.drawLine(5.f, 40.f, 150.f, 60.f, 255, 255, 255, 128);
                            c.drawLine(20.f, 5.f, 60.f, 95.f, 255, 200, 80, 255);
                            c.drawRootCurve(80, 5, 155, 95, 80, 220, 255, 0.2f);
                            c.drawExpCurve(80, 95, 155, 5, 255, 120, 200, 0.8f);
                        }});
    }
    list.push_back({"alpha 60..255", 1, [](RasterCanvas& c) {
                        for (int i = 0; i < 6; ++i)
                            c.drawLine(5.f, 10.f + 15.f * float(i), 155.f, 14.f + 15.f * float(i), 255, 255, 255,
                                       uint8_t(60 + 39 * i));
                    }});
    list.push_back({"polyline", 1, [](RasterCanvas& c) {
                        const auto points = wave(40, 50.f, 35.f);
                        c.drawPolyline(points.data(), int32_t(points.size()), 120, 255, 160, 255);
                    }});
    list.push_back({"long, style 1", 1, [](RasterCanvas& c) {
                        c.lineStyle = 1;
                        c.drawRootCurve(5, 5, 155, 95, 255, 220, 80, 0.3f);
                        c.drawPowerCurve(5, 95, 155, 5, 80, 220, 255, 0.7f);
                    }});
    list.push_back({"type 0 / 3", 1, [](RasterCanvas& c) { curveFan(c, 0), curveFan(c, 3); }});
    list.push_back({"type 1", 1, [](RasterCanvas& c) { curveFan(c, 1); }});
    list.push_back({"type 2", 1, [](RasterCanvas& c) { curveFan(c, 2); }});
    list.push_back({"type 4", 1, [](RasterCanvas& c) { curveFan(c, 4); }});
    list.push_back({"filled root", 1, [](RasterCanvas& c) { c.drawFilledRootCurve(5, 5, 155, 90, 90, 200, 255, 0.3f); }});
    list.push_back({"fill modes 1 2 3", 1, [](RasterCanvas& c) {
                        c.drawLongSegment(0, 20, 52, 80, 255, 90, 90, 0.3f, 1, 1, 0.4f, 255);
                        c.drawLongSegment(54, 20, 106, 80, 90, 255, 90, 0.3f, 1, 2, 0.4f, 255);
                        c.drawLongSegment(108, 20, 159, 80, 90, 90, 255, 0.3f, 1, 3, 0.4f, 255);
                    }});
    list.push_back({"under, flat", 1, [](RasterCanvas& c) {
                        const auto points = wave(60, 50.f, 30.f);
                        c.fillUnderPolyline(points.data(), int32_t(points.size()), 255, 170, 60, 0.f);
                    }});
    list.push_back({"under, graded", 1, [](RasterCanvas& c) {
                        const auto points = wave(60, 50.f, 30.f);
                        c.fillUnderPolyline(points.data(), int32_t(points.size()), 255, 170, 60, 2.f);
                        c.drawPolyline(points.data(), int32_t(points.size()), 255, 230, 180, 255);
                    }});
    list.push_back({"centre, flat", 1, [](RasterCanvas& c) {
                        const auto points = wave(60, 50.f, 40.f);
                        c.fillToCentre(points.data(), int32_t(points.size()), 120, 200, 255);
                    }});
    list.push_back({"centre, graded", 1, [](RasterCanvas& c) {
                        const auto points = wave(60, 50.f, 40.f);
                        c.fillToCentre(points.data(), int32_t(points.size()), 120, 200, 255, 1.5f);
                    }});
    list.push_back({"lines, frames", 1, [](RasterCanvas& c) {
                        c.drawLineInt(-10, 0, 60, 90, 255, 255, 255, 255);
                        c.lineStyle = 3;
                        c.drawLineInt(70, 10, 150, 40, 255, 200, 80, 255);
                        c.lineStyle = 1;
                        c.frameRect(80, 55, 150, 90, 80, 220, 255, 255);
                        c.drawPoint(20, 20, 255, 0, 0, 255);
                        const VSTGUI::CPoint points[] = {{70, 60}, {75, 80}, {60, 90}};
                        c.drawPolylineInt(points, 3, 255, 120, 200, 200);
                    }});
    list.push_back({"circles", 1, [](RasterCanvas& c) {
                        for (int r = 1; r <= 6; ++r)
                            c.drawCircle(15 + 25 * (r - 1), 70, r * 2, 255, 255, 255, 255);
                        c.drawCircle(80, 30, 25, 255, 180, 80, 160);
                    }});
    list.push_back({"discs", 1, [](RasterCanvas& c) {
                        for (int r = 1; r <= 5; ++r)
                            c.fillDisc(12 + 22 * (r - 1), 80, r, 255, 255, 255, 255);
                        c.fillDisc(40, 35, 20, 255, 150, 60, 255);
                        c.fillDisc(110, 40, 30, 80, 200, 255, 128);
                    }});
    list.push_back({"rects", 1, [](RasterCanvas& c) {
                        c.fillRect(CRect(10, 10, 90, 60), 255, 120, 60, 255);
                        c.fillRect(CRect(50, 40, 150, 90), 60, 160, 255, 128);
                    }});
    list.push_back({"gradient bars", 1, [](RasterCanvas& c) {
                        float flat[] = {10.f, 70.f, 10.f, 60.f};
                        c.drawGradientBar(flat, 255, 200, 80, 0.f);
                        float graded[] = {90.f, 150.f, 20.f, 90.f};
                        c.drawGradientBar(graded, 80, 200, 255, 2.f);
                    }});
    list.push_back({"layers", 1, [](RasterCanvas& c) {
                        c.drawLine(5, 50, 155, 50, 255, 255, 255, 255);
                        c.fillDisc(80, 50, 25, 255, 100, 60, 255);
                        c.blitLayer(1, 2, 0, 0, 40, 10, 80, 80, 0.5f);
                        c.fillIntensity(0.f);
                    },
                    false, 2});
    list.push_back({"s = 1", 1, scene});
    list.push_back({"s = 2", 2, scene});
    list.push_back({"s = 4", 4, scene});
    list.push_back({"s = 4, fast", 4, scene, true});
    list.push_back({"s = 4 discs", 4, [](RasterCanvas& c) {
                        for (int r = 1; r <= 4; ++r)
                            c.fillDisc(15 + 30 * (r - 1), 60, r, 255, 255, 255, 255);
                        float bar[] = {10.f, 150.f, 10.f, 40.f};
                        c.drawGradientBar(bar, 80, 200, 255, 1.f);
                    }});
    list.push_back({"s = 16 curves", 16, [](RasterCanvas& c) { curveFan(c, 2); }});
    return list;
}

} // namespace

VSTGUI::SharedPointer<VSTGUI::COffscreenContext> CanvasSheet::draw()
{
    const int cellHeight = kH + kLabelHeight;
    auto context = VSTGUI::COffscreenContext::create(nullptr, kColumns * kW, kRows * cellHeight);
    if (!context)
        return nullptr;
    context->setFillColor(VSTGUI::CColor(30, 30, 36));
    context->drawRect(CRect(0, 0, kColumns * kW, kRows * cellHeight), VSTGUI::kDrawFilled);
    context->setFont(VSTGUI::kNormalFontSmall);
    context->setFontColor(VSTGUI::CColor(200, 200, 200));
    const std::vector<Panel> list = panels();
    for (size_t i = 0; i < list.size(); ++i) {
        const Panel& panel = list[i];
        const double left = double(int(i) % kColumns * kW), top = double(int(i) / kColumns * cellHeight);
        RasterCanvas canvas(kW, kH, panel.supersampling, panel.layers);
        canvas.fastDownsample = panel.fastDownsample;
        canvas.fillSourceImage(16, 18, 26);
        panel.paint(canvas);
        canvas.present(context.get(), CRect(left, top + kLabelHeight, left + kW, top + cellHeight));
        context->drawString(panel.label, CRect(left, top, left + kW, top + kLabelHeight));
    }
    return context;
}
