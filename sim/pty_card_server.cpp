#include "sim/pty_card_server.h"

#include "sim/card_transcript.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {
std::string system_error(const std::string& what) {
    return what + ": " + std::strerror(errno);
}
} // namespace

pty_card_server::pty_card_server(ombra_card& card, card_transcript* transcript)
    : card_(card), transcript_(transcript) {}

pty_card_server::~pty_card_server() {
    if (!link_path_.empty())
        ::unlink(link_path_.c_str());
    if (terminal_ >= 0)
        ::close(terminal_);
    if (master_ >= 0)
        ::close(master_);
}

bool pty_card_server::open(const std::string& link_path, std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = system_error("cannot create a pseudo-terminal");
        return false;
    }
    const char* name = ::ptsname(master_);
    if (!name) {
        error = system_error("cannot name the pseudo-terminal");
        return false;
    }
    terminal_name_ = name;
    terminal_ = ::open(name, O_RDWR | O_NOCTTY);
    if (terminal_ < 0) {
        error = system_error("cannot open " + terminal_name_);
        return false;
    }
    // Raw on both ends: no echo, no line editing, no character translation.
    for (int fd : {master_, terminal_}) {
        termios tio{};
        if (::tcgetattr(fd, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(fd, TCSANOW, &tio);
        }
    }
    struct stat st {};
    if (::lstat(link_path.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            error = link_path + " exists and is not a symbolic link";
            return false;
        }
        ::unlink(link_path.c_str());
    }
    if (::symlink(terminal_name_.c_str(), link_path.c_str()) != 0) {
        error = system_error("cannot link " + link_path);
        return false;
    }
    link_path_ = link_path;
    return true;
}

bool pty_card_server::write_all(const std::vector<std::uint8_t>& bytes,
                                const std::atomic<bool>& stop) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
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
        pollfd pfd{master_, POLLIN, 0};
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
        ssize_t n = ::read(master_, buffer.data(), buffer.size());
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
