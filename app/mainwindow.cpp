#include "app/mainwindow.h"

#include "panel/vure.h"

#include <QMenuBar>
#include <QMessageBox>

MainWindow::MainWindow(QWidget* parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    setWindowTitle(QStringLiteral("ORBI-VURE-FOC"));
    vure = new VURE;
    setCentralWidget(vure);
    createMenus();
}

MainWindow::~MainWindow() = default;

void MainWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    connect(file->addAction(tr("Export settings to *.ini")), &QAction::triggered, vure,
            &VURE::exportSettings);
    connect(file->addAction(tr("Import settings from *.ini")), &QAction::triggered, vure,
            &VURE::importSettings);
    file->addSeparator();
    connect(file->addAction(tr("Export settings to ZEVA")), &QAction::triggered, vure,
            &VURE::exportSettingsToZEVA);
    file->addSeparator();
    connect(file->addAction(tr("Store actual values")), &QAction::triggered, vure,
            &VURE::storeActualValues);
    connect(file->addAction(tr("Restore actual values")), &QAction::triggered, vure,
            &VURE::restoreActualValues);
    file->addSeparator();
    connect(file->addAction(tr("Exit")), &QAction::triggered, this, &MainWindow::exitProgram);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    connect(help->addAction(tr("&About")), &QAction::triggered, this, &MainWindow::showVersionInfo);
}

QString MainWindow::versionText()
{
    return QStringLiteral("ORBI-VURE\n") + QStringLiteral("Version:  \t") +
           QString::number(VersionMajor) + QLatin1Char('.') + QString::number(VersionMinor) +
           QLatin1Char('\n') + QStringLiteral("Build-ID: \t") + QString::number(BuildNumber);
}

QSize MainWindow::fullSize() const
{
    return QSize(800, menuBar()->sizeHint().height() + vure->fullHeight());
}

void MainWindow::exitProgram()
{
    close();
}

void MainWindow::showVersionInfo()
{
    QMessageBox::about(nullptr, QStringLiteral("About this Version..."), versionText());
}
