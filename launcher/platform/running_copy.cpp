#include "launcher/platform/running_copy.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace krv {

namespace {

// The socket's address; false when the path does not fit one.
bool socketAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// The listening socket, or the negated error.
int bindAndListen(const sockaddr_un& address) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -errno;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        ::listen(fd, 8) == 0)
        return fd;
    const int error = errno;
    ::close(fd);
    return -error;
}

} // namespace

bool askRunningCopy(const std::string& socketPath) {
    sockaddr_un address;
    if (!socketAddress(socketPath, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool answered =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (answered) {
        static const char request[] = "activate\n";
        // The copy may close its end first; that is no reason to end this one.
        [[maybe_unused]] const ssize_t sent = ::send(fd, request, sizeof request - 1, MSG_NOSIGNAL);
    }
    ::close(fd);
    return answered;
}

RunningCopyListener::RunningCopyListener(const std::string& socketPath,
                                         std::function<void()> onRequest, QObject* parent)
    : QObject(parent), path_(socketPath), onRequest_(std::move(onRequest)) {
    sockaddr_un address;
    if (!socketAddress(path_, address))
        return;
    fd_ = bindAndListen(address);
    if (fd_ == -EADDRINUSE && !askRunningCopy(path_)) {
        // A socket file left by a copy that crashed: nobody answers on it.
        ::unlink(path_.c_str());
        fd_ = bindAndListen(address);
    }
    if (fd_ < 0) {
        fd_ = -1;
        return;
    }
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { acceptCopies(); });
}

RunningCopyListener::~RunningCopyListener() {
    if (fd_ < 0)
        return;
    delete notifier_;
    ::close(fd_);
    ::unlink(path_.c_str());
}

void RunningCopyListener::acceptCopies() {
    int peer;
    while ((peer = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0) {
        ::close(peer);
        onRequest_();
    }
}

} // namespace krv
