#include "tests/support/stdoutcapture.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

StdoutCapture::StdoutCapture()
{
    std::fflush(stdout);
    char name[] = "/tmp/vure-stdout-XXXXXX";
    captureFd = ::mkstemp(name);
    ::unlink(name);
    savedFd = ::dup(STDOUT_FILENO);
    ::dup2(captureFd, STDOUT_FILENO);
}

StdoutCapture::~StdoutCapture()
{
    std::fflush(stdout);
    ::dup2(savedFd, STDOUT_FILENO);
    ::close(savedFd);
    ::close(captureFd);
}

QByteArray StdoutCapture::text()
{
    std::fflush(stdout);
    QByteArray result;
    char buffer[4096];
    off_t offset = 0;
    ssize_t n;
    while ((n = ::pread(captureFd, buffer, sizeof buffer, offset)) > 0) {
        result.append(buffer, int(n));
        offset += n;
    }
    return result;
}
