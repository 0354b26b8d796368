#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Collects the diagnostic lines written through the message channel while it lives.
class MessageCapture
{
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    QStringList lines() const;
    QStringList lines(QtMsgType type) const;
    int count(const QString& line) const;
    bool contains(const QString& fragment) const;
    void clear();

private:
    QtMessageHandler previous;
};
