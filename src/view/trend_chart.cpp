#include "view/trend_chart.h"

#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "regional/date_time_text.h"
#include "regional/number_text.h"
#include "view/captions.h"

namespace quorvel {
namespace {

constexpr int kLeftMargin = 46;
constexpr int kTopMargin = 8;
constexpr int kRightMargin = 10;
constexpr int kBottomLabels = 30;
constexpr int kLegendHeight = 34;
constexpr double kSmallestRange = 1e-6;
constexpr int kFar = 1 << 20;  // beyond any plot, small enough for integer arithmetic

// Sets the pixels of the line (x0, y0)-(x1, y1), both ends included, inside `clip`. The
// part outside is cut off in floating point first, so a far-away point costs nothing.
void DrawSegment(QImage& image, const QRect& clip, int x0, int y0, int x1, int y1, QRgb rgb) {
    double ax = x0, ay = y0, bx = x1, by = y1;
    // Liang-Barsky against the clip rectangle widened by one pixel.
    const double left = clip.left() - 1, right = clip.right() + 1;
    const double top = clip.top() - 1, bottom = clip.bottom() + 1;
    double t0 = 0, t1 = 1;
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - left, right - ax, ay - top, bottom - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return;
        } else {
            const double r = q[i] / p[i];
            if (p[i] < 0) {
                t0 = std::max(t0, r);
            } else {
                t1 = std::min(t1, r);
            }
        }
    }
    if (t0 > t1) return;
    int cx0 = static_cast<int>(std::lround(ax + t0 * dx));
    int cy0 = static_cast<int>(std::lround(ay + t0 * dy));
    const int cx1 = static_cast<int>(std::lround(ax + t1 * dx));
    const int cy1 = static_cast<int>(std::lround(ay + t1 * dy));
    const int sx = cx0 < cx1 ? 1 : -1;
    const int sy = cy0 < cy1 ? 1 : -1;
    const int ddx = std::abs(cx1 - cx0);
    const int ddy = -std::abs(cy1 - cy0);
    int error = ddx + ddy;
    for (;;) {
        if (clip.contains(cx0, cy0)) reinterpret_cast<QRgb*>(image.scanLine(cy0))[cx0] = rgb;
        if (cx0 == cx1 && cy0 == cy1) break;
        const int e2 = 2 * error;
        if (e2 >= ddy) {
            error += ddy;
            cx0 += sx;
        }
        if (e2 <= ddx) {
            error += ddx;
            cy0 += sy;
        }
    }
}

// A vertical run of pixels, both ends included.
void DrawSpan(QImage& image, const QRect& clip, int x, int y0, int y1, QRgb rgb) {
    if (x < clip.left() || x > clip.right()) return;
    const int from = std::max(std::min(y0, y1), clip.top());
    const int to = std::min(std::max(y0, y1), clip.bottom());
    for (int y = from; y <= to; ++y) reinterpret_cast<QRgb*>(image.scanLine(y))[x] = rgb;
}

// Round steps for the axes: 1, 2 or 5 times a power of ten.
double NiceStep(double range, int ticks) {
    const double raw = range / std::max(ticks, 1);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= raw) return m * power;
    }
    return 10 * power;
}

double TimeStep(double range) {
    static constexpr double kSteps[] = {1,   2,   5,    10,   15,   30,    60,    120,   300,
                                        600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
    for (double s : kSteps) {
        if (range / s <= 3.5) return s;
    }
    return 86400;
}

}  // namespace

TrendChart::TrendChart(QWidget* parent) : QWidget(parent) {
    for (int i = 0; i < kLines; ++i) titles_[i] = ChannelBaseName(i);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor TrendChart::SeriesColor(int line) {
    static const QColor kColours[kLines] = {QColor(255, 0, 0), QColor(0, 128, 0),
                                            QColor(0, 128, 255), QColor(255, 128, 0)};
    return kColours[line];
}

void TrendChart::SetRegional(const RegionalSettings& regional) {
    regional_ = regional;
    update();
}

void TrendChart::SetSeriesTitle(int line, const QString& title) {
    titles_[line] = title;
    update();
}

void TrendChart::SetSeriesActive(int line, bool active) {
    active_[line] = active;
    update();
}

void TrendChart::AddPoints(double x, const std::array<float, kLines>& values) {
    store_.Append(x, values);
}

void TrendChart::DeleteFirstPoints() {
    store_.DeleteFirst();
}

void TrendChart::ClearPoints() {
    store_.Clear();
    update();
}

void TrendChart::SetBottomRange(double minimum, double maximum) {
    if (minimum > maximum) std::swap(minimum, maximum);
    if (maximum - minimum < kSmallestRange) maximum = minimum + kSmallestRange;
    xMin_ = minimum;
    xMax_ = maximum;
    update();
}

void TrendChart::SetLeftRange(double minimum, double maximum) {
    if (minimum > maximum) std::swap(minimum, maximum);
    if (maximum - minimum < kSmallestRange) {
        minimum -= 0.5;
        maximum += 0.5;
    }
    yMin_ = minimum;
    yMax_ = maximum;
    update();
}

void TrendChart::UpdateTrend(double t, const MeasurementSet& m, double windowSeconds) {
    AddPoints(t, {m.Ch1, m.Ch2, m.Fx1, m.Fx2});
    const double w = windowSeconds;
    if (chartRestart_) {
        chartStart_ = t;
        chartRestart_ = false;
        SetBottomRange(chartStart_, chartStart_ + w);
    }
    const double end = chartStart_ + w;
    if (end >= t) {
        SetBottomRange(chartStart_, end);
    } else {
        SetBottomRange(t - w, t);
        DeleteFirstPoints();
    }
}

TrendChart::ApplyResult TrendChart::ApplyChartSettings(double t, const std::string& minText,
                                                       const std::string& maxText,
                                                       double windowSeconds) {
    const std::optional<double> ymin = ParseFloat(minText, regional_);
    if (!ymin) return ApplyResult::MinNotANumber;
    const std::optional<double> ymax = ParseFloat(maxText, regional_);
    if (!ymax) return ApplyResult::MaxNotANumber;
    SetLeftRange(*ymin, *ymax);
    SetBottomRange(t, t + windowSeconds);
    chartRestart_ = true;
    ClearPoints();
    return ApplyResult::Applied;
}

QRect TrendChart::PlotRect() const {
    return QRect(kLeftMargin, kTopMargin, std::max(1, width() - kLeftMargin - kRightMargin),
                 std::max(1, height() - kTopMargin - kBottomLabels - kLegendHeight));
}

int TrendChart::MapX(double x) const {
    const QRect plot = PlotRect();
    const double column = std::floor((x - xMin_) * plot.width() / (xMax_ - xMin_));
    return plot.left() + static_cast<int>(std::clamp(column, -double(kFar), double(kFar)));
}

int TrendChart::MapY(float y) const {
    const QRect plot = PlotRect();
    const double row = std::round((yMax_ - y) * (plot.height() - 1) / (yMax_ - yMin_));
    return plot.top() + static_cast<int>(std::clamp(row, -double(kFar), double(kFar)));
}

void TrendChart::DrawLines(QImage& image, bool naive) const {
    const QRect plot = PlotRect();
    const size_t size = store_.Size();
    if (size == 0) return;
    // The visible points, with one neighbour on each side for the lines that leave.
    const size_t begin = store_.LowerBound(xMin_);
    size_t end = store_.LowerBound(xMax_);
    while (end < size && store_.X(end) <= xMax_) ++end;
    const size_t from = begin > 0 ? begin - 1 : 0;
    const size_t to = std::min(size, end + 1);
    for (int line = 0; line < kLines; ++line) {
        if (!active_[line]) continue;
        const QRgb rgb = SeriesColor(line).rgb();
        bool havePrevious = false;
        int px = 0, py = 0;
        if (naive) {
            for (size_t i = from; i < to; ++i) {
                const float v = store_.Y(line, i);
                if (!std::isfinite(v)) continue;
                const int x = MapX(store_.X(i));
                const int y = MapY(v);
                if (havePrevious) DrawSegment(image, plot, px, py, x, y, rgb);
                havePrevious = true;
                px = x;
                py = y;
            }
            continue;
        }
        size_t i = from;
        while (i < to) {
            const int column = MapX(store_.X(i));
            // The points of this pixel column: [i, j).
            size_t j = std::min(to, store_.LowerBound(xMin_ + (column + 1 - plot.left()) *
                                                                  (xMax_ - xMin_) / plot.width()));
            while (j < to && MapX(store_.X(j)) == column) ++j;
            while (j > i + 1 && MapX(store_.X(j - 1)) > column) --j;
            if (j <= i) j = i + 1;
            size_t first = i;
            while (first < j && !std::isfinite(store_.Y(line, first))) ++first;
            if (first < j) {
                size_t last = j - 1;
                while (!std::isfinite(store_.Y(line, last))) --last;
                float low = 0, high = 0;
                store_.MinMax(line, first, last + 1, low, high);
                const int firstY = MapY(store_.Y(line, first));
                if (havePrevious) DrawSegment(image, plot, px, py, column, firstY, rgb);
                DrawSpan(image, plot, column, MapY(low), MapY(high), rgb);
                havePrevious = true;
                px = column;
                py = MapY(store_.Y(line, last));
            }
            i = j;
        }
    }
}

void TrendChart::DrawAxes(QPainter& painter) const {
    const QRect plot = PlotRect();
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(plot.adjusted(-1, -1, 0, 0));
    const QFontMetrics metrics(painter.font());
    // Vertical axis.
    const double yStep = NiceStep(yMax_ - yMin_, 6);
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(yStep))), 0, 5);
    for (double v = std::ceil(yMin_ / yStep) * yStep; v <= yMax_ + yStep * 1e-9; v += yStep) {
        const int y = MapY(static_cast<float>(v));
        painter.setPen(QColor(225, 225, 225));
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(Qt::black);
        const QString text = QString::fromStdString(FormatFixed(v, decimals, regional_));
        painter.drawText(QRect(0, y - 7, kLeftMargin - 4, 14), Qt::AlignRight | Qt::AlignVCenter,
                         text);
    }
    // Time axis: labels of two lines.
    const double tStep = TimeStep(xMax_ - xMin_);
    for (double t = std::ceil(xMin_ / tStep) * tStep; t <= xMax_; t += tStep) {
        const int x = MapX(t);
        painter.setPen(QColor(225, 225, 225));
        painter.drawLine(x, plot.top(), x, plot.bottom());
        painter.setPen(Qt::black);
        const QString label =
            QString::fromStdString(FormatDateTime(bottomFormat_, FromLocalSeconds(t), regional_));
        const QStringList lines = label.split(QLatin1Char('\r'));
        for (int k = 0; k < lines.size(); ++k) {
            painter.drawText(
                QRect(x - 40, plot.bottom() + 3 + k * metrics.height(), 80, metrics.height()),
                Qt::AlignHCenter | Qt::AlignTop, lines[k]);
        }
    }
}

void TrendChart::DrawLegend(QPainter& painter) const {
    const QRect plot = PlotRect();
    const QFontMetrics metrics(painter.font());
    const int top = plot.bottom() + kBottomLabels + 4;
    int x = plot.left();
    int row = 0;
    for (int line = 0; line < kLines; ++line) {
        const int width = metrics.horizontalAdvance(titles_[line]) + 14;
        if (x + width > this->width() && x > plot.left()) {
            x = plot.left();
            ++row;
        }
        QColor colour = SeriesColor(line);
        if (!active_[line]) colour.setAlpha(90);  // a hidden line: its title faded
        painter.setPen(colour);
        painter.drawText(QPoint(x, top + row * (metrics.height() + 2) + metrics.ascent()),
                         titles_[line]);
        x += width;
    }
}

void TrendChart::Render(QImage& image, bool naive) const {
    image.fill(palette().color(QPalette::Window));
    {
        QPainter painter(&image);
        painter.setFont(font());
        painter.fillRect(PlotRect(), Qt::white);
        DrawAxes(painter);
        DrawLegend(painter);
    }
    DrawLines(image, naive);
}

void TrendChart::paintEvent(QPaintEvent*) {
    QImage image(size(), QImage::Format_RGB32);
    Render(image);
    QPainter(this).drawImage(0, 0, image);
}

}  // namespace quorvel
