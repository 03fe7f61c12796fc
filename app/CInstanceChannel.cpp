#include "app/CInstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <unistd.h>

namespace {
// A sender hands over at most this many texts in at most this many bytes; a sender that
// sends more is cut off.
constexpr qsizetype max_texts = 64;
constexpr qint64 max_message = 64 * 1024;
constexpr char confirmation = '1';

// Room for the folder of a socket path: a Unix socket name holds at most 107 bytes, of which
// the channel's own file name takes up to about 60.
constexpr qsizetype max_folder_length = 40;

// The display of this session as a short file-name part. An X display names its screen
// after a dot (":0.0"), which is the same session as ":0"; a Wayland display may be a path.
QString display_key() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        display = qEnvironmentVariable("DISPLAY");
        display.remove(QRegularExpression(QStringLiteral("\\.[0-9]+$")));
    }
    if (display.isEmpty())
        return QStringLiteral("nodisplay");
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_.:-]{1,24}$"));
    if (plain.match(display).hasMatch())
        return QString(display).replace(':', '_');
    // Anything else is named by a digest, which keeps the name short and file-safe.
    return QString::fromLatin1(
        QCryptographicHash::hash(display.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

// XDG_RUNTIME_DIR when it names an existing folder short enough for a socket path.
QString runtime_folder() {
    const QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || dir.size() > max_folder_length)
        return {};
    const QFileInfo info(dir);
    return info.isAbsolute() && info.isDir() ? QDir::cleanPath(dir) : QString();
}
} // namespace

CInstanceChannel::CInstanceChannel(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

CInstanceChannel::~CInstanceChannel() = default;

QString CInstanceChannel::default_name() {
    const QString display = display_key();
    const QString runtime = runtime_folder();
    if (!runtime.isEmpty())
        return runtime + QStringLiteral("/tessaly-editor-") + display;
    // A bare name lives in the temporary folder, shared by all users: the user's id keeps
    // them apart (a user name may be missing or changed in the environment).
    return QStringLiteral("tessaly-editor-%1-%2").arg(::getuid()).arg(display);
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
