#pragma once

#include <QString>
#include <QtGlobal>

// One diagnostic line in the debug-stream style the log readers know: every item is followed
// by one space, string values stand in double quotes, fixed texts and integers as they are.
// The line is handed to the message channel when the object goes out of scope.
class Diagnostic
{
public:
    explicit Diagnostic(QtMsgType type = QtDebugMsg);
    ~Diagnostic();
    Diagnostic(const Diagnostic&) = delete;
    Diagnostic& operator=(const Diagnostic&) = delete;

    Diagnostic& operator<<(const char* text);
    Diagnostic& operator<<(const QString& value);
    Diagnostic& operator<<(int number);

private:
    QtMsgType m_type;
    QString m_line;
};
