#include "bench/paintbenchmark.h"

#include "bench/latencystats.h"
#include "monitor/chart.h"
#include "monitor/drawer.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdio>

namespace {

constexpr int RepaintIntervalMs = 100;
constexpr int Canvases = 3;

LatencyStats measure(Drawer& drawer, int paints)
{
    QImage target(drawer.size(), QImage::Format_ARGB32_Premultiplied);
    QVector<double> samples;
    QElapsedTimer timer;
    for (int i = 0; i < paints; ++i) {
        timer.start();
        drawer.render(&target);
        samples << double(timer.nsecsElapsed()) / 1e6;
    }
    return LatencyStats(samples);
}

} // namespace

int PaintBenchmark::run(const QStringList& arguments)
{
    const int paints = arguments.value(0, QStringLiteral("300")).toInt();
    if (paints <= 0) {
        std::fprintf(stderr, "usage: vure-bench paint [PAINTS]\n");
        return 2;
    }
    Drawer drawer;
    drawer.setCapacity(10000);
    drawer.resize(1920, 300);
    drawer.setScrollWindow(1800, 9999, 9999);
    drawer.setYAxisCaption(QStringLiteral("Velocity"));
    const QColor colours[] = {Qt::blue, Qt::red};
    const char* names[] = {"actual [rpm]", "target [rpm]"};
    for (int c = 0; c < 2; ++c) {
        auto* chart = new Chart(0, char(c), QString::fromLatin1(names[c]));
        chart->setColor(colours[c]);
        drawer.addChart(chart);
        // A velocity profile: every dot lands somewhere else in the band.
        for (int i = 0; i < 10000; ++i)
            chart->addValue(1500.0 * std::sin(i / (300.0 + 40 * c)) + 30.0 * std::sin(i * 0.7));
    }

    double shareAtOne = 0;
    for (int resolution : {1, 20}) {
        drawer.setResolution(resolution);
        measure(drawer, 5); // settle the bounds and warm the caches
        const LatencyStats stats = measure(drawer, paints);
        const double share = Canvases * stats.median() / RepaintIntervalMs * 100.0;
        std::printf("resolution %d: %d paints of 1920 x 300, two charts of 10000 samples: "
                    "median %.3f ms, p99 %.3f ms per paint; three canvases %.2f%% of %d ms\n",
                    resolution, stats.count(), stats.median(), stats.percentile(99), share,
                    RepaintIntervalMs);
        if (resolution == 1)
            shareAtOne = share;
    }
    std::printf("interval share: %.2f%%\n", shareAtOne);
    return 0;
}
