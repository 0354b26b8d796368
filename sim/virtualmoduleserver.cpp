#include "sim/virtualmoduleserver.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The host loses bytes still in flight when the line closes: give it time to read the last reply.
constexpr auto HangUpGrace = std::chrono::milliseconds(50);
constexpr std::uint8_t StrayByte = 0x5a;

std::string errorText(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

VirtualModuleServer::VirtualModuleServer() = default;

VirtualModuleServer::VirtualModuleServer(const Faults& faults)
    : faults(faults)
{}

VirtualModuleServer::~VirtualModuleServer()
{
    stop();
}

bool VirtualModuleServer::start(std::string* error)
{
    auto fail = [&](const char* what) {
        if (error)
            *error = errorText(what);
        stop();
        return false;
    };
    master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0)
        return fail("posix_openpt");
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0)
        return fail("grantpt/unlockpt");
    char name[128];
    if (::ptsname_r(master, name, sizeof name) != 0)
        return fail("ptsname_r");
    path = name;
    // Holding the slave end keeps the line up between host connections, and setting it raw
    // here means no byte is ever echoed or translated, whatever the host does.
    slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0)
        return fail("open slave");
    struct termios raw;
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    if (::pipe2(wakePipe, O_CLOEXEC) != 0)
        return fail("pipe2");
    stopping = false;
    worker = std::thread(&VirtualModuleServer::serve, this);
    return true;
}

void VirtualModuleServer::stop()
{
    stopping = true;
    if (worker.joinable()) {
        const char wake = 1;
        [[maybe_unused]] ssize_t n = ::write(wakePipe[1], &wake, 1);
        worker.join();
    }
    for (int* fd : {&master, &slave, &wakePipe[0], &wakePipe[1]}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

void VirtualModuleServer::setFaults(const Faults& newFaults)
{
    std::lock_guard<std::mutex> lock(mutex);
    faults = newFaults;
}

std::vector<zeva::Frame> VirtualModuleServer::receivedFrames() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return received;
}

void VirtualModuleServer::clearReceivedFrames()
{
    std::lock_guard<std::mutex> lock(mutex);
    received.clear();
}

void VirtualModuleServer::sendRaw(const std::vector<std::uint8_t>& bytes)
{
    writeAll(bytes.data(), bytes.size());
}

void VirtualModuleServer::writeAll(const std::uint8_t* data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size && master >= 0) {
        const ssize_t n = ::write(master, data + done, size - done);
        if (n > 0)
            done += std::size_t(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return;
    }
}

void VirtualModuleServer::serve()
{
    std::vector<std::uint8_t> pending;
    while (!stopping && !hangUpDone) {
        struct pollfd fds[2] = {{master, POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents)
            return;
        if (!(fds[0].revents & POLLIN)) {
            // Nobody holds the line open: wait for the next host without spinning.
            ::usleep(1000);
            continue;
        }
        std::uint8_t buffer[256];
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0) {
            ::usleep(1000);
            continue;
        }
        pending.insert(pending.end(), buffer, buffer + n);
        while (pending.size() >= zeva::FrameSize && !hangUpDone) {
            zeva::Frame request;
            std::copy_n(pending.begin(), zeva::FrameSize, request.begin());
            pending.erase(pending.begin(), pending.begin() + zeva::FrameSize);
            answer(request);
        }
    }
}

void VirtualModuleServer::answer(const zeva::Frame& request)
{
    Faults now;
    int number;
    {
        std::lock_guard<std::mutex> lock(mutex);
        received.push_back(request);
        now = faults;
        if (now.silent || (now.silentAfter > 0 && replies >= now.silentAfter))
            return;
        number = ++replies;
    }
    // The motor moves with the wall clock between requests.
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    zeva::Frame reply = motorFrozen ? model.handle(request) : model.handle(request, seconds);
    if (now.corruptChecksumEvery > 0 && number % now.corruptChecksumEvery == 0)
        reply[8] = std::uint8_t(reply[8] + 1);
    if (now.invalidReplyEvery > 0 && number % now.invalidReplyEvery == 0)
        reply[0] |= 0x80;
    if (now.delayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(now.delayMs));
    std::vector<std::uint8_t> out(std::size_t(std::max(now.strayBytes, 0)), StrayByte);
    out.insert(out.end(), reply.begin(), reply.end());
    writeAll(out.data(), out.size());
    if (now.hangUpAfter > 0 && number >= now.hangUpAfter)
        hangUp();
}

void VirtualModuleServer::hangUp()
{
    std::this_thread::sleep_for(HangUpGrace);
    ::close(master);
    master = -1;
    ::close(slave);
    slave = -1;
    hangUpDone = true;
}
