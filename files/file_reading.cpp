#include "file_reading.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessera {
namespace {

FileOutcome stopped(const ReadStopped& stop, const std::string& fileName) {
    switch (stop.reason()) {
    case ReadStopped::Reason::Cancelled: return FileOutcome::cancelled();
    case ReadStopped::Reason::LineTooLong: return FileOutcome::refusal(messages::lineTooLong(fileName));
    case ReadStopped::Reason::ReadFailed: break;
    }
    return FileOutcome::refusal(messages::cannotRead(fileName));
}

} // namespace

FileOutcome readLinesWith(FilterEngine& engine, LineSource& lines, const std::string& fileName, LineReader reader) {
    try {
        return reader(engine, lines, fileName);
    } catch (const ReadStopped& stop) {
        return stopped(stop, fileName);
    } catch (const std::bad_alloc&) {
        return FileOutcome::refusal(messages::outOfMemory(fileName));
    } catch (const std::exception&) {
        return FileOutcome::refusal(messages::cannotRead(fileName));
    }
}

FileOutcome readTextWith(FilterEngine& engine, std::string_view text, const std::string& fileName, LineReader reader) {
    LineSource lines(text);
    return readLinesWith(engine, lines, fileName, reader);
}

namespace {

// A regular file opened for reading, looked at before it is opened, so that
// opening a pipe or a device can neither block nor do anything; the opened
// file is checked again. The descriptor is -1 and `refusal` set otherwise.
struct OpenedFile {
    int descriptor = -1;
    std::uint64_t size = 0;
    FileOutcome refusal;
};

OpenedFile openRegularFile(const std::string& fileName) {
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0) return {-1, 0, FileOutcome::refusal(messages::cannotOpen(fileName))};
    if (!S_ISREG(info.st_mode)) return {-1, 0, FileOutcome::refusal(messages::notRegularFile(fileName))};
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {-1, 0, FileOutcome::refusal(messages::cannotOpen(fileName))};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {-1, 0, FileOutcome::refusal(messages::notRegularFile(fileName))};
    }
    return {fd, static_cast<std::uint64_t>(info.st_size), FileOutcome::success()};
}

} // namespace

FileOutcome readFileWith(FilterEngine& engine, const std::string& fileName, LineReader reader,
                         const ReadOptions& options) {
    const OpenedFile file = openRegularFile(fileName);
    if (file.descriptor < 0) return file.refusal;
    if (file.size > options.largestFile) {
        ::close(file.descriptor);
        return FileOutcome::refusal(messages::fileTooLarge(fileName));
    }
    try {
        LineSource lines(file.descriptor, file.size, options.progress);
        return readLinesWith(engine, lines, fileName, reader);
    } catch (const std::bad_alloc&) { // the first block
        return FileOutcome::refusal(messages::outOfMemory(fileName));
    }
}

std::optional<std::string> readFileStart(const std::string& fileName, std::size_t most) {
    const OpenedFile file = openRegularFile(fileName);
    if (file.descriptor < 0) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(file.size, most)), '\0');
    std::size_t got = 0;
    // The size may change while reading: no more than `most` either way.
    for (;;) {
        if (got == bytes.size()) {
            if (bytes.size() >= most) break;
            bytes.resize(std::min(most, bytes.size() + 4096));
        }
        const ssize_t n = ::read(file.descriptor, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(file.descriptor);
            return std::nullopt;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(file.descriptor);
    bytes.resize(got);
    return bytes;
}

} // namespace tessera
