// velunor-settings: reads and writes the plug-in's string settings in the same store the plug-in
// uses, for the installer and for users.
//   velunor-settings get NAME          prints the value; exit 1 when there is none
//   velunor-settings set NAME VALUE
//   velunor-settings delete NAME
//   velunor-settings file              prints where the settings live
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/linux/ProcessSettingsStore.h"

namespace {

constexpr int kOk = 0;
constexpr int kNotFound = 1;
constexpr int kFailed = 2;
constexpr int kUsage = 64;

int usage() {
    std::fputs("usage: velunor-settings get NAME | set NAME VALUE | delete NAME | file\n", stderr);
    return kUsage;
}

int get(velunor::SettingsStore& store, const char* name) {
    auto key = store.openForReading();
    if (!key) return kNotFound;
    velunor::SettingsValueType type{};
    std::size_t size = key->readValue(name, nullptr, 0, &type);
    if (size == 0 || type != velunor::SettingsValueType::String) return kNotFound;
    std::vector<char> text(size);
    key->readValue(name, text.data(), text.size());
    std::fwrite(text.data(), 1, std::strlen(text.data()), stdout);
    std::fputc('\n', stdout);
    return kOk;
}

int change(velunor::SettingsStore& store, const char* name, const char* value) {
    auto key = store.createForWriting();
    if (!key) {
        std::fputs("velunor-settings: the settings cannot be written\n", stderr);
        return kFailed;
    }
    bool ok = value ? key->setString(name, value) : key->deleteValue(name);
    ok = key->close() && ok;
    if (!ok) std::fprintf(stderr, "velunor-settings: could not store \"%s\"\n", name);
    return ok ? kOk : kFailed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    std::string_view command = argv[1];
    velunor::SettingsStore& store = velunor::installProcessSettingsStore();
    if (command == "file" && argc == 2) {
        std::puts(velunor::defaultSettingsFile().c_str());
        return kOk;
    }
    if (command == "get" && argc == 3) return get(store, argv[2]);
    if (command == "set" && argc == 4) return change(store, argv[2], argv[3]);
    if (command == "delete" && argc == 3) return change(store, argv[2], nullptr);
    return usage();
}
