#include "adapters/desktop/rating/qt_rating_network.h"

#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QString>
#include <QUrl>
#include <atomic>
#include <string>

namespace strumwise::platform::desktop {

namespace {

class QtDataTask final : public DataTask {
  public:
    State state() const override { return state_.load(); }
    void setState(State state) { state_.store(state); }

  private:
    std::atomic<State> state_{State::Running};
};

}  // namespace

QtNetwork::QtNetwork() : manager_(std::make_unique<QNetworkAccessManager>()) {}

QtNetwork::~QtNetwork() = default;

std::optional<std::uint32_t> QtNetwork::reachabilityFlags() {
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    // Every machine has at least its loopback interface: an empty list means the query failed.
    if (interfaces.isEmpty()) {
        return std::nullopt;
    }
    const auto wanted = QNetworkInterface::IsUp | QNetworkInterface::IsRunning;
    for (const QNetworkInterface& interface : interfaces) {
        const auto flags = interface.flags();
        if ((flags & wanted) == wanted && !flags.testFlag(QNetworkInterface::IsLoopBack) &&
            !interface.addressEntries().isEmpty()) {
            return kReachabilityReachable;
        }
    }
    return 0u;
}

std::shared_ptr<DataTask> QtNetwork::startDataTask(std::string_view url, double timeoutSeconds) {
    auto task = std::make_shared<QtDataTask>();
    const QUrl address(QString::fromStdString(std::string(url)));
    const int timeoutMs = static_cast<int>(timeoutSeconds * 1000.0);
    // The manager lives on the main thread; the request is started there, whichever thread
    // asks. If the manager is gone by then, the call is dropped.
    QNetworkAccessManager* manager = manager_.get();
    QMetaObject::invokeMethod(
        manager,
        [manager, address, timeoutMs, task] {
            QNetworkRequest request(address);
            request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                                 QNetworkRequest::AlwaysNetwork);
            request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
            request.setTransferTimeout(timeoutMs);
            QNetworkReply* reply = manager->get(request);
            QObject::connect(reply, &QNetworkReply::finished, reply, [reply, task] {
                task->setState(DataTask::State::Completed);
                reply->deleteLater();
            });
        },
        Qt::QueuedConnection);
    return task;
}

}  // namespace strumwise::platform::desktop
