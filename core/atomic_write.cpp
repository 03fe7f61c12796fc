#include "core/atomic_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
bool fail(std::string* error, const std::string& what) {
    if (error)
        *error = what + ": " + std::strerror(errno);
    return false;
}
} // namespace

bool atomic_write_file(const std::string& path, std::string_view contents, std::string* error) {
    if (path.empty()) {
        errno = ENOENT;
        return fail(error, "no file name");
    }
    struct stat st {};
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        errno = EISDIR;
        return fail(error, path);
    }
    // Honour write protection even for a user (root) whom the system would let through.
    if (exists && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        errno = EACCES;
        return fail(error, path);
    }

    std::string tmpl = path + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0)
        return fail(error, path);
    auto discard = [&](const char* what) {
        int saved = errno;
        ::close(fd);
        ::unlink(name.data());
        errno = saved;
        return fail(error, std::string(what) + " " + path);
    };
    const char* p = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return discard("cannot write");
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~[] {
        mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }());
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)
        return discard("cannot write");
    if (::close(fd) != 0) {
        int saved = errno;
        ::unlink(name.data());
        errno = saved;
        return fail(error, "cannot write " + path);
    }
    if (::rename(name.data(), path.c_str()) != 0) {
        int saved = errno;
        ::unlink(name.data());
        errno = saved;
        return fail(error, "cannot replace " + path);
    }
    return true;
}
