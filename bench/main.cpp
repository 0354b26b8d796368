// vure-bench: measurements of the tool's hot paths, one subcommand each.
#include "bench/linkbenchmark.h"
#include "bench/paintbenchmark.h"
#include "bench/pollbenchmark.h"
#include "bench/storebenchmark.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

namespace {

void discardMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

int main(int argc, char** argv)
{
    // Painting needs no display: draw offscreen unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
    // The diagnostic lines are still composed; only their output is left out of the figures.
    qInstallMessageHandler(discardMessages);
    if (command == QLatin1String("link"))
        return LinkBenchmark::run(arguments);
    if (command == QLatin1String("paint"))
        return PaintBenchmark::run(arguments);
    if (command == QLatin1String("poll"))
        return PollBenchmark::run(arguments);
    if (command == QLatin1String("store"))
        return StoreBenchmark::run(arguments);
    std::fprintf(stderr, "usage: vure-bench link [EXCHANGES [BLIND_EXCHANGES]]\n"
                         "       vure-bench paint [PAINTS]\n"
                         "       vure-bench poll [TICKS]\n"
                         "       vure-bench store [RUNS]\n");
    return 2;
}
