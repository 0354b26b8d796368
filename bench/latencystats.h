#pragma once

#include <QString>
#include <QVector>

// Summary of a series of measured durations, in milliseconds.
class LatencyStats
{
public:
    explicit LatencyStats(QVector<double> milliseconds);

    double median() const { return percentile(50); }
    double percentile(double p) const;
    double total() const;
    int count() const { return int(samples.size()); }
    // "N exchanges: R/s, median M ms, p99 P ms"
    QString summary(const char* what) const;

private:
    QVector<double> samples; // sorted
};
