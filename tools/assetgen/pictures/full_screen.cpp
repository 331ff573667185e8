#include "assetgen/pictures/full_screen.h"

namespace assetgen::pictures {

Canvas DrawStretched(int shownWidth, int shownHeight, int fileWidth, int fileHeight,
                     const std::function<void(Canvas&)>& draw) {
    Canvas shown(shownWidth, shownHeight);
    draw(shown);
    return Resample(shown, fileWidth, fileHeight);
}

Canvas DrawFullScreen(const std::function<void(Canvas&)>& draw) {
    return DrawStretched(kScreenWidth, kScreenHeight, 1024, 1024, draw);
}

}  // namespace assetgen::pictures
