#pragma once
// Message boxes that are only written down, so that tests can read what the user would have seen.

#include <string>
#include <vector>

#include "platform/DesktopShell.h"

struct RecordedBox {
    std::string text;
    std::string caption;
    bool operator==(const RecordedBox&) const = default;
};

class RecordingMessageBoxes final : public velunor::MessageBoxes {
public:
    RecordingMessageBoxes() { velunor::setMessageBoxes(this); }
    ~RecordingMessageBoxes() override { velunor::setMessageBoxes(nullptr); }
    RecordingMessageBoxes(const RecordingMessageBoxes&) = delete;
    RecordingMessageBoxes& operator=(const RecordingMessageBoxes&) = delete;

    void show(void* /*parentWindow*/, const char* text, const char* caption) override {
        boxes.push_back(RecordedBox{text, caption});
    }

    std::vector<RecordedBox> boxes;
};
