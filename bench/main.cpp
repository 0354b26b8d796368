// vure-bench: measurements of the tool's hot paths, one subcommand each.
#include "bench/linkbenchmark.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

void discardMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
    // The diagnostic lines are still composed; only their output is left out of the figures.
    qInstallMessageHandler(discardMessages);
    if (command == QLatin1String("link"))
        return LinkBenchmark::run(arguments);
    std::fprintf(stderr, "usage: vure-bench link [EXCHANGES [BLIND_EXCHANGES]]\n");
    return 2;
}
