#pragma once

#include <QList>
#include <QWidget>

#include <memory>

namespace Ui {
class WTraceController;
}
class ValueCheckerThread;

// Start/Stop and period of live-value polling; owns the list of parameter numbers polled.
class WTraceController : public QWidget
{
    Q_OBJECT

public:
    explicit WTraceController(QWidget* parent = nullptr);
    ~WTraceController() override;

    void setMinimumDelay(int delay);
    // Appends each number not yet in the list, in order.
    void addTraceTypes(QList<char>* typeNumbers);
    QList<char>* traceTypes() { return &traceList; }
    ValueCheckerThread* ticker() const { return checker.get(); }

signals:
    void start();
    void stop();
    void delayChanged(int delay);
    void requestTraceValues(char motorBank, QList<char>* typeNumbers);

private slots:
    void on_btnStart_clicked();
    void on_btnStop_clicked();
    void on_sbDelay_valueChanged(int value);
    void requestTraceValues();

private:
    std::unique_ptr<Ui::WTraceController> ui;
    char motorBank = 0;
    QList<char> traceList;
    std::unique_ptr<ValueCheckerThread> checker;
};
