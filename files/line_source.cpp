#include "line_source.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace tessera {
namespace {
constexpr std::size_t kNone = static_cast<std::size_t>(-1);
}

LineSource::LineSource(std::string_view text)
    : data_(text.data()), end_(text.size()), lineFeed_(kNone), ended_(true) {
    if (const void* nul = text.empty() ? nullptr : std::memchr(text.data(), '\0', text.size()))
        endAtNul(static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
}

void LineSource::endAtNul(std::size_t at) {
    nulStartedLine_ = at == 0 || data_[at - 1] == '\n' || data_[at - 1] == '\r';
    endedByNul_ = true;
    ended_ = true;
    end_ = at;
}

LineSource::LineSource(int fileDescriptor, std::uint64_t totalBytes, ReadProgress* progress)
    : fd_(fileDescriptor), total_(totalBytes), progress_(progress), lineFeed_(kNone) {}

LineSource::~LineSource() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t LineSource::nextLineFeed() {
    if (lineFeed_ != kNone && lineFeed_ >= pos_) return lineFeed_;
    const std::size_t from = std::max(pos_, searchedTo_);
    const void* found = from < end_ ? std::memchr(data_ + from, '\n', end_ - from) : nullptr;
    lineFeed_ = found ? static_cast<std::size_t>(static_cast<const char*>(found) - data_) : kNone;
    searchedTo_ = found ? lineFeed_ + 1 : end_;
    return found ? lineFeed_ : end_;
}

bool LineSource::nextBeyondBytesRead(std::string_view& line) {
    for (;;) {
        const std::size_t lineFeed = nextLineFeed();
        // A CR before the LF ends the line there (CR LF, or a lone CR).
        const void* cr = lineFeed > pos_ ? std::memchr(data_ + pos_, '\r', lineFeed - pos_) : nullptr;
        const std::size_t stop = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data_) : lineFeed;
        const bool terminated = stop < end_;
        // A CR at the end of the bytes read so far may be the first half of CR LF.
        const bool needMore = terminated ? data_[stop] == '\r' && stop + 1 == end_ : true;
        if (needMore && !ended_) {
            refill();
            continue;
        }
        if (!terminated && pos_ >= end_) return false;
        line = std::string_view(data_ + pos_, stop - pos_);
        pos_ = std::min(stop + 1, end_);
        if (terminated && data_[stop] == '\r' && pos_ < end_ && data_[pos_] == '\n') ++pos_;
        return true;
    }
}

bool LineSource::refill() {
    // Keep only the unread bytes, at the front of the buffer.
    if (pos_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + pos_, end_ - pos_);
        lineFeed_ = lineFeed_ != kNone && lineFeed_ >= pos_ ? lineFeed_ - pos_ : kNone;
        searchedTo_ = searchedTo_ >= pos_ ? searchedTo_ - pos_ : 0;
        end_ -= pos_;
        pos_ = 0;
    }
    if (end_ == capacity_) { // the first block, or one line fills the buffer
        if (end_ >= kLongestLine) throw ReadStopped(ReadStopped::Reason::LineTooLong);
        const std::size_t grown = capacity_ == 0 ? kBlockSize : std::min(2 * capacity_, kLongestLine + kBlockSize);
        std::unique_ptr<char[]> larger(new char[grown]);
        if (end_ > 0) std::memcpy(larger.get(), buffer_.get(), end_);
        buffer_ = std::move(larger);
        capacity_ = grown;
        data_ = buffer_.get();
    }
    ssize_t got;
    do got = ::read(fd_, buffer_.get() + end_, capacity_ - end_);
    while (got < 0 && errno == EINTR);
    if (got < 0) throw ReadStopped(ReadStopped::Reason::ReadFailed);
    const auto bytes = static_cast<std::size_t>(got);
    done_ += bytes;
    if (bytes == 0) ended_ = true;
    // Every byte before end_ not yet handed out is kept, so the byte before a
    // NUL is known; with none kept, the last line handed out ended with its
    // terminator.
    if (const void* nul = std::memchr(buffer_.get() + end_, '\0', bytes))
        endAtNul(static_cast<std::size_t>(static_cast<const char*>(nul) - buffer_.get()));
    else
        end_ += bytes;
    if (progress_ && !progress_->proceed(done_, total_)) throw ReadStopped(ReadStopped::Reason::Cancelled);
    return !ended_;
}

} // namespace tessera
