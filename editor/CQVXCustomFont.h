#pragma once
// The description of the private font that the track name is drawn in. One exists for the
// process, made at its first use: the font file "QVXVelunor.qxf" lies in the folder of the user
// manual that "ManualPath" names. Without that setting there is no font at all (a font file is
// outside input, and the host's current folder is no place to take one from): text in it is not
// drawn, and edits of it open in a substitute face.

#include <string>
#include <string_view>

#include "gui/CFontDesc.h"

class CQVXCustomFont : public CFontDesc {
public:
    static constexpr const char* kFontFileName = "QVXVelunor.qxf";
    static constexpr CCoord kSize = 38;

    // The process's description; reads the setting and names the file on the first call.
    static CQVXCustomFont* get();
    // The font file for a "ManualPath" value: the manual's folder plus kFontFileName; empty when
    // the value names no folder.
    static std::string fontFilePath(std::string_view manualPath);
    // The "ManualPath" setting; empty when the store, the key or the value is missing.
    static std::string manualPathSetting();

    CQVXCustomFont(const CQVXCustomFont&) = delete;

private:
    CQVXCustomFont();
};
