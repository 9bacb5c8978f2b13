#pragma once
// The lines of a text, taken from memory or read from a file in blocks, so
// that memory stays bounded whatever the file's size. A line ends at CR, at
// LF or at CR LF (one line, not two); a NUL byte ends the text; a terminator
// at the very end does not start another, empty line.
//
// A line handed out stays valid only until the next call of next(). A read
// that cannot go on (cancelled through the progress hook, a read error, a
// line longer than kLongestLine) throws ReadStopped out of next(), so that a
// reader never mistakes it for the end of the text; readLinesWith
// (file_reading.h) turns it into an outcome.

#include "read_progress.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <string_view>

namespace tessera {

class ReadStopped : public std::exception {
public:
    enum class Reason { Cancelled, ReadFailed, LineTooLong };
    explicit ReadStopped(Reason reason) : reason_(reason) {}
    Reason reason() const { return reason_; }
    const char* what() const noexcept override { return "reading stopped"; }

private:
    Reason reason_;
};

class LineSource {
public:
    static constexpr std::size_t kBlockSize = 256 * 1024;
    static constexpr std::size_t kLongestLine = 16 * 1024 * 1024;

    // A text in memory (not copied: it must outlive the source).
    explicit LineSource(std::string_view text);
    // An open file descriptor, read from its current position; the source
    // closes it. `totalBytes` is what progress reports count against;
    // `progress` may be null.
    LineSource(int fileDescriptor, std::uint64_t totalBytes, ReadProgress* progress);
    ~LineSource();
    LineSource(const LineSource&) = delete;
    LineSource& operator=(const LineSource&) = delete;

    // The next line into `line`; false when the text is used up.
    bool next(std::string_view& line) {
        // Inline, the common case: a LF among the bytes read, where no
        // earlier search has looked beyond the line's start. The line ends
        // at the LF or at a CR before it (a lone CR keeps the LF found for
        // the lines up to it).
        if (searchedTo_ <= pos_ && pos_ < end_) {
            const char* const start = data_ + pos_;
            const auto* lf = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
            if (lf) {
                const auto* cr = static_cast<const char*>(std::memchr(start, '\r', static_cast<std::size_t>(lf - start)));
                const char* const stop = cr ? cr : lf;
                line = std::string_view(start, static_cast<std::size_t>(stop - start));
                pos_ = static_cast<std::size_t>(stop - data_) + 1;
                if (cr && cr + 1 == lf) {
                    ++pos_;
                } else if (cr) {
                    lineFeed_ = static_cast<std::size_t>(lf - data_);
                    searchedTo_ = lineFeed_ + 1;
                }
                return true;
            }
            searchedTo_ = end_;
        }
        return nextBeyondBytesRead(line);
    }

    // Whether a NUL byte ended the text (known once next() gave false), and
    // whether that NUL came first on its line (right after a line end or at
    // the very start), for readers that refuse binary files.
    bool endedByNul() const { return endedByNul_; }
    bool nulStartedLine() const { return nulStartedLine_; }

private:
    // next() where the line may need more bytes or the last LF found.
    bool nextBeyondBytesRead(std::string_view& line);
    // Reads more bytes behind the unread ones; false at the end of the file.
    bool refill();
    // Ends the text at the NUL byte data_[at].
    void endAtNul(std::size_t at);
    // The next LF at or after pos_, or end_ when there is none yet.
    std::size_t nextLineFeed();

    int fd_ = -1;
    std::uint64_t total_ = 0, done_ = 0;
    ReadProgress* progress_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    const char* data_ = nullptr;      // the buffer, or the text in memory
    std::size_t pos_ = 0, end_ = 0;   // unread bytes: data_[pos_, end_)
    std::size_t lineFeed_ = 0;        // last LF found, valid while >= pos_
    std::size_t searchedTo_ = 0;      // no LF in [pos_, searchedTo_) beyond lineFeed_
    bool ended_ = false;              // no more bytes will come
    bool endedByNul_ = false, nulStartedLine_ = false;
};

} // namespace tessera
