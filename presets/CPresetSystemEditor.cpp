#include "presets/CPresetSystemEditor.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

#include "core/SettingsStore.h"
#include "gui/CControl.h"
#include "platform/DesktopShell.h"

namespace {

// "ManualPath" holds at most 1024 UTF-16 characters, which take at most three bytes each in UTF-8.
constexpr std::size_t kManualPathBytes = 3 * 1024 + 1;

// The whole working folder, however long; empty when there is none (it was removed, or is not
// reachable any more).
std::string workingFolder() {
    std::vector<char> buffer(256);
    while (true) {
        if (::getcwd(buffer.data(), buffer.size())) return std::string(buffer.data());
        if (errno != ERANGE) return {};
        buffer.resize(buffer.size() * 2);
    }
}

// Empty when the value is missing, or longer than a registry path may be: a cut path names some
// other file.
std::string readManualPath() {
    velunor::SettingsStore* store = velunor::settingsStore();
    if (!store) return {};
    auto key = store->openForReading();
    if (!key) return {};
    std::vector<char> buffer(kManualPathBytes, '\0');
    velunor::SettingsValueType type = velunor::SettingsValueType::None;
    std::size_t size = key->readValue("ManualPath", buffer.data(), buffer.size(), &type);
    if (type != velunor::SettingsValueType::String || size > buffer.size()) return {};
    return std::string(buffer.data());
}

}  // namespace

CPresetSystemEditor::CPresetSystemEditor(AudioEffect* effect)
    : AEffGUIEditor(effect), currentFolder_(workingFolder()) {}

CPresetSystemEditor::~CPresetSystemEditor() {
    velunor::documentOpener().forget(this);
    writeFolderRecord();
}

void CPresetSystemEditor::writeFolderRecord() const {
    velunor::SettingsStore* store = velunor::settingsStore();
    if (!store) return;
    auto key = store->createForWriting();
    if (!key) return;
    key->setString("CurrDir", currentFolder_.c_str());
    key->setString("CurrBank", currentBank_.c_str());
    key->setString("CurrPreset", currentPreset_.c_str());
    key->close();
}

void CPresetSystemEditor::valueChanged(CControl* control) {
    if (control && control->getTag() == kManualButtonTag) openManual();
}

void CPresetSystemEditor::openManual() {
    const std::string path = readManualPath();
    reportOpenResult(velunor::documentOpener().open(path.c_str(), this, messageBoxParent()));
}

void CPresetSystemEditor::reportOpenResult(int result) {
    if (velunor::shell_result::succeeded(result)) return;
    velunor::MessageBoxes& boxes = velunor::messageBoxes();
    if (result == velunor::shell_result::kNoAssociation)
        boxes.show(messageBoxParent(), kNoViewerText, kNoViewerCaption);
    else
        boxes.show(messageBoxParent(), kCannotOpenText, kCannotOpenCaption);
}

void CPresetSystemEditor::idle() {
    AEffGUIEditor::idle();
    while (auto late = velunor::documentOpener().collectFailure(this)) reportOpenResult(*late);
    velunor::messageBoxes().idle();
}

void* CPresetSystemEditor::messageBoxParent() const { return frame ? systemWindow_ : nullptr; }
