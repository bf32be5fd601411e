#include <fstream>

#include "tools/hosting/PluginInstance.h"
#include "tools/velunor-host/Commands.h"

namespace velunor::hostcli {

int saveStateChunk(hosting::PluginInstance& plugin, const std::string& path) {
    void* data = nullptr;
    const VstIntPtr size = plugin.dispatch(effGetChunk, 0, 0, &data);
    if (size <= 0 || !data) return fail("the plug-in gave no state chunk to save");
    std::ofstream file(path, std::ios::binary);
    file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!file) return fail("cannot write chunk file '" + path + "'");
    return kExitOk;
}

}  // namespace velunor::hostcli
