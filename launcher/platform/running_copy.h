#pragma once
// The channel between two copies of the launcher on one display: the first
// listens on a socket file in the user's runtime folder, and a second one
// that connects asks it to come to the front. Plain Unix-domain sockets: the
// launcher needs nothing else of a network library, whose loading would
// delay every start.

#include <QObject>

#include <functional>
#include <string>

class QSocketNotifier;

namespace krv {

// Connects to the copy listening at `socketPath` and asks it to come to the
// front; false when no copy listens there.
bool askRunningCopy(const std::string& socketPath);

class RunningCopyListener : public QObject {
public:
    // Listens at `socketPath`, taking over a socket file that a copy which
    // ended without removing it left; `onRequest` runs for each copy that
    // connects. Listens nowhere when the socket cannot be made.
    RunningCopyListener(const std::string& socketPath, std::function<void()> onRequest,
                        QObject* parent);
    // Stops listening and removes the socket file.
    ~RunningCopyListener() override;

    bool isListening() const { return fd_ >= 0; }

private:
    void acceptCopies();

    std::string path_;
    std::function<void()> onRequest_;
    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace krv
