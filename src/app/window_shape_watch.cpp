#include "app/window_shape_watch.h"

WindowShapeWatch::WindowShapeWatch(platform::WindowHandle window) : window_(window), seen_(Read()) {}

WindowShapeWatch::Shape WindowShapeWatch::Read() const {
    Shape shape;
    if (!window_) return shape;
    shape.fullScreen = platform::IsFullScreen(window_);
    platform::GetWindowedSize(window_, &shape.width, &shape.height);
    return shape;
}

bool WindowShapeWatch::Changed(std::uint32_t now) {
    const Shape shape = Read();
    if (shape != seen_) {
        seen_ = shape;
        changedAt_ = now;
    }
    if (!changedAt_ || now - *changedAt_ < kSettleMs) return false;
    changedAt_.reset();
    return true;
}
