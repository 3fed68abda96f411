// One frame of the trend chart in its sliding state: four points in, four out, one paint of
// the 385 x 402 chart into an image. Our chart against Qt Charts with the same data.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "view/trend_chart.h"

namespace quorvel {
namespace {

constexpr double kStep = 0.04;  // the display refresh

QApplication& App() {
    static int argc = 1;
    static char name[] = "quorvel-bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *app;
}

std::array<float, 4> Values(double t) {
    return {static_cast<float>(5 + 4 * std::sin(t)), static_cast<float>(12 + 6 * std::cos(t / 3)),
            static_cast<float>(17 + 3 * std::sin(t * 7)),
            static_cast<float>(-3 + std::sin(t / 11))};
}

void BM_ChartFrame_Own(benchmark::State& state) {
    App();
    const auto points = static_cast<size_t>(state.range(0));
    TrendChart chart;
    chart.resize(385, 402);
    const double window = points * kStep;
    chart.ApplyChartSettings(0, "-10", "30", window);
    double t = 0;
    for (size_t i = 0; i < points; ++i, t += kStep) chart.AddPoints(t, Values(t));
    QImage image(chart.size(), QImage::Format_RGB32);
    MeasurementSet m;
    for (auto _ : state) {
        const std::array<float, 4> v = Values(t);
        m.Ch1 = v[0], m.Ch2 = v[1], m.Fx1 = v[2], m.Fx2 = v[3];
        chart.UpdateTrend(t, m, window - kStep);  // sliding
        t += kStep;
        chart.Render(image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["bytes_per_point"] =
        static_cast<double>(chart.Store().BytesUsed()) / (chart.Store().Size() * 4.0);
}
BENCHMARK(BM_ChartFrame_Own)->Arg(25000)->Arg(250000)->Arg(2160000)->Unit(benchmark::kMillisecond);

void BM_ChartFrame_QtCharts(benchmark::State& state) {
    App();
    const auto points = static_cast<size_t>(state.range(0));
    auto* chart = new QChart();
    std::array<QLineSeries*, 4> series;
    double t = 0;
    std::array<QList<QPointF>, 4> initial;
    for (size_t i = 0; i < points; ++i, t += kStep) {
        const auto v = Values(t);
        for (int s = 0; s < 4; ++s) initial[s].append(QPointF(t, v[s]));
    }
    auto* x = new QValueAxis();
    auto* y = new QValueAxis();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    y->setRange(-10, 30);
    for (int s = 0; s < 4; ++s) {
        series[s] = new QLineSeries();
        series[s]->replace(initial[s]);
        chart->addSeries(series[s]);
        series[s]->attachAxis(x);
        series[s]->attachAxis(y);
    }
    QChartView view(chart);
    view.resize(385, 402);
    QImage image(view.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        const auto v = Values(t);
        for (int s = 0; s < 4; ++s) {
            series[s]->append(t, v[s]);
            series[s]->remove(0);
        }
        x->setRange(t - points * kStep, t);
        t += kStep;
        QPainter painter(&image);
        view.render(&painter);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["bytes_per_point"] = sizeof(QPointF);
}
BENCHMARK(BM_ChartFrame_QtCharts)->Arg(25000)->Arg(250000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvel
