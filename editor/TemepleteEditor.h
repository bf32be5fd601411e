#pragma once
// The plug-in's editor: the window's frame, the three front panels (one attached at a time) and,
// below them, the two strips. Host-side parameter changes reach the views here, and control
// gestures become automated parameter changes here.
//
// Threads: only the user-interface thread touches views or the window. That thread is the one
// that called open (its id is kept from then on). setParameter on it applies at once; from any
// other thread it is posted to a mailbox with one slot per index, applied by the next idle in
// index order.

#include <array>
#include <memory>
#include <thread>

#include "core/Relaxed.h"
#include "editor/ParameterMailbox.h"
#include "gui/CBitmap.h"
#include "presets/CPresetSystemEditor.h"

class CQVXMeterFULLPANEL;
class MyFrame;
class Templete;

class TemepleteEditor : public CPresetSystemEditor {
public:
    static constexpr VstInt16 kWidth = 586;
    static constexpr VstInt16 kInitialHeight = 195;
    static constexpr int kFrontPanelHeight = 169;
    static constexpr int kBackgroundPicture = 10000;
    static constexpr VstInt32 kLinearKnobMode = 2;

    explicit TemepleteEditor(Templete* effect);
    ~TemepleteEditor() override;

    bool open(void* parentWindow) override;
    void close() override;
    void idle() override;
    void setParameter(VstInt32 index, float value) override;
    void valueChanged(CControl* control) override;

    // 0 VU, 1 RMS, 2 PPM; -1 before the first selection of a window.
    int currentMeter() const { return currentMeter_; }
    // The front panel of a meter index, while the window is open.
    CQVXMeterFULLPANEL* panel(int meterIndex) const;
    // The window height the strip parameters ask for.
    static int windowHeight(bool strips, bool filtersOpen, bool labelOpen);

private:
    bool onUserInterfaceThread() const { return uiThread_.load() == std::this_thread::get_id(); }
    // Tears the window down without reaching the effect.
    void closeWindow();
    void applyParameter(VstInt32 index, float value);
    void selectMeter(float value);
    void layoutStrips();
    void resizeEditor(int height);
    double blockPhase() const;

    Templete* templete_;
    CBitmap* background_ = nullptr;
    void* parentWindow_ = nullptr;
    // VU, RMS, PPM.
    std::array<std::unique_ptr<CQVXMeterFULLPANEL>, 3> panels_;
    // Strip holders: the filters strip and the label strip hang below the panel; they are built by
    // their own classes, and every call to them below is marked "strip holders".
    int currentMeter_ = 0;
    std::array<int, 3> stripCache_{-1, -1, -1};
    velunor::Relaxed<std::thread::id> uiThread_{};
    ParameterMailbox mailbox_;
};
