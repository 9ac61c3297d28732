// The spreadsheet stand-in of the tests.
#include "spreadsheettarget.h"

#include <QCoreApplication>

namespace kv::report::test {

QString uniqueServiceName(const QString& stem) {
    return QStringLiteral("%1-%2").arg(stem).arg(QCoreApplication::applicationPid());
}

SpreadsheetTarget::SpreadsheetTarget(const QString& service)
    : service_(service) {
    // The server lives on its own thread so that it answers while the test's thread waits.
    server_ = new ConversationServer(*this);
    server_->moveToThread(&thread_);
    thread_.start();
    QMetaObject::invokeMethod(
        server_, [this] { server_->listen(service_); }, Qt::BlockingQueuedConnection);
}

SpreadsheetTarget::~SpreadsheetTarget() {
    // Deleted on its thread as the thread ends.
    server_->deleteLater();
    thread_.quit();
    thread_.wait();
}

QStringList SpreadsheetTarget::commands() const {
    QMutexLocker lock(&mutex_);
    return commands_;
}

int SpreadsheetTarget::statusRequests() const {
    QMutexLocker lock(&mutex_);
    return statusRequests_;
}

void SpreadsheetTarget::refuse(int count) {
    QMutexLocker lock(&mutex_);
    refusals_ = count;
}

void SpreadsheetTarget::setReady(bool ready) {
    QMutexLocker lock(&mutex_);
    ready_ = ready;
}

bool SpreadsheetTarget::acceptTopic(const QString& topic) {
    return topic == QLatin1String("System");
}

bool SpreadsheetTarget::execute(const QString& command, bool waitForCompletion) {
    QMutexLocker lock(&mutex_);
    if (refusals_ != 0) {
        if (refusals_ > 0)
            --refusals_;
        return false;
    }
    commands_ << (waitForCompletion ? QStringLiteral("wait:") : QString()) + command;
    return true;
}

std::optional<QString> SpreadsheetTarget::request(const QString& item) {
    QMutexLocker lock(&mutex_);
    if (item == QLatin1String("Status")) {
        ++statusRequests_;
        return ready_ ? QStringLiteral("Ready") : QStringLiteral("Busy");
    }
    return std::nullopt;
}

} // namespace kv::report::test
