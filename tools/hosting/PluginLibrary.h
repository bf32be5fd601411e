#pragma once
// A plug-in binary loaded as a DAW loads it: dlopen, then the VST 2.4 entry point.

#include <memory>
#include <string>

#include "host/VstAbi.h"

namespace velunor::hosting {

class PluginLibrary {
public:
    using EntryPoint = AEffect* (*)(audioMasterCallback host);

    // Null with a message in `error` when the file cannot be loaded or has no VST 2.4 entry point.
    static std::unique_ptr<PluginLibrary> load(const std::string& path, std::string& error);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    EntryPoint entryPoint() const { return entry_; }
    const std::string& path() const { return path_; }

private:
    PluginLibrary(void* handle, EntryPoint entry, std::string path)
        : handle_(handle), entry_(entry), path_(std::move(path)) {}
    void* handle_;
    EntryPoint entry_;
    std::string path_;
};

}  // namespace velunor::hosting
