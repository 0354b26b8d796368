#include "monitor/valuecheckerthread.h"

#include "link/diagnostic.h"

#include <chrono>

ValueCheckerThread::ValueCheckerThread(int delay, QObject* parent)
    : QThread(parent)
    , delay(delay)
{}

ValueCheckerThread::~ValueCheckerThread()
{
    if (isRunning())
        stop();
    wait();
}

void ValueCheckerThread::start()
{
    if (isRunning())
        wait();
    // Cleared here rather than in run(): a Stop right after Start must not be undone by a
    // loop that had not begun yet.
    stopped = false;
    QThread::start();
}

void ValueCheckerThread::stop()
{
    Diagnostic() << "ValueCheckerThread::stop";
    {
        std::lock_guard<std::mutex> lock(sleepMutex);
        stopped = true;
    }
    sleepEnded.notify_all();
}

void ValueCheckerThread::changeDelay(int newDelay)
{
    delay = newDelay;
}

void ValueCheckerThread::run()
{
    Diagnostic() << "ValueCheckerThread::start";
    while (!stopped) {
        emit checkRequested();
        std::unique_lock<std::mutex> lock(sleepMutex);
        sleepEnded.wait_for(lock, std::chrono::milliseconds(delay.load()),
                            [this] { return stopped.load(); });
    }
}
