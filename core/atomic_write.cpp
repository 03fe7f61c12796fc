#include "core/atomic_write.h"

#include <cerrno>
#include <climits>
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

// The file a path names once its symbolic links are followed, so that saving through a link
// writes the file it points to and keeps the link. A dangling link names the file it would
// point to. False (ELOOP) for a chain of links that does not end.
bool resolve_links(const std::string& path, std::string& resolved) {
    resolved = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(resolved.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t n = ::readlink(resolved.c_str(), target.data(), PATH_MAX);
        if (n < 0)
            return false;
        std::string next(target.data(), static_cast<std::size_t>(n));
        if (next.empty() || next.front() != '/') {
            const std::size_t slash = resolved.rfind('/');
            next =
                (slash == std::string::npos ? std::string() : resolved.substr(0, slash + 1)) + next;
        }
        resolved = next;
    }
    errno = ELOOP;
    return false;
}

bool write_all(int fd, std::string_view contents) {
    const char* p = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Writes contents to the open fd, synced first when sync is set, and closes it; the error
// names path.
bool write_and_close(int fd, std::string_view contents, bool sync, const std::string& path,
                     std::string* error) {
    if (!write_all(fd, contents) || (sync && ::fsync(fd) != 0)) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return fail(error, "cannot write " + path);
    }
    if (::close(fd) != 0)
        return fail(error, "cannot write " + path);
    return true;
}

// The fallback for a writable file in a folder that takes no new file (no temporary file
// can be made beside it): the file is rewritten in place.
bool write_in_place(const std::string& path, std::string_view contents, std::string* error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return fail(error, path);
    return write_and_close(fd, contents, true, path, error);
}
// Writes to a target that is not a regular file: opened for writing as it is, nothing truncated
// or synced (a device or a pipe has neither).
bool write_directly(const std::string& path, std::string_view contents, std::string* error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return fail(error, path);
    return write_and_close(fd, contents, false, path, error);
}
} // namespace

bool atomic_write_file(const std::string& requested, std::string_view contents,
                       std::string* error) {
    if (requested.empty()) {
        errno = ENOENT;
        return fail(error, "no file name");
    }
    std::string path;
    if (!resolve_links(requested, path))
        return fail(error, requested);
    struct stat st {};
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return fail(error, path);
    }
    // A device, a pipe or a socket (/dev/null, a terminal) is written to as it is: it cannot
    // be replaced by a renamed file, and there is no earlier contents to keep.
    if (exists && !S_ISREG(st.st_mode))
        return write_directly(path, contents, error);
    // Honour write protection even for a user (root) whom the system would let through.
    if (exists && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        errno = EACCES;
        return fail(error, path);
    }

    std::string tmpl = path + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        if (exists && (errno == EACCES || errno == EPERM) && ::access(path.c_str(), W_OK) == 0)
            return write_in_place(path, contents, error);
        return fail(error, path);
    }
    auto discard = [&](const char* what) {
        int saved = errno;
        ::close(fd);
        ::unlink(name.data());
        errno = saved;
        return fail(error, std::string(what) + " " + path);
    };
    if (!write_all(fd, contents))
        return discard("cannot write");
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
