#include "settings_store.h"

#include "file_outcome.h"
#include "program_language.h"

#include <QLockFile>
#include <QStandardPaths>

#include <filesystem>

#include <sys/stat.h>

namespace tessera {

std::string SettingsStore::userFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
           "/tessera/tessera.conf";
}

SettingsStore::SettingsStore(std::string fileName, QObject* parent)
    : QObject(parent), fileName_(std::move(fileName)), entries_(readSettingsFile(fileName_)) {
    retry_.setObjectName(QStringLiteral("settingsRetryTimer"));
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &SettingsStore::saveNow);
}

SettingsStore::~SettingsStore() {
    if (savePending()) attemptSave();
}

void SettingsStore::setGroup(std::string_view group, std::vector<SettingsEntries::Entry> entries) {
    entries_.setGroup(group, std::move(entries));
    unsaved_.emplace(group);
    saveNow();
}

void SettingsStore::setValue(std::string_view group, std::string_view key, std::string value) {
    entries_.setValue(group, key, std::move(value));
    unsaved_.emplace(group);
    saveNow();
}

SettingsStore::Attempt SettingsStore::attemptSave() {
    // The lock of every program that keeps its settings in this file
    // (QLockFile's), taken only where it is a regular file or nothing: a
    // pipe or a device in its place is never opened.
    const std::string lockName = fileName_ + ".lock";
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(fileName_).parent_path(), error);
    struct stat info {};
    if (error || (::lstat(lockName.c_str(), &info) == 0 && !S_ISREG(info.st_mode))) return Attempt::Failed;
    QLockFile lock(QString::fromStdString(lockName));
    if (!lock.tryLock(0)) return lock.error() == QLockFile::LockFailedError ? Attempt::Busy : Attempt::Failed;
    if (!saveSettingsGroups(fileName_, entries_, unsaved_)) return Attempt::Failed;
    unsaved_.clear();
    return Attempt::Saved;
}

void SettingsStore::saveNow() {
    if (!savePending()) return;
    switch (attemptSave()) {
    case Attempt::Saved:
        retry_.stop();
        busyTries_ = 0;
        told_ = false;
        break;
    case Attempt::Busy:
        retry_.start();
        if (++busyTries_ == kTriesBeforeTelling) tell(inProgramLanguage(messages::settingsFileInUse(fileName_)));
        break;
    case Attempt::Failed:
        // Tried again with the next change and at the end.
        retry_.stop();
        tell(inProgramLanguage(messages::settingsNotSaved(fileName_)));
        break;
    }
}

void SettingsStore::tell(const std::string& message) {
    if (told_) return;
    told_ = true;
    emit notSaved(QString::fromStdString(message));
}

} // namespace tessera
