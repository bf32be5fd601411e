#pragma once
// Time stamps for audio blocks. The editor interpolates the needles between the start and the end
// of the last block, so the audio thread stamps every block with the same millisecond clock that
// the editor reads, and with 0 while the editor window is closed. The window's frame cannot be
// asked on the audio thread: the user-interface thread may free it at any moment. So the clock is
// process-wide and the "window open" flag is a relaxed atomic the editor keeps.

#include <cstdint>

#include "core/Relaxed.h"

namespace velunor {

// A monotonic millisecond counter (it wraps after 49 days, as a tick count does).
using TickSource = std::uint32_t (*)() noexcept;

// The process-wide clock: std::chrono::steady_clock unless a platform layer installs its own.
std::uint32_t tickCountMs() noexcept;
void setTickSource(TickSource source) noexcept;

class BlockClock {
public:
    void setEditorWindowOpen(bool open) noexcept { windowOpen_ = open; }
    bool editorWindowOpen() const noexcept { return windowOpen_; }

    // The stamp of a block that ends now, in seconds: 0 while the editor window is closed.
    double stampSeconds() const noexcept {
        return windowOpen_ ? static_cast<double>(tickCountMs()) * 0.001 : 0.0;
    }

private:
    Relaxed<bool> windowOpen_{false};
};

}  // namespace velunor
