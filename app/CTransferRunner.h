#pragma once
// Runs one transfer at a time on a worker thread, so that the editor repaints, opens its menus
// and shows its documents while the card is slow or silent. The link code itself stays
// blocking and toolkit-free: the worker calls it with a session whose user interface carries
// every message, question and progress step back to this thread (CWorkerUserInterface), and
// whose cancel token the progress window's Cancel sets.

#include "app/QtUserInterface.h"
#include "link/transfer_session.h"

#include <QObject>

#include <functional>
#include <memory>
#include <thread>

class CProgressWindow;
class CWorkerUserInterface;

class CTransferRunner : public QObject {
    Q_OBJECT
  public:
    explicit CTransferRunner(QObject* parent = nullptr);
    // A transfer still running is cancelled and waited for; its messages are not shown.
    ~CTransferRunner() override;

    using job = std::function<void(const transfer_session& session)>;
    // Starts work on a worker thread. Its messages and questions go to the user interface in
    // force now; finished runs on this thread once work has returned. False, and nothing
    // started, while another transfer runs.
    bool start(job work, std::function<void()> finished = {});
    bool busy() const { return busy_; }
    // Asks the running transfer to stop after the frame on the wire.
    void cancel();
    // Cancels the running transfer and turns the event loop until it has ended (its last
    // messages are shown meanwhile).
    void cancel_and_wait();
    // Cancels the running transfer and waits for its thread without turning the event loop:
    // its remaining messages are dropped and its finish is not run (shutting down).
    void stop();
    // The progress window while a transfer shows it, else nullptr.
    CProgressWindow* progress_window() const;

  signals:
    // A transfer started (true) or ended (false).
    void busy_changed(bool busy);

  private:
    void finish(const std::function<void()>& finished);

    QtProgressDisplay progress_;
    std::unique_ptr<cancel_token> cancel_;
    std::unique_ptr<CWorkerUserInterface> worker_ui_;
    std::thread thread_;
    bool busy_ = false;
};
