#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QVector>
#include <QWidget>

#include <memory>
#include <vector>

class Chart;
class QPainter;

// The chart canvas: stores trace values per chart and plots them as dots, newest at the right,
// against a y axis with ten divisions. Bounds are set by hand or follow the samples in view.
class Drawer : public QWidget
{
    Q_OBJECT

public:
    Drawer();
    ~Drawer() override;

    // The eleven divisions of the y axis, bottom (minValue) to top: the y of each division on a
    // canvas of the given height and its label. Empty when the bounds are equal (no scale).
    struct ScaleMark
    {
        int y;
        QString label;
    };
    static QList<ScaleMark> scaleMarks(int minValue, int maxValue, int height);

    void setCapacity(int n) { capacity = n; }
    void setRepaintInterval(int ms);
    void setScrollWindow(int minimum, int maximum, int value);
    void setResolution(int r);
    void setYAxisCaption(const QString& text) { yAxisCaption = text; }
    // Takes ownership; the chart gets the canvas's capacity.
    void addChart(Chart* chart);
    void addValue(char motorBank, char typeNumber, int value);

    const std::vector<std::unique_ptr<Chart>>& charts() const { return chartList; }
    int maximum() const { return maxValue; }
    int minimum() const { return minValue; }
    bool isDynamic() const { return dynamicScaling; }
    bool isDrawing() const { return repaintTimer.isActive(); }

signals:
    void scaleChanged(int minValue, int maxValue);
    void changedChartWidth(int width);

public slots:
    void startDrawer();
    void stopDrawer();
    void clearValues();
    void doManualScaling() { dynamicScaling = false; }
    void doDynamicScaling() { dynamicScaling = true; }
    void setMaxValue(int max) { maxValue = max; }
    void setMinValue(int min) { minValue = min; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawCharts(QPainter& painter);

    int maxValue = 100;
    int minValue = 0;
    int capacity = 0;
    int scrollMinimum = 0;
    int scrollMaximum = 0;
    int scrollValue = 0;
    int resolution = 1;
    QString yAxisCaption;
    std::vector<std::unique_ptr<Chart>> chartList;
    QTimer repaintTimer;
    int repaintInterval = 1000;
    bool dynamicScaling = true;
    QVector<QRect> dots; // reused by every paint
};
