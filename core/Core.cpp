#include <atomic>
#include <chrono>

#include "core/BlockClock.h"
#include "core/EditorFactory.h"
#include "core/SettingsStore.h"

namespace velunor {
namespace {

std::uint32_t steadyTickMs() noexcept {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::atomic<SettingsStore*> gStore{nullptr};
std::atomic<TickSource> gTickSource{&steadyTickMs};
std::atomic<EditorFactory> gEditorFactory{nullptr};

}  // namespace

SettingsStore* settingsStore() noexcept { return gStore.load(std::memory_order_acquire); }
void setSettingsStore(SettingsStore* store) noexcept { gStore.store(store, std::memory_order_release); }

std::uint32_t tickCountMs() noexcept { return gTickSource.load(std::memory_order_relaxed)(); }
void setTickSource(TickSource source) noexcept {
    gTickSource.store(source ? source : &steadyTickMs, std::memory_order_relaxed);
}

void setEditorFactory(EditorFactory factory) noexcept {
    gEditorFactory.store(factory, std::memory_order_release);
}
AEffEditor* createEditor(AudioEffect* effect) {
    EditorFactory factory = gEditorFactory.load(std::memory_order_acquire);
    return factory ? factory(effect) : nullptr;
}

}  // namespace velunor
