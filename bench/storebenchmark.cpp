#include "bench/storebenchmark.h"

#include "bench/benchmodule.h"
#include "bench/latencystats.h"
#include "link/serialusbcommandhandler.h"
#include "panel/storerestore.h"

#include <QElapsedTimer>

#include <cstdio>

int StoreBenchmark::run(const QStringList& arguments)
{
    const int runs = arguments.value(0, QStringLiteral("20")).toInt();
    if (runs <= 0) {
        std::fprintf(stderr, "usage: vure-bench store [RUNS]\n");
        return 2;
    }
    BenchModule module;
    if (!module.start())
        return 1;
    SerialUSBCommandHandler& handler = module.handler();

    QVector<double> stores, restores;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        StoreRestore::store(handler);
        stores << double(timer.nsecsElapsed()) / 1e6;
        timer.start();
        StoreRestore::restore(handler);
        restores << double(timer.nsecsElapsed()) / 1e6;
    }
    const LatencyStats store(stores), restore(restores);
    std::printf("store (256 exchanges): median %.2f ms, p99 %.2f ms over %d runs\n", store.median(),
                store.percentile(99), runs);
    std::printf("restore (512 exchanges): median %.2f ms, p99 %.2f ms over %d runs\n",
                restore.median(), restore.percentile(99), runs);
    std::printf("store ms: %.2f\n", store.median());
    std::printf("restore ms: %.2f\n", restore.median());
    return handler.isDeviceOpen() ? 0 : 1;
}
