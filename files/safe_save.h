#pragma once
// Replacing a file so that a failed, refused or interrupted save leaves the
// old file as it was and leaves nothing else behind.

#include <functional>
#include <string>
#include <string_view>

namespace tessera {

struct SafeSaveOptions {
    // False takes the way of file systems without unnamed temporary files:
    // a short-named hidden temporary file (tests use it to reach that way).
    bool unnamedTemporary = true;
    // Called with the temporary file's descriptor once the bytes are written
    // and synced, before the file gets a name in the folder.
    std::function<void(int descriptor)> beforeNaming;
};

// Writes `bytes` into a new file in the folder of `name`, created with the
// permissions the saved file will have (those of the file it replaces, or the
// default ones for a new file), syncs it, puts it in the place of `name` with
// one rename and syncs the folder. A symbolic link to a regular file is
// followed: its target is replaced. Refused, with nothing touched, when the
// user may not write the existing file, when it is not a regular file, or when
// `name` is a link that leads nowhere or in a circle. False when refused or
// when anything fails. A successful save also removes from the folder the
// temporaries of saves that were killed after naming theirs (".tessera-save-"
// and eight hex digits, locked by no running save).
bool replaceFile(const std::string& name, std::string_view bytes, const SafeSaveOptions& options = {});

} // namespace tessera
