#include "backends/posix/posix_files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace bt::posix {

namespace {

std::string describe(int error) {
    return std::strerror(error);
}

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return path.substr(0, std::max<std::size_t>(slash, 1)); // "/binds" lies in "/"
}

} // namespace

std::int64_t fileLength(std::string_view name) {
    struct stat st {};
    if (::stat(std::string(name).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return static_cast<std::int64_t>(st.st_size);
}

std::optional<std::string> readFile(std::string_view name, std::size_t maxBytes) {
    Fd fd(::open(std::string(name).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    std::string content;
    content.resize(maxBytes);
    std::size_t got = 0;
    while (got < maxBytes) {
        const ssize_t n = ::read(fd.get(), content.data() + got, maxBytes - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    content.resize(got);
    return content;
}

FileWriteResult replaceFile(std::string_view nameView, std::string_view contents) {
    const std::string name(nameView);
    std::string temp = name + ".XXXXXX";
    Fd fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        return {false, describe(errno)};
    auto fail = [&](int error) {
        ::unlink(temp.c_str());
        return FileWriteResult{false, describe(error)};
    };
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = ::write(fd.get(), contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(errno);
        done += static_cast<std::size_t>(n);
    }
    // mkstemp creates 0600; the file should read like any other the user makes.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd.get(), 0666 & ~mask);
    if (::fsync(fd.get()) != 0)
        return fail(errno);
    if (::close(fd.release()) != 0)
        return fail(errno);
    if (::rename(temp.c_str(), name.c_str()) != 0)
        return fail(errno);
    // Make the rename itself durable.
    Fd dir(::open(folderOf(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    return {};
}

} // namespace bt::posix
