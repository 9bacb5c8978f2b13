#include "file_reading.h"

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

FileOutcome readFileWith(FilterEngine& engine, const std::string& fileName, LineReader reader,
                         const ReadOptions& options) {
    // Looked at before it is opened, so that opening a pipe or a device can
    // neither block nor do anything; the opened file is checked again.
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0) return FileOutcome::refusal(messages::cannotOpen(fileName));
    if (!S_ISREG(info.st_mode)) return FileOutcome::refusal(messages::notRegularFile(fileName));
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return FileOutcome::refusal(messages::cannotOpen(fileName));
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileOutcome::refusal(messages::notRegularFile(fileName));
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > options.largestFile) {
        ::close(fd);
        return FileOutcome::refusal(messages::fileTooLarge(fileName));
    }
    try {
        LineSource lines(fd, size, options.progress);
        return readLinesWith(engine, lines, fileName, reader);
    } catch (const std::bad_alloc&) { // the first block
        return FileOutcome::refusal(messages::outOfMemory(fileName));
    }
}

} // namespace tessera
