#include "view/trend_chart.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

namespace quorvel {
namespace {

// 385 x 402, as in the window.
struct Chart {
    Chart() {
        chart.resize(385, 402);
        chart.SetRegional(RegionalSettings::Polish());
    }
    QImage Draw(bool naive) const {
        QImage image(chart.size(), QImage::Format_RGB32);
        chart.Render(image, naive);
        return image;
    }
    TrendChart chart;
};

MeasurementSet Wave(double t) {
    const auto v = [&](double k) {
        return static_cast<float>(50 * std::sin(t * k) + 20 * std::sin(t * k * 7.3) +
                                  (static_cast<int>(t * 1000) % 7) * 3);
    };
    return MeasurementSet{v(0.9), v(1.7), v(0.3) * 2, v(2.9) - 40, 0, 0};
}

// The per-column extremes draw exactly the pixels of drawing every point: filling with
// dense data, sliding, lines leaving the vertical range, one line hidden.
TEST(TrendChart, ColumnExtremesMatchDrawingEveryPoint) {
    Chart c;
    c.chart.ApplyChartSettings(1000, "-80", "80", 60);
    double t = 1000;
    for (int i = 0; i < 20000; ++i) {  // 60 s window at 0.002 s: still filling
        t += 0.002;
        c.chart.UpdateTrend(t, Wave(t), 60);
    }
    EXPECT_DOUBLE_EQ(c.chart.BottomMin(), 1000.002);
    EXPECT_EQ(c.Draw(false), c.Draw(true));

    for (int i = 0; i < 30000; ++i) {  // past the end: sliding
        t += 0.002;
        c.chart.UpdateTrend(t, Wave(t), 60);
    }
    EXPECT_DOUBLE_EQ(c.chart.BottomMax(), t);
    c.chart.SetSeriesActive(2, false);
    const QImage m4 = c.Draw(false);
    EXPECT_EQ(m4, c.Draw(true));
    // Something was drawn in each active colour.
    bool red = false, blue = false;
    for (int y = 0; y < m4.height(); ++y) {
        for (int x = 0; x < m4.width(); ++x) {
            red |= m4.pixel(x, y) == qRgb(255, 0, 0);
            blue |= m4.pixel(x, y) == qRgb(0, 128, 255);
        }
    }
    EXPECT_TRUE(red);
    EXPECT_FALSE(blue);  // the hidden line
}

TEST(TrendChart, FillsThenSlidesKeepingThePointCount) {
    Chart c;
    ASSERT_EQ(c.chart.ApplyChartSettings(0, "0", "10", 10), TrendChart::ApplyResult::Applied);
    double t = 100;
    for (int i = 0; i < 250; ++i, t += 0.04) c.chart.UpdateTrend(t, Wave(t), 10);
    EXPECT_EQ(c.chart.BottomMin(), 100);  // filling: the axis stands still
    EXPECT_EQ(c.chart.BottomMax(), 110);
    t += 0.5;  // surely past the end now
    c.chart.UpdateTrend(t, Wave(t), 10);
    const size_t full = c.chart.Store().Size();
    for (int i = 0; i < 100; ++i, t += 0.04) c.chart.UpdateTrend(t, Wave(t), 10);
    EXPECT_NEAR(c.chart.BottomMax() - c.chart.BottomMin(), 10, 1e-9);
    EXPECT_EQ(c.chart.Store().Size(), full);
    // A longer window fills again from the same start; no point is dropped until it is full.
    c.chart.UpdateTrend(t, Wave(t), 100);
    EXPECT_EQ(c.chart.BottomMin(), 100);
    EXPECT_EQ(c.chart.Store().Size(), full + 1);
}

TEST(TrendChart, ApplyChartSettings) {
    Chart c;
    c.chart.AddPoints(1, {1, 2, 3, 4});
    EXPECT_EQ(c.chart.ApplyChartSettings(5, "abc", "10", 10),
              TrendChart::ApplyResult::MinNotANumber);
    EXPECT_EQ(c.chart.ApplyChartSettings(5, "0", "1.5", 10),
              TrendChart::ApplyResult::MaxNotANumber);
    EXPECT_EQ(c.chart.Store().Size(), 1u);  // nothing changed
    EXPECT_EQ(c.chart.ApplyChartSettings(5, "20", "-5,5", 10), TrendChart::ApplyResult::Applied);
    EXPECT_EQ(c.chart.LeftMin(), -5.5);  // swapped
    EXPECT_EQ(c.chart.LeftMax(), 20);
    EXPECT_EQ(c.chart.Store().Size(), 0u);
    EXPECT_EQ(c.chart.BottomMin(), 5);
    EXPECT_EQ(c.chart.BottomMax(), 15);
    c.chart.UpdateTrend(7, Wave(7), 10);  // the restart starts the window at the first point
    EXPECT_EQ(c.chart.BottomMin(), 7);
    EXPECT_EQ(c.chart.ApplyChartSettings(5, "3", "3", 10), TrendChart::ApplyResult::Applied);
    EXPECT_LT(c.chart.LeftMin(), c.chart.LeftMax());  // widened
}

}  // namespace
}  // namespace quorvel
