// Writes a file under a fresh, exclusively created name, and cleans it up on every way out.
#include "reminder/sms/temporary_file.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <random>
#include <system_error>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace davrin::sms {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
int openExclusive(const fs::path& path) {
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
bool writeAll(int file, std::string_view content) {
    return _write(file, content.data(), static_cast<unsigned>(content.size())) ==
           static_cast<int>(content.size());
}
int closeFile(int file) {
    return _close(file);
}
void removeFile(const wchar_t* path) {
    _wremove(path);
}
#else
int openExclusive(const fs::path& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
bool writeAll(int file, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(file, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}
int closeFile(int file) {
    return ::close(file);
}
void removeFile(const char* path) {
    ::unlink(path);
}
#endif

// The signal handler may only read plain static data: the one file the tool has pending, by its
// native name, and whether it exists.
fs::path::value_type pendingPath[4096];
volatile std::sig_atomic_t pending = 0;

constexpr std::array kSignals = {
    SIGINT,
    SIGTERM,
#ifdef SIGHUP
    SIGHUP,
#endif
#ifdef SIGBREAK
    SIGBREAK,
#endif
};
std::array<void (*)(int), kSignals.size()> previousHandlers{};
bool handlersInstalled = false;

void removePendingAndStop(int signal) {
    if (pending)
        removeFile(pendingPath);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void setPending(const fs::path& path) {
    const auto& name = path.native();
    if (name.size() >= std::size(pendingPath))
        return; // too long to hold; such a file is only removed on the ordinary ways out
    std::copy(name.begin(), name.end(), pendingPath);
    pendingPath[name.size()] = 0;
    pending = 1;
}

void installHandlers(bool install) {
    if (install == handlersInstalled)
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (install)
            previousHandlers[i] = std::signal(kSignals[i], removePendingAndStop);
        else
            std::signal(kSignals[i], previousHandlers[i]);
    }
    handlersInstalled = install;
}

std::string reason(int error) {
    return std::generic_category().message(error);
}

} // namespace

TemporaryFile::~TemporaryFile() {
    remove();
}

std::string TemporaryFile::write(const fs::path& target, std::string_view content) {
    remove();
    installHandlers(true);
    std::random_device random;
    int file = -1;
    int error = 0;
    for (int attempt = 0; file < 0 && attempt < 100; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x%08x.tmp", random(), random());
        path_ = target;
        path_ += suffix;
        file = openExclusive(path_);
        error = errno;
        if (file < 0 && error != EEXIST)
            break;
    }
    if (file < 0) {
        const std::string problem = "cannot create " + path_.string() + ": " + reason(error);
        path_.clear();
        installHandlers(false);
        return problem;
    }
    setPending(path_);
    errno = 0;
    error = writeAll(file, content) ? 0 : (errno ? errno : EIO);
    errno = 0;
    if (closeFile(file) != 0 && error == 0)
        error = errno ? errno : EIO;
    if (error != 0) {
        const std::string problem = "cannot write " + path_.string() + ": " + reason(error);
        remove();
        return problem;
    }
    return {};
}

std::string TemporaryFile::moveTo(const fs::path& target) {
    std::error_code ec;
    fs::rename(path_, target, ec);
    if (ec) {
        remove();
        return "cannot replace " + target.string() + ": " + ec.message();
    }
    pending = 0;
    path_.clear();
    installHandlers(false);
    return {};
}

void TemporaryFile::remove() {
    if (!path_.empty()) {
        std::error_code ignored;
        fs::remove(path_, ignored);
        path_.clear();
    }
    pending = 0;
    installHandlers(false);
}

} // namespace davrin::sms
