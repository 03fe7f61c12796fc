#include "sim/pty_card_server.h"

#include "sim/card_transcript.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>
#include <vector>

pty_card_server::pty_card_server(ombra_card& card, card_transcript* transcript)
    : card_(card), transcript_(transcript) {}

bool pty_card_server::open(const std::string& link_path, std::string& error) {
    return terminal_.open(link_path, error);
}

bool pty_card_server::write_all(const std::vector<std::uint8_t>& bytes,
                                const std::atomic<bool>& stop) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(terminal_.master(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR && !stop)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void pty_card_server::serve(const std::atomic<bool>& stop, int idle_ms) {
    std::vector<std::uint8_t> buffer(4096), answer;
    while (!stop) {
        pollfd pfd{terminal_.master(), POLLIN, 0};
        int ready = ::poll(&pfd, 1, idle_ms);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (ready == 0) {
            if (transcript_)
                transcript_->flush();
            continue;
        }
        ssize_t n = ::read(terminal_.master(), buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            break;
        }
        answer.clear();
        card_.receive({buffer.data(), static_cast<std::size_t>(n)}, answer);
        if (!answer.empty() && !write_all(answer, stop))
            break;
    }
    if (transcript_)
        transcript_->flush();
}
