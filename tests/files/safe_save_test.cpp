// Replacing a saved file: permissions, temporary files, links, and files the
// user may not write. Each runs with an unnamed temporary file and with the
// named one of file systems that lack unnamed ones.
#include "config_file.h"
#include "files_fixture.h"
#include "safe_save.h"

#include <functional>
#include <set>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tessera::files_test {
namespace {

namespace fs = std::filesystem;

class SafeSaveTest : public FilesTest {
protected:
    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
        return names;
    }
    static mode_t modeOf(const std::string& file) {
        struct stat st {};
        return ::stat(file.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    }
};

class SafeSave : public SafeSaveTest, public ::testing::WithParamInterface<bool> {
protected:
    SafeSaveOptions options() const { return {.unnamedTemporary = GetParam(), .beforeNaming = {}}; }
};

class Umask {
public:
    explicit Umask(mode_t mask) : previous_(::umask(mask)) {}
    ~Umask() { ::umask(previous_); }

private:
    mode_t previous_;
};

TEST_P(SafeSave, TemporaryHasTheFinalPermissionsAndAShortName) {
    const Umask mask(022);
    const std::string file = write("private.tsn", "old");
    ::chmod(file.c_str(), 0600);
    SafeSaveOptions checked = options();
    std::set<std::string> whileWriting;
    checked.beforeNaming = [&](int fd) {
        struct stat st {};
        ::fstat(fd, &st);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
        whileWriting = entries();
    };
    ASSERT_TRUE(replaceFile(file, "new", checked));
    EXPECT_EQ(read(file), "new");
    EXPECT_EQ(modeOf(file), 0600u);
    EXPECT_EQ(entries(), std::set<std::string>{"private.tsn"});
    if (GetParam()) {
        EXPECT_EQ(whileWriting, entries()) << "an unnamed temporary has no name while it is written";
    } else {
        ASSERT_EQ(whileWriting.size(), 2u);
        for (const std::string& name : whileWriting) EXPECT_TRUE(name == "private.tsn" || name.size() <= 22) << name;
    }

    // A new file gets the default permissions less the umask, from the start.
    const Umask strict(077);
    checked.beforeNaming = [](int fd) {
        struct stat st {};
        ::fstat(fd, &st);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
    };
    ASSERT_TRUE(replaceFile(path("new.tsn"), "x", checked));
    EXPECT_EQ(modeOf(path("new.tsn")), 0600u);

    // The longest name the file system takes saves too.
    const std::string longest = path(std::string(251, 'n') + ".tsn");
    ASSERT_TRUE(replaceFile(longest, "long", options()));
    ASSERT_TRUE(replaceFile(longest, "longer", options()));
    EXPECT_EQ(read(longest), "longer");
    EXPECT_EQ(entries().size(), 3u);
}

TEST_P(SafeSave, LinksAreFollowedOnlyToARegularFile) {
    const std::string target = write("target.tsn", "old");
    fs::create_symlink(target, path("link.tsn"));
    ASSERT_TRUE(replaceFile(path("link.tsn"), "new", options()));
    EXPECT_TRUE(fs::is_symlink(path("link.tsn")));
    EXPECT_EQ(read(target), "new");

    fs::create_symlink(path("missing.tsn"), path("dangling.tsn"));
    fs::create_symlink(path("loop-b.tsn"), path("loop-a.tsn"));
    fs::create_symlink(path("loop-a.tsn"), path("loop-b.tsn"));
    fs::create_directory(path("folder"));
    fs::create_symlink(path("folder"), path("to-folder.tsn"));
    const std::set<std::string> before = entries();
    for (const char* refused : {"dangling.tsn", "loop-a.tsn", "to-folder.tsn", "folder"}) {
        EXPECT_FALSE(replaceFile(path(refused), "new", options())) << refused;
        EXPECT_EQ(entries(), before) << refused;
    }
    EXPECT_TRUE(fs::is_symlink(path("dangling.tsn")));
    EXPECT_TRUE(fs::is_symlink(path("loop-a.tsn")));
    EXPECT_TRUE(fs::is_empty(path("folder")));
}

// A save killed while the file is written leaves the folder as it was (where
// the file system has unnamed temporary files).
TEST_F(SafeSaveTest, KilledSaveLeavesNothingBehind) {
    const std::string file = write("kept.tsn", "old");
    SafeSaveOptions dying;
    dying.beforeNaming = [](int) { ::_exit(0); };
    ASSERT_EQ(inChild([&] { return replaceFile(file, "new", dying) ? 1 : 2; }), 0);
    EXPECT_EQ(read(file), "old");
    EXPECT_EQ(entries(), std::set<std::string>{"kept.tsn"});
}

// A save killed after naming its temporary (here: a named one, killed while
// writing) leaves it behind until the next save in the folder removes it; the
// temporary of a save still running stays.
TEST_F(SafeSaveTest, NextSaveRemovesAKilledSavesTemporaryOnly) {
    const std::string file = write("kept.tsn", "old");
    const SafeSaveOptions named{.unnamedTemporary = false, .beforeNaming = {}};
    SafeSaveOptions dying = named;
    dying.beforeNaming = [](int) { ::_exit(0); };
    ASSERT_EQ(inChild([&] { return replaceFile(file, "new", dying) ? 1 : 2; }), 0);
    ASSERT_EQ(entries().size(), 2u) << "the killed save's temporary";

    // A second save is held while writing, until told to go on.
    int ready[2], proceed[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(proceed), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        SafeSaveOptions held = named;
        held.beforeNaming = [&](int) {
            char c = 'r';
            (void)!::write(ready[1], &c, 1);
            (void)!::read(proceed[0], &c, 1);
        };
        ::_exit(replaceFile(path("held.tsn"), "held", held) ? 0 : 1);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_TRUE(replaceFile(path("other.tsn"), "other", named));
    const std::set<std::string> afterSave = entries();
    ASSERT_EQ(::write(proceed[1], &c, 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    for (const int fd : {ready[0], ready[1], proceed[0], proceed[1]}) ::close(fd);

    EXPECT_EQ(afterSave.size(), 3u) << "kept.tsn, other.tsn and the running save's temporary";
    EXPECT_TRUE(afterSave.count("kept.tsn") && afterSave.count("other.tsn"));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(read(path("held.tsn")), "held");
    EXPECT_EQ(read(file), "old");
    EXPECT_EQ(entries(), (std::set<std::string>{"held.tsn", "kept.tsn", "other.tsn"}));
}

// A read-only file is not replaced for a user who may not write it, though the
// folder would let the user rename over it. Root may write anything, so as root
// the save runs as "nobody" in a child process.
TEST_P(SafeSave, FileTheUserMayNotWriteIsRefused) {
    const std::string readOnly = write("read-only.tsn", "old");
    const std::string writable = write("writable.tsn", "old");
    ::chmod(readOnly.c_str(), 0444);
    ::chmod(writable.c_str(), 0666);
    ::chmod(folder.c_str(), 0777);
    struct stat owner {};
    ::stat(readOnly.c_str(), &owner);
    state.Modified = 1;

    const int result = inChild([&] {
        if (::geteuid() == 0) {
            const passwd* nobody = ::getpwnam("nobody");
            const uid_t uid = nobody ? nobody->pw_uid : 65534;
            const gid_t gid = nobody ? nobody->pw_gid : 65534;
            if (::setgroups(0, nullptr) != 0 || ::setresgid(gid, gid, gid) != 0 || ::setresuid(uid, uid, uid) != 0)
                return 10;
        }
        if (!replaceFile(writable, "new", options())) return 11; // the folder lets this user replace files
        const FileOutcome outcome = Speichern(engine, readOnly, '.');
        if (outcome.message.text(Language::German) != "Kann Datei " + readOnly + " nicht erstellen") return 12;
        return state.Modified == 1 ? 0 : 13;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(read(writable), "new");
    EXPECT_EQ(read(readOnly), "old");
    struct stat after {};
    ::stat(readOnly.c_str(), &after);
    EXPECT_EQ(after.st_uid, owner.st_uid);
    EXPECT_EQ(after.st_ino, owner.st_ino);
    EXPECT_EQ(entries(), (std::set<std::string>{"read-only.tsn", "writable.tsn"}));
}

INSTANTIATE_TEST_SUITE_P(Temporary, SafeSave, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });

} // namespace
} // namespace tessera::files_test
