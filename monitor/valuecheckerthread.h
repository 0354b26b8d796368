#pragma once

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>

// The trace ticker: emits checkRequested() at once and then every delay milliseconds until
// stopped. The requests themselves run in the GUI thread, where the ticks are queued.
class ValueCheckerThread : public QThread
{
    Q_OBJECT

public:
    explicit ValueCheckerThread(int delay, QObject* parent = nullptr);
    ~ValueCheckerThread() override;

    int currentDelay() const { return delay; }

signals:
    void checkRequested();

public slots:
    // Starts ticking; after a stop whose last sleep has not ended yet, waits for that
    // loop to end and starts a new one.
    void start();
    void stop();
    void changeDelay(int delay);

protected:
    void run() override;

private:
    std::atomic<int> delay;
    std::atomic<bool> stopped{false};
    // Lets stop() cut the sleep short, so a new start or the shutdown never waits a whole delay.
    std::mutex sleepMutex;
    std::condition_variable sleepEnded;
};
