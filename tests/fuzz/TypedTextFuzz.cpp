// Typed text is outside input: any key sequence must leave the edit box with whole characters,
// within its limit and with its caret and selection on character boundaries; what a field keeps
// of it must end on a character boundary within the field's limit, and every text must read as a
// finite number.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editor/NumberText.h"
#include "gui/CFrame.h"
#include "gui/CTextEditBox.h"
#include "gui/Utf8Text.h"
#include "gui/VirtualKeys.h"

namespace {

void require(bool ok) {
    if (!ok) std::abort();
}

bool isWholeUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > text.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if (!utf8::isContinuation(text[i + k])) return false;
        i += n;
    }
    return true;
}

bool onBoundary(std::string_view text, std::size_t pos) {
    return pos <= text.size() && (pos == text.size() || !utf8::isContinuation(text[pos]));
}

struct Ignore : CTextEditBoxListener {
    void editBoxChanged(CTextEditBox&) override {}
    void editBoxEnded(CTextEditBox&, bool) override {}
    void editBoxRemoved(CTextEditBox&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string raw(reinterpret_cast<const char*>(data), size);
    const double number = velunor::editor::parseNumberText(raw.c_str());
    require(number == number && number - number == 0);

    static CFrame* frame = [] {
        auto* f = new CFrame(CRect(0, 0, 100, 20), nullptr);
        f->open(nullptr);
        return f;
    }();
    Ignore listener;
    // A field's text may itself come from outside (a restored track label); the box starts from it
    // when it is whole UTF-8.
    const char* initial = isWholeUtf8(raw) ? raw.c_str() : "";
    auto* box = new CTextEditBox(CRect(0, 0, 100, 20), &listener, initial, nullptr, kWhiteCColor, kLeftText);
    frame->addView(box);
    frame->setFocusView(box);
    // Three bytes a key: a virtual key (most often none), a modifier and a character.
    for (std::size_t i = 0; i + 3 <= size; i += 3) {
        VstKeyCode key{};
        key.virt = data[i] % 4 == 0 ? static_cast<unsigned char>(data[i] / 4 % (VKEY_EQUALS + 1)) : 0;
        if (key.virt == VKEY_RETURN || key.virt == VKEY_ENTER || key.virt == VKEY_TAB || key.virt == VKEY_ESCAPE)
            key.virt = VKEY_LEFT;
        key.modifier = data[i + 1] & 0x0f;
        key.character = data[i + 2] < 0x80 ? data[i + 2] : 0x80 + data[i + 2] * 0x2f1;
        frame->onKeyDown(key);
        const std::string& text = box->getText();
        require(isWholeUtf8(text));
        require(utf8::countCharacters(text) <= CTextEditBox::kMaxCharacters);
        require(onBoundary(text, box->getSelectionStart()) && onBoundary(text, box->getSelectionEnd()));
        require(onBoundary(text, box->getCaret()));
        const std::string_view kept = utf8::cut(text, 29);
        require(kept.size() <= 29 && onBoundary(text, kept.size()));
        const double typed = velunor::editor::parseNumberText(std::string(kept).c_str());
        require(typed == typed && typed - typed == 0);
    }
    frame->removeView(box);
    return 0;
}
