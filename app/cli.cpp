// vure-cli: the module from shell scripts and test rigs; see vure-cli --help.
#include "app/vurecli.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vure-cli"));
    VureCli cli;
    return cli.run(QCoreApplication::arguments());
}
