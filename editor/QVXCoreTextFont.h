#pragma once
// The private font: read from its file for this process alone, the first time text is drawn or
// measured with it. Until then, and for good when the file is missing or is no font, its metrics
// are -1, nothing is drawn and every text measures 0.

#include <string>

#include "gui/IPlatformFont.h"

class QVXCoreTextFont : public IPlatformFont, public IFontPainter {
public:
    // `size` is the description's size in pixels; `style` its CTxtFace bits.
    QVXCoreTextFont(const char* path, CCoord size, int32 style);
    ~QVXCoreTextFont() override;
    QVXCoreTextFont(const QVXCoreTextFont&) = delete;

    const std::string& getPath() const { return path_; }
    // The file name without its extension.
    std::string getFaceName() const;
    // True once the file has been read and is a usable font.
    bool isLoaded() const { return font_ != nullptr; }

    double getAscent() const override;
    double getDescent() const override;
    double getLeading() const override;
    double getCapHeight() const override { return -1; }
    // Reads the file on the first call; null when it is not a usable font.
    IFontPainter* getPainter() override;

    void drawString(CDrawContext* context, const char* utf8, const CPoint& baseline, bool antialias) override;
    CCoord getStringWidth(CDrawContext* context, const char* utf8, bool antialias) override;

private:
    IPlatformFont* drawingFont();

    std::string path_;
    CCoord size_;
    int32 style_;
    IPlatformFont* font_ = nullptr;
    bool tried_ = false;
};
