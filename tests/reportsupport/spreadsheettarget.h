// A small spreadsheet service for tests, running in a thread of the test program: it accepts the
// topic "System", records every command it executes and answers "Status" with "Ready". It can be
// told to refuse commands or never to be ready.
#pragma once

#include "report/outputs/conversation.h"

#include <QMutex>
#include <QStringList>
#include <QThread>
#include <memory>

namespace kv::report::test {

class SpreadsheetTarget : public ConversationHandler {
public:
    // Serves `service` until destroyed; a name of its own keeps parallel test runs apart.
    explicit SpreadsheetTarget(const QString& service);
    ~SpreadsheetTarget() override;

    const QString& service() const { return service_; }
    // Commands executed, with "wait:" before those sent waiting for completion.
    QStringList commands() const;
    int statusRequests() const;

    // Commands refused from now on: this many, then accepted again (-1: all).
    void refuse(int count);
    void setReady(bool ready);

    bool acceptTopic(const QString& topic) override;
    bool execute(const QString& command, bool waitForCompletion) override;
    std::optional<QString> request(const QString& item) override;

private:
    QString service_;
    mutable QMutex mutex_;
    QStringList commands_;
    int refusals_ = 0;
    bool ready_ = true;
    int statusRequests_ = 0;
    QThread thread_;
    ConversationServer* server_ = nullptr;
};

// A service name no other test program uses at the same time.
QString uniqueServiceName(const QString& stem);

} // namespace kv::report::test
