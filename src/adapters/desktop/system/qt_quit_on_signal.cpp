#include "adapters/desktop/system/qt_quit_on_signal.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace strumwise::platform::desktop {
namespace {

int gSignalPipe[2] = {-1, -1};
struct sigaction gPreviousInt {};
struct sigaction gPreviousTerm {};
struct sigaction gPreviousHup {};

extern "C" void writeSignalByte(int signalNumber) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    // A full pipe already carries a wake-up; losing this byte loses nothing.
    [[maybe_unused]] const auto written = ::write(gSignalPipe[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

QtQuitOnSignal::QtQuitOnSignal(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalPipe) != 0) {
        gSignalPipe[0] = gSignalPipe[1] = -1;
        return;
    }
    ::fcntl(gSignalPipe[1], F_SETFL, O_NONBLOCK);
    notifier_ = std::make_unique<QSocketNotifier>(gSignalPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
        char bytes[16];
        [[maybe_unused]] const auto drained = ::read(gSignalPipe[0], bytes, sizeof bytes);
        if (onSignal_) {
            onSignal_();
        }
    });
    struct sigaction action {};
    action.sa_handler = writeSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &gPreviousInt);
    ::sigaction(SIGTERM, &action, &gPreviousTerm);
    // A closed terminal or a logging-out session hangs up: the settings are saved as on SIGTERM.
    ::sigaction(SIGHUP, &action, &gPreviousHup);
}

QtQuitOnSignal::~QtQuitOnSignal() {
    if (notifier_ == nullptr) {
        return;
    }
    ::sigaction(SIGINT, &gPreviousInt, nullptr);
    ::sigaction(SIGTERM, &gPreviousTerm, nullptr);
    ::sigaction(SIGHUP, &gPreviousHup, nullptr);
    notifier_.reset();
    ::close(gSignalPipe[0]);
    ::close(gSignalPipe[1]);
    gSignalPipe[0] = gSignalPipe[1] = -1;
}

}  // namespace strumwise::platform::desktop
