#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class WGraphController;
}

// Y scaling (dynamic or manual bounds), resolution and "Clear charts" for one chart panel.
class WGraphController : public QWidget
{
    Q_OBJECT

public:
    explicit WGraphController(QWidget* parent = nullptr);
    ~WGraphController() override;

signals:
    void clear();
    void scaleManually();
    void scaleDynamic();
    void minValueChanged(int min);
    void maxValueChanged(int max);
    void changeResolution(int resolution);

public slots:
    // Shows the bounds the canvas is using.
    void changedScaleValues(int minValue, int maxValue);

private slots:
    void on_btnClearCharts_clicked();
    void on_sbMin_valueChanged(int value);
    void on_sbMax_valueChanged(int value);
    void on_btnScaleManually_clicked(bool checked);
    void on_btnScaleDynamic_clicked(bool checked);
    void on_sbResolution_valueChanged(int value);

private:
    std::unique_ptr<Ui::WGraphController> ui;
};
