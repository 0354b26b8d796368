#include "monitor/drawer.h"

#include "link/diagnostic.h"
#include "monitor/chart.h"

#include <QPainter>

#include <climits>
#include <cmath>

namespace {

// Truncation toward zero that stays defined for values beyond the int range.
int truncated(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(INT_MAX))
        return INT_MAX;
    if (value <= double(INT_MIN))
        return INT_MIN;
    return int(value);
}

constexpr int AxisX = 100;      // x of the y axis
constexpr int PlotTop = 20;     // dots lie strictly below this y
constexpr int LeftMargin = 120; // widget width minus plotting width

} // namespace

Drawer::Drawer()
{
    connect(&repaintTimer, &QTimer::timeout, this, qOverload<>(&QWidget::repaint));
    // Tall enough that the eleven scale labels, one line of text each, never overlap.
    setMinimumSize(100, qMax(100, 10 * fontMetrics().height() + 40));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

Drawer::~Drawer() = default;

void Drawer::setRepaintInterval(int ms)
{
    repaintInterval = ms;
    repaintTimer.setInterval(ms);
}

void Drawer::setScrollWindow(int minimum, int maximum, int value)
{
    scrollMinimum = minimum;
    scrollMaximum = maximum;
    scrollValue = value;
}

void Drawer::setResolution(int r)
{
    if (r > 0)
        resolution = r;
}

void Drawer::addChart(Chart* chart)
{
    chart->setCapacity(capacity);
    chartList.emplace_back(chart);
}

void Drawer::addValue(char motorBank, char typeNumber, int value)
{
    for (const auto& chart : chartList)
        if (chart->typeNumber() == typeNumber && chart->motorBank() == motorBank)
            chart->addValue(double(value));
}

void Drawer::startDrawer()
{
    Diagnostic() << "Starting Drawer...";
    repaintTimer.start(repaintInterval);
}

void Drawer::stopDrawer()
{
    Diagnostic() << "Stopping Drawer...";
    repaintTimer.stop();
}

void Drawer::clearValues()
{
    for (const auto& chart : chartList)
        chart->clearValues();
}

QList<Drawer::ScaleMark> Drawer::scaleMarks(int minValue, int maxValue, int height)
{
    const int plotHeight = height - 40;
    const int baseline = height - 15;
    const float step = float(qint64(maxValue) - qint64(minValue)) / 10.0f;
    QList<ScaleMark> marks;
    if (step == 0.0f)
        return marks;
    const float scale = float(plotHeight) / (10.0f * step);
    for (int i = 0; i <= 10; ++i)
        marks.append({truncated(baseline - step * float(i) * scale),
                      QString::number(double(float(minValue) + step * float(i)), 'g', 6)});
    return marks;
}

void Drawer::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setWindow(0, 0, width(), height());
    drawCharts(painter);
}

void Drawer::drawCharts(QPainter& painter)
{
    const int w = width();
    const int h = height();
    const int chartWidth = w - LeftMargin;
    const int plotHeight = h - 40;
    const int baseline = h - 15;

    // Single precision, as the plot has always been computed; the difference in 64 bits so that
    // manual bounds far apart cannot overflow.
    const float step = float(qint64(maxValue) - qint64(minValue)) / 10.0f;
    // Equal bounds give no scale: then nothing is placed by it.
    const bool scaled = step != 0.0f;
    emit changedChartWidth(chartWidth);

    painter.fillRect(QRect(0, 0, w, h), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(QRect(0, 0, w, h));
    painter.drawLine(AxisX, baseline, chartWidth + AxisX, baseline);
    painter.drawLine(AxisX, baseline, AxisX, PlotTop);
    painter.drawText(AxisX, 15, yAxisCaption);

    const float scale = scaled ? float(plotHeight) / (10.0f * step) : 0.0f;
    if (scaled) {
        for (int i = 1; i <= 10; ++i) {
            const int y = truncated(baseline - step * float(i) * scale);
            painter.drawLine(98, y, 102, y);
        }
        for (int i = 0; i <= 10; ++i) {
            const QString label =
                QString::number(double(float(minValue) + step * float(i)), 'g', 6);
            painter.drawText(20, truncated(baseline - step * float(i) * scale) + 5, label);
        }
        painter.setPen(Qt::gray);
        const int y0 = truncated(baseline + float(minValue) * scale);
        painter.drawLine(AxisX, y0, chartWidth + AxisX, y0);
    }

    qsizetype longestName = 0;
    for (const auto& chart : chartList)
        longestName = qMax(longestName, chart->name().size());
    const int legendX = chartWidth + AxisX - 10 * int(longestName);
    const int legendY = baseline - (2 * plotHeight) / 3;

    int newMax = dynamicScaling ? 0 : maxValue;
    int newMin = dynamicScaling ? 0 : minValue;
    for (std::size_t j = 0; j < chartList.size(); ++j) {
        const Chart& chart = *chartList[j];
        painter.setPen(chart.color());
        const QList<double>& values = chart.values();
        const int offset = (scrollMaximum - scrollValue) / resolution;
        qsizetype idx = values.size() - 1 - offset;
        dots.clear();
        if (idx >= 0) {
            int k = 0;
            int drawn = 0;
            for (;;) {
                ++k;
                const float v = float(values.at(idx));
                if (dynamicScaling) {
                    if (v > float(newMax))
                        newMax = truncated(double(v + 1.0f));
                    if (v < float(newMin))
                        newMin = truncated(double(v - 1.0f));
                }
                if (k >= resolution) {
                    if (drawn >= chartWidth)
                        break;
                    if (scaled) {
                        const float y = float(baseline) - (v - float(minValue)) * scale;
                        // trunc(y) < baseline and trunc(y) > 20, without converting values
                        // that lie far outside the plot.
                        if (y < float(baseline) && y >= float(PlotTop + 1))
                            dots.append(QRect(chartWidth + 98 - drawn, int(y), 1, 1));
                    }
                    ++drawn;
                    k = 0;
                }
                if (--idx < 0)
                    break;
            }
        }
        // One call per chart: the same dots as one rectangle each, for far less work.
        if (!dots.isEmpty())
            painter.drawRects(dots.constData(), int(dots.size()));
        painter.drawText(legendX, legendY + 20 * int(j), chart.name());
    }

    if (newMax != maxValue || newMin != minValue) {
        maxValue = newMax;
        minValue = newMin;
        emit scaleChanged(newMin, newMax);
    }
}
