#include "monitor/wdrawer.h"

#include "link/diagnostic.h"
#include "monitor/chart.h"
#include "monitor/drawer.h"
#include "monitor/wgraphcontroller.h"

#include <QBoxLayout>
#include <QScrollBar>

WDrawer::WDrawer(QWidget* parent)
    : QWidget(parent)
{
    drawer = new Drawer;
    drawer->setRepaintInterval(100);
    scroll = new QScrollBar(Qt::Horizontal);
    scroll->setSingleStep(100);
    controls = new WGraphController;

    auto* inner = new QWidget;
    auto* column = new QVBoxLayout(inner);
    column->addWidget(drawer);
    column->addWidget(scroll);
    auto* row = new QHBoxLayout;
    row->addWidget(inner);
    row->addWidget(controls);

    connect(drawer, &Drawer::scaleChanged, controls, &WGraphController::changedScaleValues);
    connect(drawer, &Drawer::changedChartWidth, this, &WDrawer::handleChangedChartWidth);
    connect(controls, &WGraphController::scaleManually, drawer, &Drawer::doManualScaling);
    connect(controls, &WGraphController::scaleDynamic, drawer, &Drawer::doDynamicScaling);
    connect(controls, &WGraphController::minValueChanged, drawer, &Drawer::setMinValue);
    connect(controls, &WGraphController::maxValueChanged, drawer, &Drawer::setMaxValue);
    connect(controls, &WGraphController::clear, drawer, &Drawer::clearValues);
    connect(controls, &WGraphController::changeResolution, this, &WDrawer::handleChangedResolution);
    connect(scroll, &QScrollBar::valueChanged, this, &WDrawer::scrollBarValueChanged);

    setLayout(row);
    setCapacity(1000);
}

WDrawer::~WDrawer() = default;

void WDrawer::setCapacity(int n)
{
    drawer->setCapacity(n);
    scroll->setMinimum(0);
    scroll->setMaximum(n - 1);
    scroll->setValue(n - 1);
}

void WDrawer::setYAxisCaption(const QString& text)
{
    drawer->setYAxisCaption(text);
}

void WDrawer::addChart(char motorBank, char typeNumber, const QString& name, const QColor& color)
{
    auto* chart = new Chart(motorBank, typeNumber, name);
    chart->setColor(color);
    drawer->addChart(chart);
    if (!traceList.contains(typeNumber))
        traceList.append(typeNumber);
}

void WDrawer::startDrawing()
{
    Diagnostic() << "WDrawer::startDrawing";
    drawer->startDrawer();
}

void WDrawer::stopDrawing()
{
    Diagnostic() << "WDrawer::stopDrawing";
    drawer->stopDrawer();
}

void WDrawer::requestedTraceValue(char motorBank, char typeNumber, int value)
{
    drawer->addValue(motorBank, typeNumber, value);
}

void WDrawer::handleChangedChartWidth(int width)
{
    scroll->setMinimum(width);
}

void WDrawer::handleChangedResolution(int resolution)
{
    drawer->setResolution(resolution);
    repaint();
}

void WDrawer::scrollBarValueChanged(int value)
{
    drawer->setScrollWindow(scroll->minimum(), scroll->maximum(), value);
    // Also reached from inside a paint (the plotting width raises the minimum): never repaint
    // from there, schedule it.
    update();
}
