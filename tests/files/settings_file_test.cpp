// The settings file: what lies in its place is read only when it is a
// regular file, never more than a bounded start of it, and saved over only
// when it is one; the written text reads back as the same entries.
#include "files_fixture.h"
#include "settings_file.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tessera::files_test {
namespace {

namespace fs = std::filesystem;

using SettingsFile = FilesTest;

TEST_F(SettingsFile, ReadsBackWhatItWritesAndKeepsOtherGroups) {
    SettingsEntries entries;
    entries.setGroup("circuit", {{"opamp", "TL072"}, {"odd", " a, b = \"c\" \\ "}, {"empty", ""}});
    entries.setValue("General", "language", "de");
    EXPECT_EQ(SettingsEntries::parse(entries.text()), entries);
    // A file as the program has always written it.
    const auto read = SettingsEntries::parse("; remark\r\n[circuit]\r\nopamp = NE5532\r\nquoted=\"x;y\"\r\n\r\n[ui]\r\nk=v");
    EXPECT_EQ(read.value("circuit", "opamp"), "NE5532");
    EXPECT_EQ(read.value("circuit", "quoted"), "x;y");
    EXPECT_EQ(read.value("ui", "k"), "v");

    // Another program's group survives a save of this one's.
    const std::string file = path("tessera/tessera.conf");
    SettingsEntries other;
    other.setValue("ui", "language", "en");
    ASSERT_TRUE(saveSettingsGroups(file, other, {"ui"}));
    ASSERT_TRUE(saveSettingsGroups(file, entries, {"circuit"}));
    const SettingsEntries saved = readSettingsFile(file);
    EXPECT_EQ(saved.value("ui", "language"), "en");
    EXPECT_EQ(saved.group("circuit"), entries.group("circuit"));
}

TEST_F(SettingsFile, ReadsNoMoreThanItsLimit) {
    const std::string file = write("huge.conf", "[circuit]\nopamp=TL072\n");
    // 500 MB, sparse: reading it whole would take seconds and the memory.
    ASSERT_EQ(::truncate(file.c_str(), 500'000'000), 0);
    std::ofstream(file, std::ios::app) << "\nsummed=1\n";
    const SettingsEntries read = readSettingsFile(file);
    EXPECT_EQ(read.value("circuit", "opamp"), "TL072");
    EXPECT_EQ(read.value("circuit", "summed"), std::nullopt);
    // A line the limit cuts off is not taken as its start.
    const std::string cut = write("cut.conf", "[g]\nfirst=1\nlong=" + std::string(kSettingsReadLimit, '7'));
    EXPECT_EQ(readSettingsFile(cut).value("g", "first"), "1");
    EXPECT_EQ(readSettingsFile(cut).value("g", "long"), std::nullopt);
}

// Whatever lies in the file's place that is no regular file (or a link to
// one) is neither read (a pipe would hang the start) nor replaced.
TEST_F(SettingsFile, NothingButARegularFileIsReadOrReplaced) {
    fs::create_directory(path("elsewhere"));
    const std::string pipe = path("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const struct Case {
        const char* what;
        std::function<void(const std::string& file)> make;
    } cases[] = {
        {"named pipe", [](const std::string& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); }},
        {"link to a pipe", [&](const std::string& f) { fs::create_symlink(pipe, f); }},
        {"link to a device", [](const std::string& f) { fs::create_symlink("/dev/null", f); }},
        {"directory", [](const std::string& f) { fs::create_directory(f); }},
        {"looping link", [](const std::string& f) { fs::create_symlink(f, f); }},
        {"dangling link", [&](const std::string& f) { fs::create_symlink(path("elsewhere/made.conf"), f); }},
    };
    SettingsEntries entries;
    entries.setValue("circuit", "opamp", "TL072");
    for (const Case& c : cases) {
        const std::string file = path("tessera.conf");
        fs::remove_all(file);
        c.make(file);
        const fs::file_status before = fs::symlink_status(file);
        EXPECT_EQ(readSettingsFile(file), SettingsEntries{}) << c.what;
        EXPECT_FALSE(saveSettingsGroups(file, entries, {"circuit"})) << c.what;
        EXPECT_EQ(fs::symlink_status(file).type(), before.type()) << c.what;
        EXPECT_EQ(fs::status(pipe).type(), fs::file_type::fifo) << c.what;
        EXPECT_TRUE(fs::is_empty(path("elsewhere"))) << c.what;
    }
}

// Two programs saving at once: every read finds one whole save or the other.
TEST_F(SettingsFile, ConcurrentSavesNeverLeaveATornFile) {
    const std::string file = path("tessera.conf");
    const auto entriesOf = [](const std::string& value) {
        SettingsEntries entries;
        std::vector<SettingsEntries::Entry> many;
        for (int k = 0; k < 200; ++k) many.emplace_back("key" + std::to_string(k), value);
        entries.setGroup("circuit", many);
        return entries;
    };
    const SettingsEntries mine = entriesOf("parent"), theirs = entriesOf("child");
    ASSERT_TRUE(saveSettingsGroups(file, mine, {"circuit"}));
    const pid_t child = ::fork();
    if (child == 0) {
        for (int k = 0; k < 300; ++k)
            if (!saveSettingsGroups(file, theirs, {"circuit"})) ::_exit(1);
        ::_exit(0);
    }
    int torn = 0;
    for (int k = 0; k < 300; ++k) {
        EXPECT_TRUE(saveSettingsGroups(file, mine, {"circuit"}));
        const SettingsEntries read = readSettingsFile(file);
        torn += read != mine && read != theirs;
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(torn, 0);
}

} // namespace
} // namespace tessera::files_test
