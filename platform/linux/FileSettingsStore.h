#pragma once
// The registry's stand-in on Linux: one settings file in registry export syntax.
//
// Readers take a snapshot of the file without any lock: a writer never changes the file in place.
// A write transaction holds an exclusive lock on a lock file beside it (never renamed, so every
// process locks the same inode), reads the file once, changes values in memory and at close writes
// a temporary file in the same folder, syncs it and renames it over the old one. Two processes
// saving at once therefore keep both their values, and a crash at any point leaves either the old
// or the new file, never a mixture.

#include <filesystem>
#include <memory>

#include "core/SettingsStore.h"

namespace velunor {

class FileSettingsStore final : public SettingsStore {
public:
    explicit FileSettingsStore(std::filesystem::path file);

    std::unique_ptr<SettingsKey> openForReading() override;
    std::unique_ptr<SettingsKey> createForWriting() override;

    const std::filesystem::path& file() const { return file_; }
    std::filesystem::path lockFile() const;

    // Files larger than this are taken as damaged: never read, and never overwritten.
    static constexpr std::uintmax_t kMaxFileBytes = 4u << 20;

    // Runs after the temporary file is synced and before it is renamed: lets a test stop the
    // process at the worst moment. Null (the default) does nothing.
    using BeforeRenameHook = void (*)();
    static void setBeforeRenameHookForTesting(BeforeRenameHook hook);

private:
    std::filesystem::path file_;
};

}  // namespace velunor
