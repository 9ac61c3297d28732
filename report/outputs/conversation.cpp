// The conversation layer over local sockets: client calls and the serving side.
#include "conversation.h"

#include "conversationframe_p.h"

#include <QLocalSocket>

namespace kv::report {

namespace {
// How long one answer may take before the service counts as not answering.
constexpr int kAnswerTimeoutMs = 10000;
} // namespace

QString conversationSocketName(const QString& service) {
    return QStringLiteral("kalmorvaty-conversation-") + service;
}

ConversationClient::ConversationClient() = default;

ConversationClient::~ConversationClient() {
    close();
}

bool ConversationClient::isOpen() const {
    return socket_ && socket_->state() == QLocalSocket::ConnectedState;
}

bool ConversationClient::open(const QString& service, const QString& topic, int timeoutMs) {
    close();
    socket_ = std::make_unique<QLocalSocket>();
    socket_->connectToServer(conversationSocketName(service));
    if (!socket_->waitForConnected(timeoutMs)) {
        socket_.reset();
        return false;
    }
    const auto answer = call(QStringLiteral("CONNECT"), topic);
    if (!answer || answer->first != QLatin1String("ACK")) {
        close();
        return false;
    }
    return true;
}

void ConversationClient::close() {
    if (socket_) {
        socket_->disconnectFromServer();
        socket_.reset();
    }
    buffer_.clear();
}

std::optional<std::pair<QString, QString>> ConversationClient::call(const QString& word,
                                                                    const QString& argument) {
    if (!socket_ || socket_->state() != QLocalSocket::ConnectedState)
        return std::nullopt;
    socket_->write(conversation::encode(word, argument));
    if (!socket_->waitForBytesWritten(kAnswerTimeoutMs) && socket_->bytesToWrite() > 0)
        return std::nullopt;
    for (;;) {
        if (auto frame = conversation::takeFrame(buffer_))
            return std::make_pair(frame->word, frame->argument);
        if (!socket_->waitForReadyRead(kAnswerTimeoutMs))
            return std::nullopt;
        buffer_ += socket_->readAll();
    }
}

bool ConversationClient::execute(const QString& command, bool waitForCompletion) {
    const auto answer =
        call(waitForCompletion ? QStringLiteral("EXECUTEWAIT") : QStringLiteral("EXECUTE"), command);
    return answer && answer->first == QLatin1String("ACK");
}

std::optional<QString> ConversationClient::request(const QString& item) {
    const auto answer = call(QStringLiteral("REQUEST"), item);
    if (!answer || answer->first != QLatin1String("DATA"))
        return std::nullopt;
    return answer->second;
}

ConversationServer::ConversationServer(ConversationHandler& handler, QObject* parent)
    : QObject(parent)
    , handler_(handler) {
    // A child, so that it moves to another thread with the server.
    server_.setParent(this);
    connect(&server_, &QLocalServer::newConnection, this, &ConversationServer::accept);
}

ConversationServer::~ConversationServer() {
    // Clients' sockets close with the server: their signals must not reach a server being destroyed.
    for (QLocalSocket* socket : server_.findChildren<QLocalSocket*>())
        socket->disconnect(this);
}

bool ConversationServer::listen(const QString& service) {
    const QString name = conversationSocketName(service);
    // A socket left by a server that died is in the way of a new one.
    QLocalServer::removeServer(name);
    return server_.listen(name);
}

void ConversationServer::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { serve(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            buffers_.remove(socket);
            socket->deleteLater();
        });
    }
}

void ConversationServer::serve(QLocalSocket* socket) {
    QByteArray& buffer = buffers_[socket];
    buffer += socket->readAll();
    while (auto frame = conversation::takeFrame(buffer)) {
        QByteArray answer;
        if (frame->word == QLatin1String("CONNECT")) {
            answer = conversation::encode(handler_.acceptTopic(frame->argument) ? QStringLiteral("ACK")
                                                                                : QStringLiteral("NACK"));
        } else if (frame->word == QLatin1String("EXECUTE") || frame->word == QLatin1String("EXECUTEWAIT")) {
            const bool done = handler_.execute(frame->argument, frame->word == QLatin1String("EXECUTEWAIT"));
            answer = conversation::encode(done ? QStringLiteral("ACK") : QStringLiteral("NACK"));
        } else if (frame->word == QLatin1String("REQUEST")) {
            const std::optional<QString> data = handler_.request(frame->argument);
            answer = data ? conversation::encode(QStringLiteral("DATA"), *data)
                          : conversation::encode(QStringLiteral("NODATA"));
        } else {
            answer = conversation::encode(QStringLiteral("NACK"));
        }
        socket->write(answer);
    }
}

} // namespace kv::report
