#include "tests/support/messagecapture.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex mutex;
QList<QPair<QtMsgType, QString>> captured;

void collect(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    QMutexLocker locker(&mutex);
    captured.append({type, text});
}

} // namespace

MessageCapture::MessageCapture()
    : previous(qInstallMessageHandler(collect))
{
    clear();
}

MessageCapture::~MessageCapture()
{
    qInstallMessageHandler(previous);
}

QStringList MessageCapture::lines() const
{
    QMutexLocker locker(&mutex);
    QStringList result;
    for (const auto& entry : captured)
        result << entry.second;
    return result;
}

QStringList MessageCapture::lines(QtMsgType type) const
{
    QMutexLocker locker(&mutex);
    QStringList result;
    for (const auto& entry : captured)
        if (entry.first == type)
            result << entry.second;
    return result;
}

int MessageCapture::count(const QString& line) const
{
    return int(lines().count(line));
}

bool MessageCapture::contains(const QString& fragment) const
{
    for (const QString& line : lines())
        if (line.contains(fragment))
            return true;
    return false;
}

void MessageCapture::clear()
{
    QMutexLocker locker(&mutex);
    captured.clear();
}
