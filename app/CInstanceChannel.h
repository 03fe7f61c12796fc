#pragma once
// The single-instance channel: the first editor of a desktop session listens on a local
// socket named after the user and the session; an editor started later in the same session
// with a file or a send request hands its command texts to it and ends. Command texts are
// "[open("path")]" and the send request "[send("path")]".

#include <QObject>
#include <QStringList>

class QLocalServer;

class CInstanceChannel : public QObject {
    Q_OBJECT
  public:
    explicit CInstanceChannel(QString name = default_name(), QObject* parent = nullptr);
    ~CInstanceChannel() override;

    // The channel of the current user's desktop session: a socket in XDG_RUNTIME_DIR where
    // it is set (a folder of the user's own), else in the temporary folder under the user's
    // id, named after the display (WAYLAND_DISPLAY, else DISPLAY), so that two sessions of
    // one user (a local login and a remote desktop, two seats) keep apart.
    static QString default_name();
    // Hands the texts to the editor listening on name; true when it confirmed them.
    static bool deliver(const QString& name, const QStringList& texts, int timeout_ms = 3000);

    // Starts listening (a channel left behind by an editor that no longer runs is taken
    // over). False when another editor already listens.
    bool listen();
    bool is_listening() const;
    const QString& name() const { return name_; }

    // The open request for a path.
    static QString open_request(const QString& path);
    // The send request for a path (send_request_carries tells whether it holds the path
    // whole).
    static QString send_request(const QString& path);

  signals:
    // A command text arrived (queued, after the sender has been answered).
    void command_received(const QString& text);

  private:
    void on_connection();

    QString name_;
    QLocalServer* server_ = nullptr;
};
