#include "bench/pollbenchmark.h"

#include "bench/benchmodule.h"
#include "bench/latencystats.h"
#include "link/serialusbcommandhandler.h"

#include <QElapsedTimer>

#include <cstdio>

int PollBenchmark::run(const QStringList& arguments)
{
    const int ticks = arguments.value(0, QStringLiteral("2000")).toInt();
    if (ticks <= 0) {
        std::fprintf(stderr, "usage: vure-bench poll [TICKS]\n");
        return 2;
    }
    BenchModule module;
    if (!module.start())
        return 1;
    SerialUSBCommandHandler& handler = module.handler();

    QList<char> traceList{3, 13, 1, 0, char(155), char(150), char(156)};
    int answers = 0;
    QObject::connect(&handler, &SerialUSBCommandHandler::requestedTraceValue, &handler,
                     [&answers] { ++answers; });
    QVector<double> samples;
    QElapsedTimer timer;
    for (int i = 0; i < ticks; ++i) {
        timer.start();
        handler.requestTraceValues(0, &traceList);
        samples << double(timer.nsecsElapsed()) / 1e6;
    }
    const LatencyStats stats(samples);
    std::printf("%d ticks of %d reads, %d answers: median %.4f ms, p99 %.4f ms per tick\n", ticks,
                int(traceList.size()), answers, stats.median(), stats.percentile(99));
    std::printf("tick median ms: %.4f\n", stats.median());
    return answers == ticks * int(traceList.size()) ? 0 : 1;
}
