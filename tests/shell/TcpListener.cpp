#include "tests/shell/TcpListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <system_error>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// How long a silent connection is held before the listener gives up on the client: far beyond any
// connection timeout a test sets, so reaching it means the client never timed out.
constexpr auto kPatience = std::chrono::seconds(30);

[[noreturn]] void ThrowErrno(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

sockaddr_in Loopback(unsigned short port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int BoundSocket(unsigned short port, unsigned short& actualPort) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        ThrowErrno("socket");
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address = Loopback(port);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        ThrowErrno("bind");
    }
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    actualPort = ntohs(address.sin_port);
    return fd;
}

} // namespace

TcpListener::TcpListener(unsigned short port, Mode mode)
    : mode_(mode) {
    listenFd_ = BoundSocket(port, port_);
    if (::listen(listenFd_, 16) != 0) {
        ::close(listenFd_);
        ThrowErrno("listen");
    }
    wakeFd_ = ::eventfd(0, EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        ::close(listenFd_);
        ThrowErrno("eventfd");
    }
    thread_ = std::thread([this] { Serve(); });
}

TcpListener::~TcpListener() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(wakeFd_, &one, sizeof one);
    thread_.join();
    ::close(wakeFd_);
    ::close(listenFd_);
}

int TcpListener::Accepted() const {
    const std::lock_guard lock(mutex_);
    return accepted_;
}

bool TcpListener::ClientsGaveUp() {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, kPatience * 2,
                      [this] { return closedByClient_ + closedByListener_ == accepted_; });
    return accepted_ > 0 && closedByClient_ == accepted_;
}

unsigned short TcpListener::ClosedPort() {
    unsigned short port = 0;
    ::close(BoundSocket(0, port));
    return port;
}

void TcpListener::Serve() {
    struct Held {
        int fd;
        Clock::time_point deadline;
    };
    std::vector<Held> held;
    while (true) {
        std::vector<pollfd> fds{{wakeFd_, POLLIN, 0}, {listenFd_, POLLIN, 0}};
        for (const Held& h : held)
            fds.push_back({h.fd, POLLIN, 0});
        int timeoutMs = -1;
        if (!held.empty()) {
            const auto first = std::min_element(held.begin(), held.end(), [](const Held& a, const Held& b) {
                return a.deadline < b.deadline;
            });
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(first->deadline - Clock::now());
            timeoutMs = static_cast<int>(std::max<std::int64_t>(0, left.count()));
        }
        if (::poll(fds.data(), fds.size(), timeoutMs) < 0 && errno != EINTR)
            break;
        if (fds[0].revents != 0)
            break;

        std::vector<Held> still;
        for (std::size_t i = 0; i < held.size(); ++i) {
            const Held& h = held[i];
            const short events = fds[i + 2].revents;
            char byte;
            // The client speaks first only to hang up (read returns 0) or to fail; either way it is gone.
            const bool gone = events != 0 && ::recv(h.fd, &byte, 1, MSG_DONTWAIT) <= 0;
            const bool expired = !gone && Clock::now() >= h.deadline;
            if (gone || expired) {
                ::close(h.fd);
                const std::lock_guard lock(mutex_);
                ++(gone ? closedByClient_ : closedByListener_);
                changed_.notify_all();
            } else {
                still.push_back(h);
            }
        }
        held = std::move(still);

        if (fds[1].revents & POLLIN) {
            const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) {
                const std::lock_guard lock(mutex_);
                ++accepted_;
                changed_.notify_all();
                if (mode_ == Mode::HangUp)
                    ::close(fd);
                else
                    held.push_back({fd, Clock::now() + kPatience});
            }
        }
    }
    for (const Held& h : held)
        ::close(h.fd);
}
