#include "scenes/story_screen.h"

#include "core/track_value.h"
#include "platform/core/clock.h"
#include "render/loaders.h"
#include "render/picture_drawing.h"

namespace {
constexpr float kStoryScaleY = 0.83f;  // 2048 rows shown as 1700, so the last screenful ends the scroll
constexpr AssetRef kPicture = PictureAsset("t\\story.png");
}  // namespace

std::span<const AssetRef> StoryScreen::Assets() { return {&kPicture, 1}; }

StoryScreen::StoryScreen() {
    static const float kKeys[2][2] = {{0.0f, 0.0f}, {1.0f, -1100.0f}};
    scroll_.SetKeyCount(2);
    SetKeys(scroll_, kKeys);
    scroll_.SetDuration(50000);
    scroll_.SetLooping(0);
    scroll_.SetStart(0);
}

bool StoryScreen::Load() {
    if (!TextureLoadKeyed(kPicture.path, &picture_, *this, kPicture.colourKey)) return LoadFailed(*this, "stroyロスト");
    return true;
}

void StoryScreen::Step(std::uint32_t now) { shownY_ = TrackValue(scroll_, now); }

void StoryScreen::Draw() {
    DrawPicture(*this, picture_.get(), nullptr, 0.0f, shownY_, kFullScreenScaleX, kStoryScaleY, kOpaqueWhite);
}

bool StoryScreen::RunOut(std::uint32_t now) const { return TrackRunOut(scroll_.Start(), scroll_.Duration(), now); }
