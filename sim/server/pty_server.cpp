#include "server/pty_server.h"

#include "model/sim_commands.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int) {
    g_stop = 1;
}

std::int64_t monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

constexpr std::int64_t kMs = 1000000;
// While nobody has the port open the master reports a hang-up at once; probe
// for a new opener often at first, then less often.
constexpr std::int64_t kFastProbeNs = 2 * kMs, kSlowProbeNs = 10 * kMs,
                       kFastProbeForNs = 1000 * kMs;

void say(const QString& text) {
    const QByteArray b = text.toUtf8() + '\n';
    std::fwrite(b.constData(), 1, static_cast<std::size_t>(b.size()), stdout);
    std::fflush(stdout);
}

} // namespace

PtyServer::PtyServer(SimDevice& device, Options options)
    : device_(device), options_(std::move(options)) {}

PtyServer::~PtyServer() {
    device_.setLogSink({});
    if (linked_)
        ::unlink(QFile::encodeName(options_.link).constData());
    if (master_ >= 0)
        ::close(master_);
    if (logFd_ >= 0)
        ::close(logFd_);
}

bool PtyServer::open(QString* error) {
    const auto failed = [error](const QString& what) {
        if (error)
            *error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    };
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0)
        return failed(QStringLiteral("posix_openpt"));
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return failed(QStringLiteral("grantpt/unlockpt"));
    const char* name = ::ptsname(master_);
    if (!name)
        return failed(QStringLiteral("ptsname"));
    path_ = QString::fromLocal8Bit(name);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);

    // Raw mode on the slave once: the settings stay with the terminal, so no
    // echo or line editing touches the bytes before the tool sets its own.
    const int slave = ::open(name, O_RDWR | O_NOCTTY);
    if (slave < 0)
        return failed(QStringLiteral("open ") + path_);
    termios tio{};
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    ::close(slave);

    if (!options_.link.isEmpty()) {
        const QByteArray link = QFile::encodeName(options_.link);
        struct stat st {};
        if (::lstat(link.constData(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                if (error)
                    *error = options_.link + QStringLiteral(" exists and is not a symbolic link");
                return false;
            }
            ::unlink(link.constData());
        }
        if (::symlink(name, link.constData()) != 0)
            return failed(QStringLiteral("symlink ") + options_.link);
        linked_ = true;
    }
    if (!options_.logFile.isEmpty()) {
        logFd_ = ::open(QFile::encodeName(options_.logFile).constData(),
                        O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644);
        if (logFd_ < 0)
            return failed(QStringLiteral("open ") + options_.logFile);
        device_.setLogSink([fd = logFd_](const SimLogEntry& e) {
            const QByteArray line = e.toLine().toUtf8() + '\n';
            [[maybe_unused]] const auto n =
                ::write(fd, line.constData(), static_cast<std::size_t>(line.size()));
        });
    }
    return true;
}

std::int64_t PtyServer::byteNs() const {
    // Ten bits a byte: start, eight data bits, stop.
    return options_.baud > 0 ? std::int64_t(10) * 1000000000 / options_.baud : 0;
}

void PtyServer::hangUp(std::int64_t nowNs) {
    if (!hungUp_)
        hungUpSinceNs_ = nowNs;
    hungUp_ = true;
    // Bytes still on their way are lost with the listener.
    outgoing_.clear();
}

void PtyServer::readMaster(std::int64_t nowNs) {
    char buf[4096];
    const ssize_t n = ::read(master_, buf, sizeof buf);
    if (n < 0) {
        if (errno == EIO)
            hangUp(nowNs); // the tool closed its side: normal, wait for the next open
        return;
    }
    const std::int64_t step = byteNs();
    rxFreeNs_ = std::max(rxFreeNs_, nowNs);
    for (ssize_t i = 0; i < n; ++i) {
        rxFreeNs_ += step; // when this byte would have arrived on a real line
        const QByteArray reply = device_.receiveByte(static_cast<std::uint8_t>(buf[i]));
        std::int64_t t = std::max(rxFreeNs_, txFreeNs_);
        for (char c : reply) {
            t += step;
            outgoing_.emplace_back(t, c);
        }
        txFreeNs_ = std::max(txFreeNs_, t);
    }
}

void PtyServer::writeDue(std::int64_t nowNs) {
    QByteArray due;
    for (const auto& [t, c] : outgoing_) {
        if (t > nowNs)
            break;
        due.append(c);
    }
    if (due.isEmpty())
        return;
    const ssize_t n = ::write(master_, due.constData(), static_cast<std::size_t>(due.size()));
    if (n < 0) {
        if (errno == EIO)
            hangUp(nowNs);
        return;
    }
    outgoing_.erase(outgoing_.begin(), outgoing_.begin() + n);
}

void PtyServer::handleLine(const QString& raw) {
    const QString line = raw.trimmed();
    if (line.isEmpty())
        return;
    if (line == QLatin1String("quit") || line == QLatin1String("exit")) {
        quit_ = true;
        say(QStringLiteral("ok"));
        return;
    }
    const SimCommandResult r = RunSimCommand(device_, line);
    if (!r.ok) {
        say(QStringLiteral("error: ") + r.output);
        return;
    }
    if (!r.output.isEmpty())
        say(r.output.endsWith(QLatin1Char('\n')) ? r.output.chopped(1) : r.output);
    say(QStringLiteral("ok"));
}

void PtyServer::readStdin() {
    char buf[1024];
    const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) {
        if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
            stdinOpen_ = false; // no console: keep serving, unless told otherwise
            quit_ = options_.exitOnEof;
        }
        return;
    }
    stdinBuffer_.append(buf, n);
    for (qsizetype nl; (nl = stdinBuffer_.indexOf('\n')) >= 0;) {
        const QByteArray line = stdinBuffer_.left(nl);
        stdinBuffer_.remove(0, nl + 1);
        handleLine(QString::fromUtf8(line));
    }
}

int PtyServer::run() {
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    hungUpSinceNs_ = monotonicNs();
    while (!quit_ && !g_stop) {
        std::int64_t now = monotonicNs();
        if (hungUp_) {
            // Still nobody there? A zero-time poll tells without spinning.
            pollfd probe{master_, POLLIN, 0};
            if (::poll(&probe, 1, 0) >= 0 && !(probe.revents & POLLHUP))
                hungUp_ = false;
        }
        pollfd fds[2];
        nfds_t count = 0;
        int masterIndex = -1, stdinIndex = -1;
        if (!hungUp_) {
            masterIndex = static_cast<int>(count);
            fds[count++] = {master_, POLLIN, 0};
        }
        if (stdinOpen_) {
            stdinIndex = static_cast<int>(count);
            fds[count++] = {STDIN_FILENO, POLLIN, 0};
        }
        std::int64_t timeout = 1000 * kMs;
        if (!outgoing_.empty())
            timeout = std::min(timeout, std::max<std::int64_t>(outgoing_.front().first - now, 0));
        if (hungUp_)
            timeout = std::min(timeout, now - hungUpSinceNs_ < kFastProbeForNs ? kFastProbeNs
                                                                               : kSlowProbeNs);
        const timespec ts{static_cast<time_t>(timeout / 1000000000),
                          static_cast<long>(timeout % 1000000000)};
        const int ready = ::ppoll(fds, count, &ts, nullptr);
        if (ready < 0 && errno != EINTR)
            return 1;
        now = monotonicNs();
        if (ready > 0 && masterIndex >= 0) {
            const short ev = fds[masterIndex].revents;
            if (ev & POLLIN)
                readMaster(now);
            else if (ev & (POLLHUP | POLLERR))
                hangUp(now);
        }
        if (ready > 0 && stdinIndex >= 0 && (fds[stdinIndex].revents & (POLLIN | POLLHUP)))
            readStdin();
        if (!hungUp_)
            writeDue(monotonicNs());
    }
    return 0;
}
