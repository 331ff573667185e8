#include "scenes/camera_director.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/angles.h"
#include "core/registry.h"
#include "core/track_value.h"
#include "platform/core/clock.h"
#include "platform/gfx/device.h"
#include "platform/gfx/device_types.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "scenes/game_device_state.h"

namespace {

struct Key {
    float phase;
    float value;
};

// Keys of each move's six tracks: eye x, y, z, look-at x, y, z.
const std::vector<Key> kMoves[CameraDirector::kSequenceCount][6] = {
    {{{0, 20}, {1, 0}}, {{0, -5}, {0.5f, 0}, {1, 4}}, {{0, 0}, {0.5f, -60}, {1, 0}},
     {{0, 5}, {1, 0}}, {{0, 0}, {1, 0}}, {{0, 30}, {1, 20}}},
    {{{0, -5}, {1, 0}}, {{0, 10}, {1, 4}}, {{0, 7.5f}, {1, 0.5f}},
     {{0, 0}, {1, 0}}, {{0, 0}, {1, 0}}, {{0, 0}, {1, 20}}},
    {{{0, 0}, {1, 0}}, {{0, 30}, {1, 4}}, {{0, 0}, {0.5f, 20}, {1, 0}},
     {{0, 0}, {1, 0}}, {{0, 0}, {1, 0}}, {{0, 0}, {1, 20}}},
    {{{0, 0}, {1, 0}}, {{0, 0}, {1, 4}}, {{0, 20}, {0.5f, 40}, {1, 0}},
     {{0, 0}, {1, 0}}, {{0, 0}, {1, 0}}, {{0, 0}, {1, 20}}},
    {{{0, 10}, {1, 0}}, {{0, 0}, {0.5f, 10}, {1, 4}}, {{0, 10}, {0.5f, 20}, {1, 0}},
     {{0, 0}, {1, 0}}, {{0, 0}, {1, 0}}, {{0, 0}, {1, 20}}},
    {{{0, 10}, {1, 50}}, {{0, 0}, {0.5f, 10}, {1, 4}}, {{0, 10}, {0.5f, 20}, {1, 0}},
     {{0, 0}, {1, 0}}, {{0, 10}, {1, 0}}, {{0, 0}, {1, 20}}},
};

// The second move is the long one.
constexpr std::uint32_t kMoveMs[CameraDirector::kSequenceCount] = {3000, 5000, 3000, 3000, 3000, 3000};

struct Piece {
    int portrait;  // index into the six portraits
    platform::Rect source;
    platform::Vector2 at;
};

const Piece kPieces[CameraDirector::kSequenceCount][3] = {
    {{0, {105, 0, 410, 80}, {400, 20}}, {0, {0, 100, 500, 330}, {100, 100}}, {0, {0, 370, 500, 460}, {100, 350}}},
    {{0, {105, 0, 410, 80}, {400, 20}}, {1, {0, 100, 510, 270}, {100, 120}}, {1, {0, 310, 500, 460}, {100, 350}}},
    {{2, {105, 0, 410, 80}, {400, 20}}, {2, {0, 100, 512, 350}, {100, 100}}, {2, {0, 340, 500, 500}, {100, 340}}},
    {{3, {105, 0, 410, 80}, {400, 20}}, {3, {0, 100, 500, 330}, {100, 100}}, {3, {0, 370, 500, 460}, {100, 350}}},
    {{4, {105, 0, 410, 80}, {400, 20}}, {4, {0, 100, 500, 320}, {100, 100}}, {4, {0, 320, 500, 460}, {100, 350}}},
    {{5, {105, 0, 410, 80}, {400, 20}}, {5, {105, 95, 415, 310}, {100, 100}}, {5, {30, 345, 485, 490}, {100, 350}}},
};

constexpr AssetRef kPortraits[CameraDirector::kSequenceCount] = {
    PictureAsset("t\\boss01.png"), PictureAsset("t\\boss02.png"), PictureAsset("t\\boss03.png"),
    PictureAsset("t\\boss04.png"), PictureAsset("t\\boss05.png"), PictureAsset("t\\boss06.png")};

}  // namespace

std::span<const AssetRef> CameraDirector::Assets() { return kPortraits; }

CameraDirector::CameraDirector() {
    for (int s = 0; s < kSequenceCount; ++s) {
        for (int t = 0; t < 6; ++t) {
            KeyframeTrack& track = sequences_[s][t];
            const std::vector<Key>& keys = kMoves[s][t];
            track.SetKeyCount(static_cast<int>(keys.size()));
            for (std::size_t k = 0; k < keys.size(); ++k) {
                track.SetKey(static_cast<int>(k), keys[k].phase, keys[k].value);
            }
            track.SetDuration(kMoveMs[s]);
            track.SetLooping(0);
            track.SetStart(0);
        }
    }
    shake_.SetKeyCount(2);
    shake_.SetKey(0, 0.0f, 0.0f);
    shake_.SetKey(1, 1.0f, 720.0f);
    shake_.SetLooping(0);
    shake_.SetStart(0);
    shake_.SetDuration(0);
}

void CameraDirector::SetDefaults(platform::Vector3 eye, platform::Vector3 lookAt) {
    defaultEye_ = eye;
    defaultLookAt_ = lookAt;
    eye_ = eye;
    lookAt_ = lookAt;
}

bool CameraDirector::LoadPortraits() {
    for (std::size_t i = 0; i < std::size(kPortraits); ++i) {
        if (!TextureLoadKeyed(kPortraits[i].path, &portraits_[i], *this, kPortraits[i].colourKey)) {
            return LoadFailed(*this, LostText(kPortraits[i].path));
        }
    }
    return true;
}

void CameraDirector::Reset() {
    running_.fill(0);
    kind7_ = 0;
    SetCameraCutIn(0, 0);
    shakeRequest_ = 0;
    shake_.SetStart(0);
    shake_.SetDuration(0);
    eye_ = platform::Vector3{defaultEye_.x, defaultEye_.y, 0.0f};
    lookAt_ = platform::Vector3{defaultLookAt_.x, defaultLookAt_.y, 20.0f};
}

void CameraDirector::StartSequence(int sequence, std::uint32_t now) {
    for (KeyframeTrack& track : sequences_[sequence]) track.SetStart(now);
    running_[static_cast<std::size_t>(sequence)] = 1;
}

void CameraDirector::Step(std::uint32_t now) {

    if (IsCameraCutInActive()) {
        const std::int32_t kind = GetCameraCutInIndex();
        if (kind >= 1 && kind <= kSequenceCount) {
            if (!running_[static_cast<std::size_t>(kind - 1)]) StartSequence(kind - 1, now);
        } else if (kind == kSilentKind) {
            if (!running_[kSequenceCount - 1]) {
                StartSequence(kSequenceCount - 1, now);
                kind7_ = 1;
            }
        }
    }

    if (IsCameraCutInActive()) {
        bool playing = false;
        for (int s = 0; s < kSequenceCount && !playing; ++s) {
            if (!running_[static_cast<std::size_t>(s)]) continue;
            playing = true;
            const KeyframeTrack& eyeX = sequences_[s][0];
            const std::uint32_t end = eyeX.Start() + eyeX.Duration();
            const std::uint32_t t = std::min(now, end);
            float v[6];
            for (int i = 0; i < 6; ++i) v[i] = TrackValue(sequences_[s][i], t);
            eye_ = platform::Vector3{v[0], v[1], v[2]};
            lookAt_ = platform::Vector3{v[3], v[4], v[5]};
            if (now >= end) {
                running_[static_cast<std::size_t>(s)] = 0;
                if (s == kSequenceCount - 1) kind7_ = 0;
                SetCameraCutIn(0, 0);
            }
        }
        // A request that started nothing (an unknown kind) would hold the input back for ever.
        if (!playing) SetCameraCutIn(0, 0);
    }

    if (IsCameraCutInActive()) return;

    eye_ = platform::Vector3{defaultEye_.x, defaultEye_.y, 0.0f};
    lookAt_ = platform::Vector3{defaultLookAt_.x, defaultLookAt_.y, 20.0f};

    if (shakeRequest_ == 1) {
        shake_.SetDuration(kShakeMs);
        shake_.SetStart(now);
        shakeRequest_ = 0;
    }
    if (now < shake_.Start() + shake_.Duration()) {
        eye_.x += static_cast<float>(std::sin(TrackValue(shake_, now) * kRadiansPerDegree));
    }
}

void CameraDirector::KeepView() {
    shownEye_ = eye_;
    shownLookAt_ = lookAt_;
}

bool CameraDirector::DrawView() const {
    if (!SetGameCamera(device_, shownEye_, shownLookAt_)) return false;
    // Lasting settings of the lit scene, put back at every frame's start rather than scoped: drawings
    // that still leave them changed must not carry that into the next frame.
    device_->SetRenderState(platform::D3DRS_LIGHTING, 1);
    device_->SetRenderState(platform::D3DRS_SHADEMODE, platform::D3DSHADE_GOURAUD);
    device_->SetRenderState(platform::D3DRS_AMBIENT, 0x00808080u);
    return true;
}

void CameraDirector::KeepPortraits() {
    for (int s = 0; s < kSequenceCount; ++s) {
        const bool silent = s == kSequenceCount - 1 && kind7_;
        shownPortraits_[static_cast<std::size_t>(s)] = running_[static_cast<std::size_t>(s)] != 0 && !silent ? 1 : 0;
    }
}

void CameraDirector::DrawPortraits() {
    // The pictures' own colour and alpha: the half-transparent colour they are drawn with does not
    // reach them.
    ScopedDrawState ownAlpha(device_, draw_state::kAlphaBlend);
    for (int s = 0; s < kSequenceCount; ++s) {
        if (!shownPortraits_[static_cast<std::size_t>(s)]) continue;
        for (const Piece& piece : kPieces[s]) {
            DrawPortraitSprite(*this, portraits_[static_cast<std::size_t>(piece.portrait)].get(), &piece.source,
                               piece.at);
        }
    }
}
