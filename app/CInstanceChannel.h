#pragma once
// The single-instance channel: the first editor listens on a local socket named after the
// user; an editor started later with a file or a send request hands its command texts to
// it and ends. Command texts are "[open("path")]" and the send request "[send("path")]".

#include <QObject>
#include <QStringList>

class QLocalServer;

class CInstanceChannel : public QObject {
    Q_OBJECT
  public:
    explicit CInstanceChannel(QString name = default_name(), QObject* parent = nullptr);
    ~CInstanceChannel() override;

    // The channel name of the current user.
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
    // The send request for a path.
    static QString send_request(const QString& path);

  signals:
    // A command text arrived (queued, after the sender has been answered).
    void command_received(const QString& text);

  private:
    void on_connection();

    QString name_;
    QLocalServer* server_ = nullptr;
};
