// vure-sim: a virtual module on a pseudo-terminal. Prints the device path on its first line.
#include "sim/virtualmoduleserver.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <pthread.h>
#include <string>
#include <unistd.h>

namespace {

void usage(std::FILE* out)
{
    std::fputs("usage: vure-sim [--link PATH] [--silent] [--delay MS] [--corrupt-every N]\n"
               "                [--invalid-every N] [--stray N] [--hangup-after N]\n"
               "                [--silent-after N]\n"
               "Serves a virtual module on a pseudo-terminal and prints its device path.\n"
               "  --link PATH         also make a symbolic link PATH to the device\n"
               "  --silent            never answer\n"
               "  --delay MS          answer MS milliseconds late\n"
               "  --corrupt-every N   give every Nth reply a wrong checksum\n"
               "  --invalid-every N   set bit 7 of the first byte of every Nth reply\n"
               "  --stray N           send N stray bytes before every reply\n"
               "  --hangup-after N    close the line after N replies, then exit\n"
               "  --silent-after N    stop answering after N replies\n",
               out);
}

bool parseCount(const char* text, int* value)
{
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (!*text || *end || parsed < 0 || parsed > 1000000)
        return false;
    *value = int(parsed);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    VirtualModuleServer::Faults faults;
    std::string link;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        int* target = nullptr;
        if (arg == "--help" || arg == "-h") {
            usage(stdout);
            return 0;
        } else if (arg == "--silent") {
            faults.silent = true;
            continue;
        } else if (arg == "--link" && hasValue) {
            link = argv[++i];
            continue;
        } else if (arg == "--delay") {
            target = &faults.delayMs;
        } else if (arg == "--corrupt-every") {
            target = &faults.corruptChecksumEvery;
        } else if (arg == "--invalid-every") {
            target = &faults.invalidReplyEvery;
        } else if (arg == "--stray") {
            target = &faults.strayBytes;
        } else if (arg == "--hangup-after") {
            target = &faults.hangUpAfter;
        } else if (arg == "--silent-after") {
            target = &faults.silentAfter;
        }
        if (!target || !hasValue || !parseCount(argv[++i], target)) {
            std::fprintf(stderr, "vure-sim: bad argument: %s\n", arg.c_str());
            usage(stderr);
            return 2;
        }
    }

    // Block the stop signals in every thread; the main thread takes them with sigtimedwait.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    VirtualModuleServer server(faults);
    std::string error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "vure-sim: cannot open a pseudo-terminal: %s\n", error.c_str());
        return 1;
    }
    if (!link.empty()) {
        ::unlink(link.c_str());
        if (::symlink(server.devicePath().c_str(), link.c_str()) != 0) {
            std::fprintf(stderr, "vure-sim: cannot link %s: %s\n", link.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }
    std::printf("%s\n", server.devicePath().c_str());
    std::fflush(stdout);

    const struct timespec tick = {0, 100 * 1000 * 1000};
    while (!server.hungUp()) {
        const int signal = sigtimedwait(&stopSignals, nullptr, &tick);
        if (signal == SIGINT || signal == SIGTERM)
            break;
    }
    server.stop();
    if (!link.empty())
        ::unlink(link.c_str());
    return 0;
}
