#pragma once
// The plug-in's persistent settings, shaped like the registry key it stands in for: a key is opened
// for reading or created for writing, values are read into a sized buffer or set with a type, and
// the key is closed. Everything a write transaction sets becomes visible to other processes at once
// when the key is closed.
//
// The core only knows this interface. platform/ supplies the real store; tests give the core a
// store in a temporary folder. Without an installed store every open fails, which the callers
// treat exactly like a missing registry key: defaults stay in place.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace velunor {

enum class SettingsValueType : std::uint8_t { None, Binary, String };

class SettingsKey {
public:
    virtual ~SettingsKey() = default;

    // Copies at most `size` bytes of the value into `buffer` and answers the value's full size in
    // bytes (for a string: its bytes plus the terminating zero), or 0 when there is no such value.
    // A string read into a buffer too small for it is cut and still terminated.
    virtual std::size_t readValue(const char* name, void* buffer, std::size_t size,
                                  SettingsValueType* type = nullptr) = 0;

    // Writing is only possible on a key created for writing; the calls answer false otherwise.
    virtual bool setBinary(const char* name, const void* data, std::size_t size) = 0;
    virtual bool setString(const char* name, const char* zeroTerminatedText) = 0;
    // Removes a value; answers true when the value is gone afterwards (also when it never existed).
    virtual bool deleteValue(const char* name) = 0;

    // Ends the transaction: a key created for writing stores everything it set in one step. Also
    // run by the destructor. Answers false when the values could not be stored.
    virtual bool close() = 0;
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Null when the key does not exist or cannot be read.
    virtual std::unique_ptr<SettingsKey> openForReading() = 0;
    // Null when the key cannot be created or locked for writing.
    virtual std::unique_ptr<SettingsKey> createForWriting() = 0;
};

// The process-wide store the plug-in uses. Not owned; null (the default) means "no store".
SettingsStore* settingsStore() noexcept;
void setSettingsStore(SettingsStore* store) noexcept;

}  // namespace velunor
