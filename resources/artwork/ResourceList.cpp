#include "resources/artwork/ResourceList.h"

#include <fstream>
#include <set>
#include <sstream>

namespace velunor::artwork {

ResourceListResult readResourceList(const std::string& path) {
    ResourceListResult result;
    std::ifstream in(path);
    if (!in) {
        result.error = "cannot read " + path;
        return result;
    }
    std::set<int> ids;
    std::set<std::string> files;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        std::istringstream fields(line);
        ResourceEntry e;
        if (!(fields >> e.id >> e.file >> e.width >> e.height >> e.frames)) {
            result.error = path + ":" + std::to_string(number) + ": expected id file width height frames";
            return result;
        }
        std::getline(fields >> std::ws, e.what);
        if (e.width <= 0 || e.height <= 0 || e.frames <= 0 || e.height % e.frames != 0) {
            result.error = path + ":" + std::to_string(number) + ": size or frame count does not fit";
            return result;
        }
        if (!ids.insert(e.id).second || !files.insert(e.file).second) {
            result.error = path + ":" + std::to_string(number) + ": number or file listed twice";
            return result;
        }
        result.entries.push_back(std::move(e));
    }
    return result;
}

}  // namespace velunor::artwork
