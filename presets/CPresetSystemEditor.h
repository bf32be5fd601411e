#pragma once
// The preset-system layer of the editor. In this plug-in it handles the manual button, keeps the
// record of the working folder that is written to the settings when the editor object goes away,
// and is told when the program is renamed. The plug-in's editor derives from it and hands every
// control change to valueChanged here first; an editor that overrides idle calls this idle too,
// which is where a manual that failed to open late is reported.

#include <string>

#include "gui/AEffGUIEditor.h"
#include "gui/CControlListener.h"

class CPresetSystemEditor : public AEffGUIEditor, public CControlListener {
public:
    static constexpr int kManualButtonTag = 121;

    // The two texts the user may see, with their captions.
    static constexpr const char* kNoViewerText = "Make sure Acrobat Reader is installed";
    static constexpr const char* kNoViewerCaption = "Could not open manual file";
    static constexpr const char* kCannotOpenText = "Could not open user manual";
    static constexpr const char* kCannotOpenCaption = "";

    explicit CPresetSystemEditor(AudioEffect* effect);
    ~CPresetSystemEditor() override;

    void valueChanged(CControl* control) override;
    void idle() override;
    // This plug-in shows no program name.
    void programNameChanged(const char* /*name*/) override {}

    const std::string& currentFolder() const { return currentFolder_; }

private:
    void openManual();
    void reportOpenResult(int result);
    void writeFolderRecord() const;
    void* messageBoxParent() const;

    std::string currentFolder_;
    std::string currentBank_;
    std::string currentPreset_;
};
