// Reading files in blocks: the lines must not depend on where the blocks
// end, and anything that is not a readable regular file must be refused
// without blocking and without changing the state.

#include "config_file.h"
#include "file_reading.h"
#include "files_fixture.h"
#include "frd_import.h"
#include "mlssa_import.h"
#include "tds_import.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include <random>
#include <string>
#include <vector>

namespace tessera::files_test {
namespace {

// The lines as the rule says, one character at a time.
std::vector<std::string> referenceLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != '\0'; ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(current);
            current.clear();
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current += text[i];
        }
    }
    if (!current.empty()) lines.push_back(current);
    return lines;
}

std::vector<std::string> linesOf(LineSource& source) {
    std::vector<std::string> lines;
    std::string_view line;
    while (source.next(line)) lines.emplace_back(line);
    return lines;
}

struct CountingProgress : ReadProgress {
    int calls = 0, cancelAt = -1;
    std::uint64_t lastDone = 0, lastTotal = 0;
    bool proceed(std::uint64_t done, std::uint64_t total) override {
        lastDone = done;
        lastTotal = total;
        return ++calls != cancelAt;
    }
};

class FileReadingTest : public FilesTest {
protected:
    std::vector<std::string> fromFile(const std::string& file, ReadProgress* progress = nullptr) {
        const int fd = ::open(file.c_str(), O_RDONLY);
        struct stat info {};
        ::fstat(fd, &info);
        LineSource source(fd, static_cast<std::uint64_t>(info.st_size), progress);
        return linesOf(source);
    }
};

TEST_F(FileReadingTest, LinesDoNotDependOnWhereBlocksEnd) {
    std::mt19937 random(11);
    const char* const endings[] = {"\r\n", "\n", "\r", "\n\r", "\r\r\n"};
    for (int round = 0; round < 6; ++round) {
        std::string text;
        while (text.size() < 3 * LineSource::kBlockSize) {
            text.append(random() % (round < 3 ? 40 : 3000), static_cast<char>('a' + random() % 26));
            text += endings[random() % 5];
        }
        if (round % 2) text.resize(text.size() - 1); // ends inside a terminator or a line
        const auto expected = referenceLines(text);
        const std::string file = write("blocks.txt", text);
        CountingProgress progress;
        EXPECT_EQ(fromFile(file, &progress), expected) << "round " << round;
        EXPECT_EQ(progress.lastDone, text.size());
        EXPECT_EQ(progress.lastTotal, text.size());
        LineSource inMemory(text);
        EXPECT_EQ(linesOf(inMemory), expected);
    }
    // CR as the last byte of a block, its LF the first of the next one.
    std::string split(LineSource::kBlockSize - 1, 'x');
    split += "\r\nnext\r";
    EXPECT_EQ(fromFile(write("split.txt", split)), (std::vector<std::string>{std::string(LineSource::kBlockSize - 1, 'x'), "next"}));
    // A line longer than a block, then a NUL that ends the text.
    std::string longLine(5 * LineSource::kBlockSize / 2, 'y');
    EXPECT_EQ(fromFile(write("long.txt", longLine + "\nz\n" + std::string(1, '\0') + "after\n")),
              (std::vector<std::string>{longLine, "z"}));
}

TEST_F(FileReadingTest, OnlyRegularFilesAreRead) {
    const std::string pipe = path("pipe.tsn");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string zero = path("zero.tds");
    std::filesystem::create_symlink("/dev/zero", zero);
    std::filesystem::create_directory(path("folder.txt"));
    const Curve before = state.ImportedResponse;

    // None of these may block or grow without end.
    EXPECT_EQ(LoadTSN(engine, pipe).message.text(Language::German), pipe + " ist keine gewöhnliche Datei (Ordner, Gerät oder Pipe) und wurde nicht gelesen");
    EXPECT_EQ(LoadTDS(engine, zero).message, messages::notRegularFile(zero));
    EXPECT_EQ(LoadMLSTxt(engine, path("folder.txt")).message, messages::notRegularFile(path("folder.txt")));
    EXPECT_EQ(state.ImportedResponse, before);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

// Bytes of address space the process has mapped now.
std::uint64_t mappedBytes() {
    unsigned long pages = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lu", &pages) != 1) pages = 0;
        std::fclose(statm);
    }
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
}

// A measurement three times larger than the memory the read may take still
// imports, with the same result as its data alone: the read holds a few
// blocks, never the file.
TEST_F(FileReadingTest, LargeMeasurementsAreReadInBoundedMemory) {
    if (kAddressSanitizer) GTEST_SKIP() << "the address sanitizer maps address space of its own";
    constexpr std::uint64_t kAllowed = 48u << 20, kFileSize = 3 * kAllowed;
    const std::string data = "20 1.5\n1000 -2\n20000 3\n";
    ASSERT_TRUE(importResponseText(engine, data, "small.frd").done());
    const Curve expected = state.ImportedResponse;
    state.ImportedResponse.fill(0);

    const std::string file = path("large.frd");
    {
        std::ofstream out(file, std::ios::binary);
        const std::string comments = [] {
            std::string block;
            while (block.size() < LineSource::kBlockSize) block += "* " + std::string(77, 'c') + "\r\n";
            return block;
        }();
        for (std::uint64_t written = 0; written < kFileSize; written += comments.size()) out << comments;
        out << data;
    }
    const int result = inChild([&] {
        const rlimit limit{mappedBytes() + kAllowed, RLIM_INFINITY};
        if (::setrlimit(RLIMIT_AS, &limit) != 0) return 10;
        const FileOutcome outcome = LoadFrequencyResponse(engine, file);
        if (!outcome.done()) return outcome.message == messages::outOfMemory(file) ? 11 : 12;
        return state.ImportedResponse == expected ? 0 : 13;
    });
    EXPECT_EQ(result, 0) << "11: out of memory";
}

TEST_F(FileReadingTest, OversizedConfigurationsAndLinesAreRefused) {
    // A valid configuration padded past 1 MiB after its 292 lines.
    const std::string good = path("good.tsn");
    ASSERT_TRUE(Speichern(engine, good, '.').done());
    std::string text = read(good);
    state.section(1).Frequency = 1234;
    const std::string padded = write("padded.tsn", text + std::string(kLargestConfigurationFile, ' '));
    EXPECT_EQ(LoadTSN(engine, padded).message.text(Language::German), "Datei " + padded + " ist zu groß und wurde nicht gelesen");
    EXPECT_EQ(state.section(1).Frequency, 1234);

    const Curve before = state.ImportedResponse;
    const std::string endless = write("endless.txt", "t\r\n\"Hz\"\r\n" + std::string(LineSource::kLongestLine + 10, '1'));
    EXPECT_EQ(LoadMLSTxt(engine, endless).message, messages::lineTooLong(endless));
    EXPECT_EQ(state.ImportedResponse, before);
}

TEST_F(FileReadingTest, CancelOrFailureChangesNothing) {
    std::string text = "title\r\n\"Hz\",\"dB\"\r\n";
    for (int k = 0; k < 100000; ++k) text += std::to_string(10 + k * 0.25) + ",3.5\r\n";
    const std::string file = write("big.txt", text);
    const Curve before = state.ImportedResponse;
    state.Modified = 0;
    sink.last.clear();

    CountingProgress cancelling;
    cancelling.cancelAt = 2;
    EXPECT_TRUE(LoadMLSTxt(engine, file, &cancelling).wasCancelled());
    EXPECT_EQ(cancelling.calls, 2);
    EXPECT_EQ(state.ImportedResponse, before);
    EXPECT_EQ(state.Modified, 0);
    EXPECT_TRUE(sink.last.empty());

    const auto throwing = [](FilterEngine&, LineSource&, const std::string&) -> FileOutcome { throw std::bad_alloc(); };
    EXPECT_EQ(readTextWith(engine, "x", "m.txt", throwing).message, messages::outOfMemory("m.txt"));

    CountingProgress watching;
    EXPECT_TRUE(LoadMLSTxt(engine, file, &watching).done());
    EXPECT_GE(watching.calls, 2);
    EXPECT_EQ(state.ImportedResponse.front(), 3.5);
}

TEST(DelayedProgress, ShowsOnlyAfterHalfASecondAndPassesCancelOn) {
    using namespace std::chrono_literals;
    auto now = std::chrono::steady_clock::time_point{};
    struct Shown : DelayedProgress {
        using DelayedProgress::DelayedProgress;
        std::vector<std::uint64_t> updates;
        bool cancel = false;
        bool update(std::uint64_t done, std::uint64_t) override {
            updates.push_back(done);
            return !cancel;
        }
    } progress([&] { return now; });
    now += 499ms;
    EXPECT_TRUE(progress.proceed(1, 10));
    EXPECT_FALSE(progress.shown());
    now += 1ms;
    EXPECT_TRUE(progress.proceed(2, 10));
    now -= 400ms; // once shown, it stays shown
    EXPECT_TRUE(progress.proceed(3, 10));
    progress.cancel = true;
    EXPECT_FALSE(progress.proceed(4, 10));
    EXPECT_EQ(progress.updates, (std::vector<std::uint64_t>{2, 3, 4}));
}

} // namespace
} // namespace tessera::files_test
