#include "platform/linux/FileSettingsStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

#include "platform/linux/RegistryFile.h"

namespace velunor {
namespace {

std::atomic<FileSettingsStore::BeforeRenameHook> gBeforeRename{nullptr};

// How long a writer waits for another process's transaction before it gives up. Transactions
// last milliseconds; a holder that hangs must not hang the host's user-interface thread for good.
constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kLockPoll = std::chrono::milliseconds(5);

constexpr const char* kTempPrefix = ".QVXVELUNOR300.reg.tmp";

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { reset(); }
    int get() const { return fd_; }
    void reset() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

// The whole file, an empty text when it does not exist, nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return std::string();
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    if (static_cast<std::uintmax_t>(info.st_size) > FileSettingsStore::kMaxFileBytes) return std::nullopt;
    std::string text;
    char chunk[8192];
    while (true) {
        ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        text.append(chunk, static_cast<std::size_t>(n));
        if (text.size() > FileSettingsStore::kMaxFileBytes) return std::nullopt;
    }
    return text;
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolder(const std::filesystem::path& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) ::fsync(fd.get());
}

// Temporary files are only ever written under the lock, so one found while holding it was left by
// a writer that died: nobody else can be using it.
void removeStaleTemporaries(const std::filesystem::path& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.path().filename().string().starts_with(kTempPrefix)) {
            std::error_code ignored;
            std::filesystem::remove(entry.path(), ignored);
        }
    }
}

bool replaceFile(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::path folder = file.parent_path();
    std::string pattern = (folder / (std::string(kTempPrefix) + "XXXXXX")).string();
    FileDescriptor fd(::mkstemp(pattern.data()));
    if (fd.get() < 0) return false;
    // A new file is private to the user (mkstemp's 0600); a replaced one keeps its permissions.
    struct stat old {};
    if (::stat(file.c_str(), &old) == 0) ::fchmod(fd.get(), old.st_mode & 07777);
    bool ok = writeAll(fd.get(), text) && ::fsync(fd.get()) == 0;
    fd.reset();
    if (ok) {
        if (auto hook = gBeforeRename.load()) hook();
        ok = ::rename(pattern.c_str(), file.c_str()) == 0;
    }
    if (!ok) {
        ::unlink(pattern.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

class FileSettingsKey final : public SettingsKey {
public:
    // A reading key: a snapshot, no lock.
    explicit FileSettingsKey(RegistryFile contents) : contents_(std::move(contents)) {}
    // A writing key: owns the lock until close.
    FileSettingsKey(RegistryFile contents, std::filesystem::path file, int lockFd)
        : contents_(std::move(contents)), file_(std::move(file)), lock_(lockFd), writable_(true) {}
    ~FileSettingsKey() override { close(); }

    std::size_t readValue(const char* name, void* buffer, std::size_t size, SettingsValueType* type) override {
        if (type) *type = SettingsValueType::None;
        if (!name) return 0;
        const RegistryFile::Value* value = contents_.find(name);
        if (!value) return 0;
        SettingsValueType kind = RegistryFile::apiType(value->registryType);
        if (type) *type = kind;
        const std::string& data = value->data;
        if (kind == SettingsValueType::String) {
            if (buffer && size > 0) {
                std::size_t n = std::min(data.size(), size - 1);
                std::memcpy(buffer, data.data(), n);
                static_cast<char*>(buffer)[n] = '\0';
            }
            return data.size() + 1;
        }
        if (buffer && size > 0) std::memcpy(buffer, data.data(), std::min(data.size(), size));
        return data.size();
    }

    bool setBinary(const char* name, const void* data, std::size_t size) override {
        if (!writable_ || !name || (!data && size > 0)) return false;
        std::string_view bytes(static_cast<const char*>(data), size);
        if (!contents_.set(name, RegistryFile::kBinary, bytes)) return false;
        dirty_ = true;
        return true;
    }

    bool setString(const char* name, const char* text) override {
        if (!writable_ || !name || !text) return false;
        if (!contents_.set(name, RegistryFile::kString, text)) return false;
        dirty_ = true;
        return true;
    }

    bool deleteValue(const char* name) override {
        if (!writable_ || !name) return false;
        if (contents_.remove(name)) dirty_ = true;
        return true;
    }

    bool close() override {
        if (!writable_) return true;
        writable_ = false;
        bool ok = !dirty_ || replaceFile(file_, contents_.serialize());
        lock_.reset();  // closing the descriptor releases the lock
        return ok;
    }

private:
    RegistryFile contents_;
    std::filesystem::path file_;
    FileDescriptor lock_;
    bool writable_ = false;
    bool dirty_ = false;
};

bool lockExclusively(int fd) {
    auto deadline = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kLockPoll);
    }
    return true;
}

}  // namespace

FileSettingsStore::FileSettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path FileSettingsStore::lockFile() const {
    std::filesystem::path lock = file_;
    lock += ".lock";
    return lock;
}

void FileSettingsStore::setBeforeRenameHookForTesting(BeforeRenameHook hook) { gBeforeRename.store(hook); }

std::unique_ptr<SettingsKey> FileSettingsStore::openForReading() {
    if (file_.empty()) return nullptr;
    std::error_code ec;
    if (!std::filesystem::exists(file_, ec)) return nullptr;
    auto text = readWholeFile(file_);
    if (!text) return nullptr;
    return std::make_unique<FileSettingsKey>(RegistryFile::parse(*text));
}

std::unique_ptr<SettingsKey> FileSettingsStore::createForWriting() {
    if (file_.empty()) return nullptr;
    std::error_code ec;
    std::filesystem::create_directories(file_.parent_path(), ec);
    if (ec) return nullptr;
    int lockFd = ::open(lockFile().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lockFd < 0) return nullptr;
    if (!lockExclusively(lockFd)) {
        ::close(lockFd);
        return nullptr;
    }
    removeStaleTemporaries(file_.parent_path());
    // A file that exists but cannot be read is left alone rather than replaced by our few values.
    auto text = readWholeFile(file_);
    if (!text) {
        ::close(lockFd);
        return nullptr;
    }
    return std::make_unique<FileSettingsKey>(RegistryFile::parse(*text), file_, lockFd);
}

}  // namespace velunor
