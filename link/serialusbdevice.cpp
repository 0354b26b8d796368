#include "link/serialusbdevice.h"

#include "link/diagnostic.h"

#include <QFile>
#include <QMutexLocker>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// Read limits of serial-line mode: 10 ms between bytes, 10 ms + 1 ms per byte in total.
constexpr int ReadIntervalMs = 10;
constexpr int ReadTotalConstantMs = 10;
constexpr int ReadTotalPerByteMs = 1;

speed_t speedFor(int baudrate)
{
    switch (baudrate) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    case 460800:
        return B460800;
    case 921600:
        return B921600;
    case 1000000:
        return B1000000;
    default:
        return B0;
    }
}

int remainingMs(std::chrono::steady_clock::time_point deadline)
{
    using namespace std::chrono;
    const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
    return left > 0 ? int(left) : 0;
}

} // namespace

SerialUSBDevice::SerialUSBDevice(const QString& portName)
    : portName(portName)
{}

SerialUSBDevice::~SerialUSBDevice()
{
    if (portHandle >= 0)
        releasePort(portHandle);
}

void SerialUSBDevice::setBaudRate(int baudrate)
{
    useBaudRate = true;
    this->baudrate = baudrate;
}

QString SerialUSBDevice::devicePath(const QString& portName)
{
    if (portName.startsWith(QLatin1Char('/')))
        return portName;
    return QStringLiteral("/dev/") + portName;
}

int SerialUSBDevice::openPort(const QString& path, int* error)
{
    // Non-blocking so that a line without carrier cannot hang the open itself.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = errno;
        return -1;
    }
    struct termios probe;
    if (::tcgetattr(fd, &probe) != 0) {
        *error = ENOTTY;
        ::close(fd);
        return -1;
    }
    // A COM port is exclusive. TIOCEXCL keeps other programs out, but not root; the lock also
    // keeps out a second open of this process and root.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        *error = EBUSY;
        ::close(fd);
        return -1;
    }
    ::ioctl(fd, TIOCEXCL);
    const int flags = ::fcntl(fd, F_GETFL);
    ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

void SerialUSBDevice::releasePort(int fd)
{
    // The exclusive flag belongs to the terminal, not to this descriptor: a virtual port whose
    // other end stays open would otherwise keep it after we are gone.
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
}

bool SerialUSBDevice::canOpen(const QString& portName)
{
    return openProblem(portName).isEmpty();
}

QString SerialUSBDevice::openProblem(const QString& portName)
{
    int error = 0;
    const int fd = openPort(devicePath(portName), &error);
    if (fd < 0)
        return reasonText(error);
    releasePort(fd);
    return {};
}

QString SerialUSBDevice::reasonText(int error)
{
    if (error == EBUSY)
        return QStringLiteral("the port is in use by another program or connection");
    QString reason = QString::fromLocal8Bit(std::strerror(error));
    if (error == EACCES)
        reason += QStringLiteral(": the user must be a member of the group that owns the "
                                 "device (often dialout); log in again after joining it");
    return reason;
}

bool SerialUSBDevice::open(OpenMode mode)
{
    if (mode == NotOpen)
        return isOpen();
    if (isOpen())
        return true;

    int error = 0;
    const int fd = openPort(devicePath(portName), &error);
    if (fd < 0) {
        std::fputs(qPrintable(QStringLiteral("could not open: ") + portName + QLatin1Char('\n')),
                   stdout);
        std::fflush(stdout);
        Diagnostic(QtWarningMsg) << "cannot open port" << portName << reasonText(error);
        close();
        return false;
    }
    portHandle = fd;
    QIODevice::open(mode | Unbuffered);
    configure();
    portOpen = true;
    return true;
}

void SerialUSBDevice::configure()
{
    ::tcgetattr(portHandle, &portConfig);
    // Every mode: raw binary bytes, no software flow control, nothing stripped or translated.
    portConfig.c_iflag &=
        ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    portConfig.c_oflag &= ~tcflag_t(OPOST);
    portConfig.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    // Reads return at once; readData does its own timing with poll().
    portConfig.c_cc[VMIN] = 0;
    portConfig.c_cc[VTIME] = 0;

    if (useBaudRate) {
        const speed_t speed = speedFor(baudrate);
        if (speed != B0)
            ::cfsetspeed(&portConfig, speed);
        else
            Diagnostic(QtWarningMsg) << "unsupported baud rate" << baudrate << "on" << portName;
        portConfig.c_cflag &= ~tcflag_t(CSIZE | CSTOPB | PARENB | CRTSCTS);
        portConfig.c_cflag |= CS8 | CLOCAL | CREAD;
        portConfig.c_iflag &= ~tcflag_t(INPCK);
    }
    ::tcsetattr(portHandle, TCSANOW, &portConfig);

    if (useBaudRate) {
        int rts = TIOCM_RTS;
        ::ioctl(portHandle, TIOCMBIC, &rts);
    }
    // Whatever arrived before we were listening belongs to nobody.
    ::tcflush(portHandle, TCIFLUSH);
}

void SerialUSBDevice::close()
{
    if (!portOpen)
        return;
    releasePort(portHandle);
    portHandle = -1;
    portOpen = false;
}

qint64 SerialUSBDevice::bytesWaiting()
{
    QMutexLocker locker(&portLock);
    if (!isOpen())
        return 0;
    if (portHandle < 0)
        return -1;
    int count = 0;
    if (::ioctl(portHandle, FIONREAD, &count) != 0)
        return -1;
    return count + QIODevice::bytesAvailable();
}

bool SerialUSBDevice::waitForBytes(int ms)
{
    if (portHandle < 0) {
        // Nothing to wait on: keep the caller's pace rather than spinning.
        if (ms > 0)
            ::usleep(useconds_t(ms) * 1000);
        return false;
    }
    struct pollfd pfd = {portHandle, POLLIN, 0};
    int result;
    do {
        result = ::poll(&pfd, 1, ms);
    } while (result < 0 && errno == EINTR);
    return result > 0;
}

qint64 SerialUSBDevice::readData(char* data, qint64 maxSize)
{
    QMutexLocker locker(&portLock);
    if (portHandle < 0 || maxSize <= 0)
        return 0;
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::milliseconds(ReadTotalConstantMs +
                                                                   ReadTotalPerByteMs * maxSize);
    qint64 got = 0;
    while (got < maxSize) {
        const int left = remainingMs(deadline);
        const int timeout = got == 0 ? left : std::min(left, ReadIntervalMs);
        struct pollfd pfd = {portHandle, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, timeout);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        const ssize_t n = ::read(portHandle, data + got, size_t(maxSize - got));
        if (n > 0)
            got += n;
        else if (n < 0 && errno == EINTR)
            continue;
        else
            break;
    }
    return got;
}

qint64 SerialUSBDevice::writeData(const char* data, qint64 size)
{
    QMutexLocker locker(&portLock);
    if (portHandle < 0)
        return 0;
    qint64 written = 0;
    while (written < size) {
        const ssize_t n = ::write(portHandle, data + written, size_t(size - written));
        if (n > 0) {
            written += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            struct pollfd pfd = {portHandle, POLLOUT, 0};
            ::poll(&pfd, 1, ReadIntervalMs);
        } else {
            return written;
        }
    }
    ::tcdrain(portHandle);
    return written;
}
