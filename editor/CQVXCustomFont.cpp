#include "editor/CQVXCustomFont.h"

#include <vector>

#include "core/SettingsStore.h"
#include "editor/QVXCoreTextFont.h"

namespace {
constexpr const char* kManualPathValue = "ManualPath";
// The setting holds at most 1025 characters; in UTF-8 that is at most four bytes each.
constexpr std::size_t kManualPathBytes = 1025 * 4;
}  // namespace

CQVXCustomFont::CQVXCustomFont() : CFontDesc("doesn't matter", kSize, kNormalFace) {
    const std::string path = fontFilePath(manualPathSetting());
    if (path.empty()) {
        // No platform font at all, not a system face standing in for the name.
        setPlatformFont(nullptr);
        return;
    }
    auto* font = new QVXCoreTextFont(path.c_str(), kSize, kNormalFace);
    setPlatformFont(font);
    font->forget();
}

CQVXCustomFont* CQVXCustomFont::get() {
    static CQVXCustomFont font;
    return &font;
}

std::string CQVXCustomFont::fontFilePath(std::string_view manualPath) {
    const std::size_t separator = manualPath.find_last_of("/\\");
    if (separator == std::string_view::npos) return {};
    return std::string(manualPath.substr(0, separator + 1)) + kFontFileName;
}

std::string CQVXCustomFont::manualPathSetting() {
    velunor::SettingsStore* store = velunor::settingsStore();
    if (!store) return {};
    auto key = store->openForReading();
    if (!key) return {};
    std::vector<char> buffer(kManualPathBytes + 1, '\0');
    velunor::SettingsValueType type = velunor::SettingsValueType::None;
    const std::size_t size = key->readValue(kManualPathValue, buffer.data(), kManualPathBytes, &type);
    key->close();
    if (size == 0 || type != velunor::SettingsValueType::String) return {};
    return std::string(buffer.data());
}
