#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>
#include <array>
#include <string>

#include "link/measurement_set.h"
#include "regional/regional_settings.h"
#include "view/trend_store.h"

namespace quorvel {

// The trend chart: four lines of the measured quantities against local time, a legend below
// in the lines' colours, a fixed vertical range and a time axis labelled "dd/mm/yy" over
// "hh:mm:ss". X values are local seconds (LocalSeconds).
//
// Drawing costs O(plot width), not O(points): for every pixel column each line draws the
// span between the lowest and highest of its points there and the step from the last point
// of one column to the first of the next. That is exactly the pixels of drawing every point
// (both go through DrawSegment), whatever the number of points.
class TrendChart : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kLines = TrendStore::kLines;

    explicit TrendChart(QWidget* parent = nullptr);

    void SetRegional(const RegionalSettings& regional);
    void SetSeriesTitle(int line, const QString& title);
    QString SeriesTitle(int line) const { return titles_[line]; }
    void SetSeriesActive(int line, bool active);
    bool SeriesActive(int line) const { return active_[line]; }
    static QColor SeriesColor(int line);

    // Point operations of the four lines together.
    void AddPoints(double x, const std::array<float, kLines>& values);
    void DeleteFirstPoints();
    void ClearPoints();
    const TrendStore& Store() const { return store_; }

    // Axis ranges: a minimum above the maximum is swapped, a range too narrow widened.
    void SetBottomRange(double minimum, double maximum);
    void SetLeftRange(double minimum, double maximum);
    double BottomMin() const { return xMin_; }
    double BottomMax() const { return xMax_; }
    double LeftMin() const { return yMin_; }
    double LeftMax() const { return yMax_; }
    void SetBottomLabelFormat(const QString& format) { bottomFormat_ = format.toStdString(); }

    // The chart step of the display refresh at local time t: adds a point to each line,
    // then fills the window or slides it.
    void UpdateTrend(double t, const MeasurementSet& m, double windowSeconds);
    enum class ApplyResult { Applied, MinNotANumber, MaxNotANumber };
    // New vertical range from the texts of chmin and chmax; restarts the window at t.
    ApplyResult ApplyChartSettings(double t, const std::string& minText, const std::string& maxText,
                                   double windowSeconds);

    // The whole chart into `image` (the widget's size); `naive` draws every point instead
    // of the per-column extremes, for comparing the two.
    void Render(QImage& image, bool naive = false) const;
    QRect PlotRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void DrawLines(QImage& image, bool naive) const;
    void DrawAxes(QPainter& painter) const;
    void DrawLegend(QPainter& painter) const;
    int MapX(double x) const;
    int MapY(float y) const;

    RegionalSettings regional_;
    std::array<QString, kLines> titles_;
    std::array<bool, kLines> active_{true, true, true, true};
    TrendStore store_;
    double xMin_ = 0;
    double xMax_ = 10;
    double yMin_ = 0;
    double yMax_ = 1;
    std::string bottomFormat_ = "dd/mm/yy\rhh:mm:ss";
    bool chartRestart_ = false;
    double chartStart_ = 0;
};

}  // namespace quorvel
