#pragma once

#include <QByteArray>

// Redirects the process's standard output into a temporary file while it lives, so that
// lines written straight to stdout can be checked.
class StdoutCapture
{
public:
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // Everything written so far; capturing goes on.
    QByteArray text();

private:
    int savedFd = -1;
    int captureFd = -1;
};
