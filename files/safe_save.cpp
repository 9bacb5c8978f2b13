#include "safe_save.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessera {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // Closes now, reporting a failed close (a late write error on some file systems).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// What is known of the file a save replaces.
struct Target {
    std::string folder;
    std::string fileName;
    bool exists = false;
    struct stat old {};
};

// The file that the save really replaces: a symbolic link is followed to the
// end of its chain. Nothing when the user may not replace it.
std::optional<Target> saveTarget(const std::string& name) {
    if (name.empty()) return std::nullopt;
    std::string path = name;
    struct stat link {};
    if (::lstat(name.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        // A dangling link or a circle of links has no file to replace; saving
        // must not turn the link into a file of its own.
        char resolved[PATH_MAX];
        if (::realpath(name.c_str(), resolved) == nullptr) return std::nullopt;
        path = resolved;
    }
    Target target;
    const std::filesystem::path split(path);
    target.folder = split.has_parent_path() ? split.parent_path().string() : std::string(".");
    target.fileName = split.filename().string();
    if (target.fileName.empty()) return std::nullopt;
    if (::stat(path.c_str(), &target.old) == 0) {
        target.exists = true;
        if (!S_ISREG(target.old.st_mode)) return std::nullopt;
        // The rename would replace a file the user may not write, and give
        // it a new owner.
        if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return std::nullopt;
    } else if (errno != ENOENT) {
        return std::nullopt;
    }
    return target;
}

// A short name for the temporary file, so that it fits beside a name of the
// longest length the file system accepts, and one that no other program
// uses, so that a temporary left behind is known as such.
constexpr char kTemporaryPrefix[] = ".tessera-save-";
constexpr std::size_t kTemporaryDigits = 8;

std::string temporaryName() {
    static std::mt19937 random{std::random_device{}()};
    char name[sizeof kTemporaryPrefix + kTemporaryDigits];
    std::snprintf(name, sizeof name, "%s%08x", kTemporaryPrefix, static_cast<unsigned>(random()));
    return name;
}

bool isTemporaryName(std::string_view name) {
    const std::string_view prefix(kTemporaryPrefix);
    if (name.size() != prefix.size() + kTemporaryDigits || !name.starts_with(prefix)) return false;
    for (const char c : name.substr(prefix.size()))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

// A temporary file is locked for as long as its save runs: a second
// descriptor holds the lock, so that the first can be closed (to learn of a
// late write error) before the rename. Another save in the folder then
// knows the temporary is in use; a killed save's lock goes with it.
int lockedDuplicate(int fd) {
    const int duplicate = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (duplicate >= 0) (void)::flock(duplicate, LOCK_EX | LOCK_NB);
    return duplicate;
}

// Removes the temporaries that saves killed between naming and renaming
// left in the folder: one that can be locked belongs to no running save.
// Anything that cannot be opened, locked or checked is left alone.
void removeAbandonedTemporaries(int folder) {
    const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listed < 0) return;
    DIR* entries = ::fdopendir(listed);
    if (entries == nullptr) {
        ::close(listed);
        return;
    }
    while (const dirent* entry = ::readdir(entries)) {
        if (!isTemporaryName(entry->d_name)) continue;
        const Descriptor file(::openat(folder, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat opened {}, named {};
        if (!file || ::fstat(file.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) continue;
        if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) continue;
        // Still the file opened: a save that just renamed its temporary may
        // have handed the name on.
        if (::fstatat(folder, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) != 0 || named.st_ino != opened.st_ino ||
            named.st_dev != opened.st_dev)
            continue;
        ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(entries);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The permissions asked for when the temporary is created. The umask can
// only take permissions away, so the file is never more open than the
// saved one will be.
mode_t creationMode(const Target& target) { return target.exists ? (target.old.st_mode & 0777) : 0666; }

// Gives the new file the old one's owner where allowed and exactly its
// permissions, then writes and syncs the bytes.
bool fill(int fd, const Target& target, std::string_view bytes, const SafeSaveOptions& options) {
    if (target.exists) {
        // Only root may give the file away; for everyone else this keeps the
        // group where they belong to it. A change of owner clears set-id bits,
        // so the mode follows.
        (void)::fchown(fd, target.old.st_uid, target.old.st_gid);
        if (::fchmod(fd, target.old.st_mode & 0777) != 0) return false;
    }
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) return false;
    if (options.beforeNaming) options.beforeNaming(fd);
    return true;
}

// Renames the temporary over the target and syncs the folder, so the new
// name survives a power cut. The temporary is removed if the rename fails.
bool putInPlace(int folder, const std::string& temporary, const Target& target) {
    if (::renameat(folder, temporary.c_str(), folder, target.fileName.c_str()) != 0) {
        ::unlinkat(folder, temporary.c_str(), 0);
        return false;
    }
    // Some file systems cannot sync a folder (EINVAL); the rename stands.
    return ::fsync(folder) == 0 || errno == EINVAL;
}

// Gives an unnamed file a name in the folder. Without the privilege to link
// a descriptor directly, the link goes through its /proc entry.
bool linkUnnamed(int fd, int folder, const std::string& name) {
    if (::linkat(fd, "", folder, name.c_str(), AT_EMPTY_PATH) == 0) return true;
    if (errno == EEXIST) return false;
    const std::string procEntry = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, procEntry.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

enum class Attempt { Saved, Failed, Unsupported };

// The file is written without a name, so that a program killed while saving
// leaves nothing behind; it is named only just before the rename.
Attempt saveThroughUnnamedFile(int folder, const Target& target, std::string_view bytes,
                               const SafeSaveOptions& options) {
#ifdef O_TMPFILE
    Descriptor file(::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, creationMode(target)));
    if (!file) return errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL ? Attempt::Unsupported : Attempt::Failed;
    const Descriptor lock(lockedDuplicate(file.get()));
    if (!fill(file.get(), target, bytes, options)) return Attempt::Failed;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string name = temporaryName();
        if (linkUnnamed(file.get(), folder, name)) {
            if (!file.close()) {
                ::unlinkat(folder, name.c_str(), 0);
                return Attempt::Failed;
            }
            return putInPlace(folder, name, target) ? Attempt::Saved : Attempt::Failed;
        }
        if (errno != EEXIST) return Attempt::Unsupported;
    }
    return Attempt::Failed;
#else
    (void)folder, (void)target, (void)bytes, (void)options;
    return Attempt::Unsupported;
#endif
}

bool saveThroughNamedFile(int folder, const Target& target, std::string_view bytes,
                          const SafeSaveOptions& options) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string name = temporaryName();
        Descriptor file(::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, creationMode(target)));
        if (!file) {
            if (errno == EEXIST) continue;
            return false;
        }
        const Descriptor lock(lockedDuplicate(file.get()));
        if (!fill(file.get(), target, bytes, options) || !file.close()) {
            ::unlinkat(folder, name.c_str(), 0);
            return false;
        }
        return putInPlace(folder, name, target);
    }
    return false;
}

} // namespace

bool replaceFile(const std::string& name, std::string_view bytes, const SafeSaveOptions& options) {
    const std::optional<Target> target = saveTarget(name);
    if (!target) return false;
    const Descriptor folder(::open(target->folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder) return false;
    bool saved = false;
    const Attempt attempt =
        options.unnamedTemporary ? saveThroughUnnamedFile(folder.get(), *target, bytes, options) : Attempt::Unsupported;
    if (attempt == Attempt::Unsupported)
        saved = saveThroughNamedFile(folder.get(), *target, bytes, options);
    else
        saved = attempt == Attempt::Saved;
    if (saved) removeAbandonedTemporaries(folder.get());
    return saved;
}

} // namespace tessera
