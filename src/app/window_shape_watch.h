#pragma once
// Full screen or a window, and the window's size: a change the player made, by a key, the panel or the
// window's frame, is told once it has stood for a moment, so that a window dragged to a new size is
// told once and not at every step of the drag.

#include <cstdint>
#include <optional>

#include "platform/core/window.h"

class WindowShapeWatch {
public:
    static constexpr std::uint32_t kSettleMs = 500;

    explicit WindowShapeWatch(platform::WindowHandle window);
    // True once for each change, at the first look after it has stood kSettleMs.
    bool Changed(std::uint32_t now);

private:
    struct Shape {
        bool fullScreen = false;
        int width = 0;
        int height = 0;
        bool operator==(const Shape&) const = default;
    };
    Shape Read() const;

    platform::WindowHandle window_;
    Shape seen_;
    std::optional<std::uint32_t> changedAt_;
};
