// Our own conversation layer in place of DDE: a client opens a topic of a service (a program that
// listens on a local socket named after the service), has it execute commands and asks it for
// items. The server side serves one service to any number of clients.
#pragma once

#include <QHash>
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QLocalSocket;

namespace kv::report {

// The local socket a service listens on.
QString conversationSocketName(const QString& service);

class ConversationClient {
public:
    ConversationClient();
    ~ConversationClient();
    ConversationClient(const ConversationClient&) = delete;
    ConversationClient& operator=(const ConversationClient&) = delete;

    // Opens `topic` of `service`; false when no such service answers within `timeoutMs` or it
    // refuses the topic.
    bool open(const QString& service, const QString& topic, int timeoutMs = 2000);
    void close();
    bool isOpen() const;

    // Has the service execute `command`; with `waitForCompletion` it answers once the command
    // has run. False when it refuses or does not answer.
    bool execute(const QString& command, bool waitForCompletion);
    // The service's text for `item`; none when it has none or does not answer.
    std::optional<QString> request(const QString& item);

private:
    // Sends a frame and waits for the answer; none when the connection fails.
    std::optional<std::pair<QString, QString>> call(const QString& word, const QString& argument);

    std::unique_ptr<QLocalSocket> socket_;
    QByteArray buffer_;
};

// What a service does with what its clients send.
class ConversationHandler {
public:
    virtual ~ConversationHandler() = default;
    virtual bool acceptTopic(const QString& topic) = 0;
    virtual bool execute(const QString& command, bool waitForCompletion) = 0;
    virtual std::optional<QString> request(const QString& item) = 0;
};

class ConversationServer : public QObject {
    Q_OBJECT
public:
    // `handler` is not owned and must outlive the server; it is called on the server's thread.
    explicit ConversationServer(ConversationHandler& handler, QObject* parent = nullptr);
    ~ConversationServer() override;

    // Starts serving `service`; false when its socket cannot be made.
    bool listen(const QString& service);

private:
    void accept();
    void serve(QLocalSocket* socket);

    ConversationHandler& handler_;
    QLocalServer server_;
    QHash<QLocalSocket*, QByteArray> buffers_; // what came from each client and is not yet a frame
};

} // namespace kv::report
