#include "player/pickups.h"

#include <algorithm>

#include "core/registry.h"
#include "core/track_value.h"
#include "platform/core/clock.h"
#include "platform/gfx/device.h"
#include "platform/gfx/math.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/textured_mesh.h"
#include "audio/scene_audio.h"
#include "audio/sound_cues.h"

namespace {

struct Placement {
    std::int32_t stage;
    double x, y, z;
};

// Bomb items 8 and 9 stay unplaced.
constexpr Placement kRings[] = {
    {1, 10, 2, 850}, {1, 10, 2, 1300}, {1, 10, 2, 1600}, {2, 0, 0, 800},  {2, 0, 0, 1300},
    {3, 0, 0, 200},  {3, 8, 0, 600},   {3, 8, 0, 1000},  {3, 0, 0, 1200}, {3, 0, 0, 1600},
};
constexpr Placement kBombItems[] = {
    {1, 0, 2, 300}, {1, -10, 2, 850}, {1, -10, 2, 1300}, {1, -10, 2, 1600},
    {2, 0, 0, 400}, {2, 0, 0, 2100},  {3, -8, 0, 600},   {3, -8, 0, 1000},
};

constexpr std::int32_t kAppearMs = 100;
// Everything drifts to z = -10 at 20 units per second.
constexpr double kDriftEnd = -10.0;
constexpr double kMsPerUnit = 50.0;
constexpr std::uint32_t kIdleShrinkMs = 500;
constexpr std::uint32_t kTakenShrinkMs = 1000;
// A pickup this close to the camera's side of the ship is gone.
constexpr double kPassedZ = 1.0;
constexpr double kRisePerFrame = 0.05;
constexpr double kFadePerFrame = 0.05;

void Shrinking(KeyframeTrack& track, std::uint32_t ms) {
    track.SetKeyCount(2);
    track.SetKey(0, 0.0f, 1.0f);
    track.SetKey(1, 1.0f, 0.0f);
    track.SetDuration(ms);
    track.SetLooping(0);
}

void Place(PickupRecord& r, KeyframeTrack& zTrack, const Placement& p, std::uint32_t now) {
    r.shown = 1;
    r.stage = p.stage;
    r.x = p.x;
    r.y = p.y;
    r.z = p.z;
    r.appearTime = kAppearMs;
    zTrack.SetKeyCount(2);
    zTrack.SetKey(0, 0.0f, static_cast<float>(p.z));
    zTrack.SetKey(1, 1.0f, static_cast<float>(kDriftEnd));
    zTrack.SetDuration(static_cast<std::uint32_t>((p.z - kDriftEnd) * kMsPerUnit));
    zTrack.SetLooping(0);
    zTrack.SetStart(now);
}

}  // namespace

Pickups::Pickups() {
    for (KeyframeTrack& t : ringShrink_) Shrinking(t, kIdleShrinkMs);
    for (KeyframeTrack& t : itemShrink_) Shrinking(t, kIdleShrinkMs);
}

bool Pickups::Load() {
    if (!MeshLoad(kAssets[0].path, &ringMesh_, *this, 1.0f)) return LoadFailed(*this, "ringロスト");
    if (!MeshLoad(kAssets[1].path, &bombMesh_, *this, 1.0f)) return LoadFailed(*this, "bombロスト");
    sparkles_.Bind(device_, sprite_, window_);
    return sparkles_.Load();
}

void Pickups::Reset(std::uint32_t now) {
    // Element by element: the hit check holds on to these records.
    for (PickupRecord& r : rings_) r = PickupRecord{};
    for (PickupRecord& r : bombItems_) r = PickupRecord{};
    for (std::size_t i = 0; i < std::size(kRings); ++i) Place(rings_[i], ringZ_[i], kRings[i], now);
    for (std::size_t i = 0; i < std::size(kBombItems); ++i) Place(bombItems_[i], itemZ_[i], kBombItems[i], now);
    sparkles_.Reset();
    ringsShown_ = shownCount_ = 0;
}

bool Pickups::Present(const PickupRecord& r, std::int32_t stage, std::uint32_t elapsed) {
    return r.stage == stage && r.shown && static_cast<std::int64_t>(r.appearTime) < static_cast<std::int64_t>(elapsed);
}

void Pickups::Update(std::uint32_t now) {
    // The pickups resume where the battle stopped them. The shift is made once, whether or not any
    // pickup is left to move, and this is the last of the paused objects, so the news ends here.
    if (IsBossBattleEnded()) {
        const std::uint32_t battle = BossTimerElapsed(now);
        for (Tracks* tracks : {&ringZ_, &itemZ_}) {
            for (KeyframeTrack& t : *tracks) t.SetStart(t.Start() + battle);
        }
    }
    Pass(now, rings_, ringZ_, ringShrink_, false);
    Pass(now, bombItems_, itemZ_, itemShrink_, true);
    SetBossBattleEnded(0);

    const std::int32_t stage = GetStage();
    const std::uint32_t elapsed = StageElapsed();
    shownCount_ = 0;
    for (const PickupRecord& r : rings_) {
        if (Present(r, stage, elapsed)) shown_[static_cast<std::size_t>(shownCount_++)] = r;
    }
    ringsShown_ = shownCount_;
    for (const PickupRecord& r : bombItems_) {
        if (Present(r, stage, elapsed)) shown_[static_cast<std::size_t>(shownCount_++)] = r;
    }
}

void Pickups::Pass(std::uint32_t now, Records& records, Tracks& zTracks, const Tracks& shrinkTracks, bool bombItems) {
    const std::int32_t stage = GetStage();
    const std::uint32_t elapsed = StageElapsed();
    const bool battle = IsBossBattleActive() != 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        PickupRecord& r = records[i];
        if (!Present(r, stage, elapsed)) continue;
        if (!battle) r.z = TrackValue(zTracks[i], now, static_cast<float>(r.z));
        if (r.taken) {
            const double scale = TrackValue(shrinkTracks[i], now, static_cast<float>(r.scaleX));
            r.scaleX = r.scaleY = r.scaleZ = scale;
            if (bombItems) {
                r.y += kRisePerFrame;
                r.alpha -= kFadePerFrame;
            }
        }
        if (r.scaleX <= 0.0 || r.z < kPassedZ) r.shown = 0;
    }
}

void Pickups::Draw() const {
    platform::Device* device = GetDevice();
    device->SetTexture(0, nullptr);
    platform::Matrix world;
    {
        ScopedDrawState state(device, draw_state::kOpaque);
        for (int i = 0; i < ringsShown_; ++i) {
            const PickupRecord& r = shown_[static_cast<std::size_t>(i)];
            platform::MatrixScaling(&world, static_cast<float>(r.scaleX), static_cast<float>(r.scaleY),
                                    static_cast<float>(r.scaleZ));
            SetMatrixTranslation(&world, static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.z));
            device->SetTransform(platform::D3DTS_WORLD, &world);
            DrawMeshSubsets(device, ringMesh_, nullptr);
        }
    }
    for (int i = ringsShown_; i < shownCount_; ++i) DrawBombItem(shown_[static_cast<std::size_t>(i)]);
}

void Pickups::DrawBombItem(const PickupRecord& r) const {
    if (!bombMesh_.mesh) return;
    platform::Device* device = GetDevice();
    platform::Matrix world;
    platform::MatrixScaling(&world, static_cast<float>(r.scaleX), static_cast<float>(r.scaleY),
                            static_cast<float>(r.scaleZ));
    SetMatrixTranslation(&world, static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.z));
    device->SetTransform(platform::D3DTS_WORLD, &world);
    // Untextured, the blend takes its alpha from the lit material, so the fade goes into the diffuse.
    ScopedDrawState state(device, draw_state::kAlphaBlend);
    const auto alpha = static_cast<float>(std::clamp(r.alpha, 0.0, 1.0));
    for (std::uint32_t i = 0; i < bombMesh_.materialCount; ++i) {
        platform::Material faded = bombMesh_.materials[i];
        faded.diffuse.a *= alpha;
        device->SetMaterial(&faded);
        bombMesh_.mesh->DrawSubset(i);
    }
}

void Pickups::TakeRing(std::uint32_t now, int index, PlayerState& ship, ShipLife& life) {
    Take(now, rings_[static_cast<std::size_t>(index)], ringShrink_[static_cast<std::size_t>(index)]);
    sparkles_.Start(now, ship);
    Audio().PlaySound(sound::kRing);
    life.Heal(kRingLife);
}

void Pickups::TakeBombItem(std::uint32_t now, int index, PlayerState& ship) {
    Audio().PlaySound(sound::kBombItem);
    Take(now, bombItems_[static_cast<std::size_t>(index)], itemShrink_[static_cast<std::size_t>(index)]);
    if (ship.bombs < kMaxBombs) ship.bombs += 1;
}

void Pickups::Take(std::uint32_t now, PickupRecord& r, KeyframeTrack& shrink) {
    r.taken = 1;
    shrink.SetDuration(kTakenShrinkMs);
    shrink.SetStart(now);
}

void Pickups::Collect(std::uint32_t now, PlayerState& ship, ShipLife& life) {
    // A wreck drifting through a ring during the game-over fade must not refill the bar behind the screen.
    if (!ship.alive) return;
    const std::int32_t stage = GetStage();
    for (int i = 0; i < kRingCount; ++i) {
        const PickupRecord& r = rings_[static_cast<std::size_t>(i)];
        if (r.stage == stage && r.shown && !r.taken && hits_.ItemTouchesPlayer(r, ship)) TakeRing(now, i, ship, life);
    }
    for (int i = 0; i < kBombItemCount; ++i) {
        const PickupRecord& r = bombItems_[static_cast<std::size_t>(i)];
        if (r.stage == stage && r.shown && !r.taken && hits_.ItemTouchesPlayer(r, ship)) TakeBombItem(now, i, ship);
    }
}
