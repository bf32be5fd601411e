#pragma once
// The text of the settings file: registry export syntax ("REGEDIT4", one key section, one line per
// value). Parsing is forgiving on purpose: a line that cannot be understood costs that value only,
// and everything that is understood, including values and sections this plug-in does not know, is
// written back unchanged.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/SettingsStore.h"

namespace velunor {

class RegistryFile {
public:
    // Registry value types as the export syntax numbers them.
    static constexpr std::uint32_t kString = 1;
    static constexpr std::uint32_t kBinary = 3;
    static constexpr std::uint32_t kDword = 4;

    struct Value {
        std::string name;
        std::uint32_t registryType = kBinary;
        std::string data;  // raw bytes; a string without its terminating zero
    };

    // The key every value of this file belongs to.
    static constexpr std::string_view kKeyPath = "HKEY_CURRENT_USER\\SOFTWARE\\Vantorell\\QVXVELUNOR300";

    static RegistryFile parse(std::string_view text);
    std::string serialize() const;

    // Value names compare as the registry compares them: ASCII letters without regard to case.
    const Value* find(std::string_view name) const;
    // False for a name the file cannot hold (empty, control characters, not UTF-8).
    bool set(std::string_view name, std::uint32_t registryType, std::string_view data);
    // False when there was no such value.
    bool remove(std::string_view name);

    const std::vector<Value>& values() const { return values_; }

    static SettingsValueType apiType(std::uint32_t registryType);
    static bool isPlainText(std::string_view bytes);

private:
    std::vector<Value> values_;
    // Sections of other keys, kept verbatim.
    std::vector<std::string> foreignLines_;
};

}  // namespace velunor
