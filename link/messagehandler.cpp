#include "link/messagehandler.h"

#include <QMutex>
#include <QMutexLocker>

#include <cstdio>
#include <cstdlib>

void messageHandler(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    const char* prefix = nullptr;
    switch (type) {
    case QtDebugMsg:
        prefix = "Debug: ";
        break;
    case QtWarningMsg:
        prefix = "Warning: ";
        break;
    case QtCriticalMsg:
        prefix = "Critical: ";
        break;
    case QtFatalMsg:
        prefix = "Fatal: ";
        break;
    default:
        return;
    }
    // One line at a time: the trace ticker writes from its own thread.
    static QMutex mutex;
    {
        QMutexLocker locker(&mutex);
        const QByteArray line = QByteArray(prefix) + text.toLocal8Bit() + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
        std::fflush(stdout);
    }
    if (type == QtFatalMsg)
        std::abort();
}
