#include "tools/hosting/PluginLibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace velunor::hosting {

std::unique_ptr<PluginLibrary> PluginLibrary::load(const std::string& path, std::string& error) {
    struct stat info{};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "cannot read plug-in '" + path + "': no such file";
        return nullptr;
    }
    // dlopen searches the library path for a bare name; a file name given by the user is a path.
    const std::string where = path.find('/') == std::string::npos ? "./" + path : path;
    void* handle = dlopen(where.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = "cannot load plug-in '" + path + "': " + (why ? why : "unknown error");
        return nullptr;
    }
    void* symbol = dlsym(handle, "VSTPluginMain");
    if (!symbol) symbol = dlsym(handle, "main");
    if (!symbol) {
        dlclose(handle);
        error = "'" + path + "' is not a VST 2.4 plug-in: it exports neither VSTPluginMain nor main";
        return nullptr;
    }
    return std::unique_ptr<PluginLibrary>(
        new PluginLibrary(handle, reinterpret_cast<EntryPoint>(symbol), path));
}

PluginLibrary::~PluginLibrary() { dlclose(handle_); }

}  // namespace velunor::hosting
