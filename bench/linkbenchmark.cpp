#include "bench/linkbenchmark.h"

#include "bench/benchmodule.h"
#include "bench/latencystats.h"
#include "link/serialusbcommandhandler.h"

#include <QElapsedTimer>

#include <cstdio>

namespace {

LatencyStats measure(SerialUSBCommandHandler& handler, int exchanges)
{
    QVector<double> samples;
    samples.reserve(exchanges);
    int answered = 0;
    QObject::connect(&handler, &SerialUSBCommandHandler::requestedValue, &handler,
                     [&answered] { ++answered; });
    QElapsedTimer timer;
    for (int i = 0; i < exchanges; ++i) {
        timer.start();
        handler.requestValue(0, 3);
        samples << double(timer.nsecsElapsed()) / 1e6;
    }
    QObject::disconnect(&handler, &SerialUSBCommandHandler::requestedValue, &handler, nullptr);
    if (answered != exchanges)
        std::fprintf(stderr, "warning: %d of %d exchanges unanswered\n", exchanges - answered,
                     exchanges);
    return LatencyStats(samples);
}

} // namespace

int LinkBenchmark::run(const QStringList& arguments)
{
    const int exchanges = arguments.value(0, QStringLiteral("5000")).toInt();
    const int blindExchanges = arguments.value(1, QStringLiteral("200")).toInt();
    if (exchanges <= 0 || blindExchanges <= 0) {
        std::fprintf(stderr, "usage: vure-bench link [EXCHANGES [BLIND_EXCHANGES]]\n");
        return 2;
    }

    BenchModule module;
    if (!module.start())
        return 1;
    SerialUSBCommandHandler& handler = module.handler();

    handler.setWaitMode(SerialUSBCommandHandler::WaitMode::OnDescriptor);
    const LatencyStats built = measure(handler, exchanges);
    std::printf("%s\n", qPrintable(built.summary("waiting on the descriptor")));
    std::fflush(stdout);

    handler.setWaitMode(SerialUSBCommandHandler::WaitMode::BlindSleep);
    const LatencyStats blind = measure(handler, blindExchanges);
    std::printf("%s\n", qPrintable(blind.summary("blind 10 ms sleep per round")));

    const double rateRatio = (built.count() / built.total()) / (blind.count() / blind.total());
    std::printf("rate ratio: %.1f\n", rateRatio);
    std::printf("speedup: %.1f\n", blind.median() / built.median());
    return 0;
}
