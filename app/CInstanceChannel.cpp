#include "app/CInstanceChannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {
// A sender hands over at most this many texts in at most this many bytes; a sender that
// sends more is cut off.
constexpr qsizetype max_texts = 64;
constexpr qint64 max_message = 64 * 1024;
constexpr char confirmation = '1';
} // namespace

CInstanceChannel::CInstanceChannel(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

CInstanceChannel::~CInstanceChannel() = default;

QString CInstanceChannel::default_name() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return QStringLiteral("tessaly-editor-") + (user.isEmpty() ? QStringLiteral("user") : user);
}

QString CInstanceChannel::open_request(const QString& path) {
    return QStringLiteral("[open(\"%1\")]").arg(path);
}

QString CInstanceChannel::send_request(const QString& path) {
    return QStringLiteral("[send(\"%1\")]").arg(path);
}

bool CInstanceChannel::deliver(const QString& name, const QStringList& texts, int timeout_ms) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeout_ms))
        return false;
    // One percent-encoded text per line (so a text may hold any character), then an empty
    // line.
    QByteArray message;
    for (const QString& t : texts)
        message += QUrl::toPercentEncoding(t) + '\n';
    message += '\n';
    socket.write(message);
    if (!socket.waitForBytesWritten(timeout_ms))
        return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(timeout_ms))
            return false;
    char answer = 0;
    return socket.getChar(&answer) && answer == confirmation;
}

bool CInstanceChannel::listen() {
    if (server_)
        return true;
    // An editor that answers owns the channel. A socket file without a listener is what an
    // editor that crashed leaves behind: it is removed.
    {
        QLocalSocket probe;
        probe.connectToServer(name_);
        if (probe.waitForConnected(500))
            return false;
    }
    QLocalServer::removeServer(name_);
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name_)) {
        delete server;
        return false;
    }
    server_ = server;
    connect(server_, &QLocalServer::newConnection, this, &CInstanceChannel::on_connection);
    return true;
}

bool CInstanceChannel::is_listening() const {
    return server_ && server_->isListening();
}

void CInstanceChannel::on_connection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A sender that never completes its message is dropped.
        QTimer::singleShot(10000, socket, [socket] { socket->abort(); });
        auto texts = std::make_shared<QStringList>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, texts] {
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine(max_message).trimmed();
                if (!line.isEmpty()) {
                    if (texts->size() >= max_texts) {
                        socket->abort();
                        return;
                    }
                    *texts << QUrl::fromPercentEncoding(line);
                    continue;
                }
                // The empty line ends the message: confirm, then carry the commands out
                // (they may open dialogs, which must not keep the sender waiting).
                socket->putChar(confirmation);
                socket->flush();
                socket->disconnectFromServer();
                for (const QString& t : *texts)
                    QMetaObject::invokeMethod(
                        this, [this, t] { emit command_received(t); }, Qt::QueuedConnection);
                texts->clear();
                return;
            }
            if (socket->bytesAvailable() > max_message)
                socket->abort();
        });
    }
}
