#include "bench/latencystats.h"

#include <algorithm>
#include <cmath>
#include <numeric>

LatencyStats::LatencyStats(QVector<double> milliseconds)
    : samples(std::move(milliseconds))
{
    std::sort(samples.begin(), samples.end());
}

double LatencyStats::percentile(double p) const
{
    if (samples.isEmpty())
        return 0;
    const auto index = qsizetype(std::ceil(p / 100.0 * double(samples.size()))) - 1;
    return samples.at(std::clamp<qsizetype>(index, 0, samples.size() - 1));
}

double LatencyStats::total() const
{
    return std::accumulate(samples.begin(), samples.end(), 0.0);
}

QString LatencyStats::summary(const char* what) const
{
    const double perSecond = total() > 0 ? count() * 1000.0 / total() : 0;
    return QStringLiteral("%1: %2 %3, %4/s, median %5 ms, p99 %6 ms")
        .arg(QLatin1String(what))
        .arg(count())
        .arg(QLatin1String("exchanges"))
        .arg(perSecond, 0, 'f', 0)
        .arg(median(), 0, 'f', 4)
        .arg(percentile(99), 0, 'f', 4);
}
