#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

class Drawer;
class QScrollBar;
class WGraphController;

// One chart panel: a canvas with its scroll bar and graph controls, fed with trace values.
class WDrawer : public QWidget
{
    Q_OBJECT

public:
    explicit WDrawer(QWidget* parent = nullptr);
    ~WDrawer() override;

    void setCapacity(int n);
    void setYAxisCaption(const QString& text);
    void addChart(char motorBank, char typeNumber, const QString& name, const QColor& color);
    QList<char>* traceTypes() { return &traceList; }

    Drawer* canvas() const { return drawer; }
    QScrollBar* scrollBar() const { return scroll; }
    WGraphController* graphController() const { return controls; }

public slots:
    void startDrawing();
    void stopDrawing();
    void requestedTraceValue(char motorBank, char typeNumber, int value);
    void handleChangedChartWidth(int width);
    void handleChangedResolution(int resolution);

private slots:
    void scrollBarValueChanged(int value);

private:
    Drawer* drawer;
    QScrollBar* scroll;
    WGraphController* controls;
    QList<char> traceList;
};
