#include "cli/live_session.h"

#include "cli/commands.h"
#include "cli/stop_signal_scope.h"
#include "cli/terminal_ui.h"
#include "format/csv_writer.h"
#include "live/live_writer.h"
#include "live/reading_text.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <iostream>
#include <memory>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The application object the event loop needs, made when the program has none yet.
std::unique_ptr<QCoreApplication> core_application() {
    if (QCoreApplication::instance())
        return nullptr;
    static int argc = 1;
    static char name[] = "tessaly-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QCoreApplication>(argc, argv);
}

std::string round_text(const live_poller& poller, const poll_result& result,
                       const read_output& output, const std::string& time) {
    const auto& registers = poller.registers();
    if (output.csv)
        return reading_csv_rows(registers, result.readings, time);
    std::string text;
    for (std::size_t i = 0; i < registers.size(); ++i)
        text += reading_line(registers[i], result.readings[i]) + "\n";
    return text;
}

// SIGINT and SIGTERM turned into a quit of the event loop, through a socket pair that the
// handler writes to (the only thing a signal handler may safely do here).
int stop_pipe[2] = {-1, -1};

extern "C" void on_stop_signal(int) {
    char byte = 1;
    [[maybe_unused]] auto n = ::write(stop_pipe[1], &byte, 1);
}

class stop_signals {
  public:
    explicit stop_signals(QEventLoop& loop) {
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, stop_pipe) != 0)
            return;
        notifier_ = std::make_unique<QSocketNotifier>(stop_pipe[0], QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, &loop, &QEventLoop::quit);
        handler_.emplace(on_stop_signal);
    }
    ~stop_signals() {
        if (!notifier_)
            return;
        handler_.reset();
        notifier_.reset();
        ::close(stop_pipe[0]);
        ::close(stop_pipe[1]);
        stop_pipe[0] = stop_pipe[1] = -1;
    }
    stop_signals(const stop_signals&) = delete;
    stop_signals& operator=(const stop_signals&) = delete;

  private:
    std::unique_ptr<QSocketNotifier> notifier_;
    std::optional<stop_signal_scope> handler_;
};

// The exit status of a finished round, after its output or message.
int report_round(const live_poller& poller, const poll_result& result, const read_output& output,
                 const std::string& time) {
    if (!result.connection_error.empty()) {
        cli_ui().message(result.connection_error);
        return exit_usage;
    }
    std::cout << round_text(poller, result, output, time) << std::flush;
    return result.all_read() ? exit_ok : exit_failed;
}

} // namespace

int run_reads(live_poller& poller, const read_output& output) {
    auto app = core_application();
    QEventLoop loop;
    int status = exit_failed; // until a round completes
    bool finished = false;
    if (output.csv)
        std::cout << reading_csv_header(output.watch_seconds > 0) << std::flush;

    if (output.watch_seconds <= 0) {
        poller.poll([&](const poll_result& result) {
            status = report_round(poller, result, output, {});
            finished = true;
            loop.quit();
        });
        if (!finished)
            loop.exec();
        return status;
    }

    // Rounds start every watch_seconds (at once when a round took longer than that).
    stop_signals stop(loop);
    const auto interval_ms = static_cast<qint64>(output.watch_seconds * 1000);
    QTimer next_round;
    next_round.setSingleShot(true);
    QElapsedTimer clock;
    std::function<void()> start_round = [&] {
        clock.restart();
        std::string time = iso_local_time(std::chrono::system_clock::now());
        poller.poll([&, time](const poll_result& result) {
            status = report_round(poller, result, output, time);
            next_round.start(static_cast<int>(std::max<qint64>(0, interval_ms - clock.elapsed())));
        });
    };
    QObject::connect(&next_round, &QTimer::timeout, &loop, [&] { start_round(); });
    next_round.start(0);
    loop.exec();
    return status;
}

int run_write(host_link& link, const live_register& reg, std::vector<std::uint16_t> words) {
    auto app = core_application();
    QEventLoop loop;
    int status = exit_failed;
    bool finished = false;
    send_write(link, reg, std::move(words), [&](write_outcome outcome, std::string message) {
        if (outcome != write_outcome::written)
            cli_ui().message(message);
        status = outcome == write_outcome::written               ? exit_ok
                 : outcome == write_outcome::answered_with_error ? exit_failed
                                                                 : exit_usage;
        finished = true;
        loop.quit();
    });
    if (!finished)
        loop.exec();
    return status;
}
