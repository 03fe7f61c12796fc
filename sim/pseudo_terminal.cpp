#include "sim/pseudo_terminal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {
std::string system_error(const std::string& what) {
    return what + ": " + std::strerror(errno);
}
} // namespace

pseudo_terminal::~pseudo_terminal() {
    if (!link_path_.empty())
        ::unlink(link_path_.c_str());
    if (terminal_ >= 0)
        ::close(terminal_);
    if (master_ >= 0)
        ::close(master_);
}

bool pseudo_terminal::open(const std::string& link_path, std::string& error) {
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
