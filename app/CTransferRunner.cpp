#include "app/CTransferRunner.h"

#include "app/CWorkerUserInterface.h"
#include "core/user_interface.h"

#include <QEventLoop>

CTransferRunner::CTransferRunner(QObject* parent) : QObject(parent) {
    progress_.set_cancel_handler([this] { cancel(); });
}

CTransferRunner::~CTransferRunner() {
    stop();
}

void CTransferRunner::stop() {
    if (thread_.joinable()) {
        cancel();
        worker_ui_->abandon();
        thread_.join();
    }
    worker_ui_.reset();
    progress_.close();
    if (busy_) {
        busy_ = false;
        emit busy_changed(false);
    }
}

bool CTransferRunner::start(job work, std::function<void()> finished) {
    if (busy_)
        return false;
    cancel_ = std::make_unique<cancel_token>();
    worker_ui_ = std::make_unique<CWorkerUserInterface>(this, ui(), progress_);
    busy_ = true;
    emit busy_changed(true);
    thread_ = std::thread([this, work = std::move(work), finished = std::move(finished)] {
        work(transfer_session{*worker_ui_, *cancel_});
        worker_ui_->post([this, finished] { finish(finished); });
    });
    return true;
}

void CTransferRunner::finish(const std::function<void()>& finished) {
    thread_.join();
    worker_ui_.reset();
    progress_.close();
    busy_ = false;
    emit busy_changed(false);
    if (finished)
        finished();
}

void CTransferRunner::cancel() {
    if (busy_ && cancel_)
        cancel_->cancel();
}

void CTransferRunner::cancel_and_wait() {
    if (!busy_)
        return;
    cancel();
    QEventLoop loop;
    connect(this, &CTransferRunner::busy_changed, &loop, [&loop](bool busy) {
        if (!busy)
            loop.quit();
    });
    loop.exec();
}

CProgressWindow* CTransferRunner::progress_window() const {
    return progress_.window();
}
