#include "player/player.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>

#include "core/angles.h"
#include "core/registry.h"
#include "core/track_value.h"
#include "effects/explosion.h"
#include "collision/enemy_record.h"
#include "collision/enemy_shot_record.h"
#include "platform/core/clock.h"
#include "platform/core/random.h"
#include "platform/gfx/device.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/textured_mesh.h"
#include "render/textured_quad.h"
#include "audio/scene_audio.h"
#include "collision/scenery_items.h"
#include "audio/sound_cues.h"

using namespace platform;

namespace {

constexpr std::uint32_t kTiltMs = 100;
constexpr std::uint32_t kRollEaseMs = 500;
constexpr std::uint32_t kTiltEaseMs = 300;
constexpr std::uint32_t kWobbleMs = 500;
constexpr std::uint32_t kGlideMs = 2000;
constexpr float kDashRoll = 3.0f;

// A play-once pass is over once its whole duration has gone by. (At exactly start + duration the
// track would read its first key again, so that tick already counts as over.)
bool Finished(const KeyframeTrack& track, std::uint32_t now) { return now - track.Start() >= track.Duration(); }

// From a to a + d over ms, holding the target for the last tenth; towards 0 when d is 0.
void Restart(KeyframeTrack& track, double a, double d, std::uint32_t ms, std::uint32_t now) {
    const auto target = static_cast<float>(d == 0.0 ? 0.0 : a + d);
    track.SetKeyCount(3);
    track.SetKey(0, 0.0f, static_cast<float>(a));
    track.SetKey(1, 0.9f, target);
    track.SetKey(2, 1.0f, target);
    track.SetDuration(ms);
    track.SetLooping(0);
    track.SetStart(now);
}

void HoldAtZero(KeyframeTrack& track, std::uint32_t now) {
    track.SetKeyCount(2);
    track.SetKey(0, 0.0f, 0.0f);
    track.SetKey(1, 1.0f, 0.0f);
    track.SetDuration(50);
    track.SetLooping(0);
    track.SetStart(now);
}

}  // namespace

Player::Player() {
    static const float kWobble[5][2] = {{0.0f, 0.0f}, {0.25f, 30.0f}, {0.5f, 0.0f}, {0.75f, -30.0f}, {1.0f, 0.0f}};
    wobble_.SetKeyCount(5);
    SetKeys(wobble_, kWobble);
    wobble_.SetLooping(0);
    wobble_.SetDuration(kWobbleMs);
    for (KeyframeTrack* t : {&pitchTrack_, &yawTrack_, &rollTrack_}) HoldAtZero(*t, 0);

    for (int i = 0; i < kSparkCount; ++i) {
        const double r0 = 0.5 + (Rand() % 20) * 0.025;
        const auto life = static_cast<std::uint32_t>((1.5 - r0) * 500.0);
        sparkRadius_[i].SetKeyCount(2);
        sparkRadius_[i].SetKey(0, 0.0f, static_cast<float>(r0));
        sparkRadius_[i].SetKey(1, 1.0f, 1.5f);
        sparkAlpha_[i].SetKeyCount(2);
        sparkAlpha_[i].SetKey(0, 0.0f, 1.0f);
        sparkAlpha_[i].SetKey(1, 1.0f, 0.0f);
        for (KeyframeTrack* t : {&sparkRadius_[i], &sparkAlpha_[i]}) {
            t->SetDuration(life);
            t->SetLooping(0);
            t->SetStart(0);
        }
    }

    for (StepTrack* t : {&flameU_, &flameV_}) {
        t->Reserve(5);
        for (int k = 0; k < 5; ++k) t->SetKey(k, 0.25f * static_cast<float>(k), 0.25f * static_cast<float>(k));
        t->SetLooping(1);
    }
    flameU_.SetDuration(800);
    flameV_.SetDuration(200);

    for (KeyframeTrack* t : {&glideX_, &glideY_}) {
        t->SetKeyCount(2);
        t->SetKey(0, 0.0f, 0.0f);
        t->SetKey(1, 1.0f, 0.0f);
        t->SetDuration(kGlideMs);
        t->SetLooping(0);
        t->SetStart(0);
    }
}

bool Player::Load() {
    if (!MeshLoad(kAssets[0].path, &mesh_, *this, 1.0f)) return LoadFailed(*this, "plu2cロスト");
    if (!TextureLoad(kAssets[1].path, &sparkPicture_, *this)) return LoadFailed(*this, "dashsparkロスト");
    if (!TextureLoad(kAssets[2].path, &flamePicture_, *this)) return LoadFailed(*this, "booster 2ロスト");
    if (!TextureLoad(kAssets[3].path, &wingPicture_, *this)) return LoadFailed(*this, "lightwingロスト");

    CreateSquareQuad(*this, 0.1f, 1.0f, 1.0f, 0xFFFFFFFFu, &sparkQuad_);
    // One cell of the 4 x 4 flame and wing sheets; the texture offset picks the cell.
    CreateSquareQuad(*this, 1.5f, 0.25f, 0.25f, 0xFFFFFFFFu, &flameQuad_);

    for (Drawable* part : std::initializer_list<Drawable*>{&gun_, &bomb_, &pickups_, &flash_, &sight_}) {
        part->Bind(device_, sprite_, window_);
    }
    return gun_.Load() && bomb_.Load() && pickups_.Load() && flash_.Load() && sight_.Load();
}

void Player::AppendAssets(std::vector<platform::PrefetchItem>* out) {
    AppendPrefetch(kAssets, out);
    AppendPrefetch(MainGun::kAssets, out);
    AppendPrefetch(HomingBomb::kAssets, out);
    AppendPrefetch(Pickups::kAssets, out);
    AppendPrefetch(Sparkles::kAssets, out);
    AppendPrefetch(DamageFlash::kAssets, out);
}

void Player::ResetCommon(std::uint32_t now) {
    for (KeyframeTrack* t : {&pitchTrack_, &yawTrack_, &rollTrack_}) HoldAtZero(*t, now);
    tiltStep_ = 0.8;
    flameU_.SetStart(now);
    flameV_.SetStart(now);
    for (FlameQuad& f : flames_) {
        f = FlameQuad{};
        f.active = 1;
    }
    dashing_ = 0;
    dashRunning_ = 0;
    // The next confined flight glides to the centre again; a glide cut short lets the buttons go.
    glideX_.SetStart(0);
    if (gliding_) state_.centring = 0;
    gliding_ = 0;
    // A flash still running from the stage before would keep the ship immune into the next.
    flash_.Reset();
    gun_.Reset();
    bomb_.Reset();
    pickups_.Reset(now);
}

void Player::ResetForNewGame(std::uint32_t now) {
    state_ = PlayerState::NewGame();
    dashReady_ = 1;
    ResetCommon(now);
}

void Player::ResetForStage(std::uint32_t now) { ResetCommon(now); }

void Player::Control(std::uint32_t now) {
    gun_.Expire(now);
    // The frame's one tick for the controls and the movement: a tilt restarted and read in the same
    // millisecond stands at its target at once, which is what builds the tilt by a step every frame.
    Controls(now);
    if (state_.alive) Movement(now);
    // Kept for the draw: a boss's step later in the frame may move the ship, which this frame still shows
    // where its own flight left it.
    aliveShown_ = state_.alive != 0;
    shipShown_ = Pose{state_.x, state_.y, state_.z, state_.yaw, state_.pitch, state_.roll};
    UpdateAimPoints();
}

void Player::Controls(std::uint32_t now) {
    PlayerState& s = state_;
    dashing_ = 0;
    moved_ = 0;

    // The first control step of a confined flight starts the glide to the centre, once per stage.
    if (IsFlightAreaConfined() && glideX_.Start() == 0 && s.centring == 0) {
        glideX_.SetKey(0, 0.0f, static_cast<float>(s.x));
        glideY_.SetKey(0, 0.0f, static_cast<float>(s.y));
        glideX_.SetStart(now - 100);
        glideY_.SetStart(now - 100);
        s.centring = 1;
        gliding_ = 1;
    }

    if (codes_.up == kInputUp && !s.centring) {
        moved_ = 1;
        if (s.pitch > -kTiltLimit && !dashRunning_) Restart(pitchTrack_, s.pitch, -tiltStep_, kTiltMs, now);
        s.prevY = s.y;
        s.y += s.speedY;
    }
    if (codes_.down == kInputDown && !s.centring) {
        moved_ = 1;
        if (s.pitch < kTiltLimit && !dashRunning_) Restart(pitchTrack_, s.pitch, tiltStep_, kTiltMs, now);
        s.prevY = s.y;
        s.y -= s.speedY;
    }
    if (codes_.right == kInputRight && !s.centring) {
        moved_ = 1;
        if (s.yaw < kTiltLimit && !dashRunning_) Restart(yawTrack_, s.yaw, tiltStep_, kTiltMs, now);
        s.prevX = s.x;
        s.x += s.speedX;
    }
    if (codes_.left == kInputLeft && !s.centring) {
        moved_ = 1;
        if (s.yaw > -kTiltLimit && !dashRunning_) Restart(yawTrack_, s.yaw, -tiltStep_, kTiltMs, now);
        s.prevX = s.x;
        s.x -= s.speedX;
    }
    if (codes_.button1 == kInputButton1) {
        moved_ = 1;
        Audio().PlaySound(sound::kShot);
    }
    const bool dashPressed = codes_.button2 == kInputButton2;
    if (dashPressed && dashReady_ == 1 && s.dashCounter < kDashLimit + 1) {
        StartDashSparks(now);
        dashing_ = 1;
        if (s.dashCounter < kDashLimit + 1) s.dashCounter += 1;
        if (s.roll > 360.0) s.roll = 0.0;
        moved_ = 1;
        dashRunning_ = 1;
        s.speedX = PlayerState::kDashSpeedX;
        s.speedY = PlayerState::kDashSpeedY;
        s.speedZ = PlayerState::kDashSpeedZ;
        Restart(rollTrack_, s.roll, kDashRoll, kTiltMs, now);
    }
    if (!dashPressed || dashReady_ == 0 || s.dashCounter >= kDashLimit) EndDash(now);

    if (s.hit == 1) {
        wobble_.SetDuration(kWobbleMs);
        wobble_.SetStart(now);
        s.hit = 0;
    }
    if (!moved_) {
        s.speedX = PlayerState::kNormalSpeedX;
        s.speedY = PlayerState::kNormalSpeedY;
        s.speedZ = PlayerState::kNormalSpeedZ;
        dashRunning_ = 0;
        if (Finished(rollTrack_, now)) Restart(rollTrack_, s.roll, 0.0, kRollEaseMs, now);
        if (Finished(pitchTrack_, now)) Restart(pitchTrack_, s.pitch, 0.0, kTiltEaseMs, now);
        if (Finished(yawTrack_, now)) Restart(yawTrack_, s.yaw, 0.0, kTiltEaseMs, now);
    }
}

void Player::StartDashSparks(std::uint32_t now) {
    double fan = -30.0;
    for (int i = 0; i < kSparkCount; ++i) {
        if (Finished(sparkRadius_[i], now)) {
            sparkRadius_[i].SetStart(now);
            sparkAlpha_[i].SetStart(now);
            sparks_[i].active = 1;
            sparks_[i].angle = fan + state_.roll;
        }
        fan = i == 10 ? 150.0 : fan + 6.0;
    }
}

void Player::EndDash(std::uint32_t now) {
    PlayerState& s = state_;
    dashing_ = 0;
    dashReady_ = 0;
    if (s.dashCounter > 0) s.dashCounter -= 1;
    if (s.dashCounter == 0) dashReady_ = 1;
    if (s.roll != 0.0 && Finished(rollTrack_, now)) Restart(rollTrack_, s.roll, 0.0, kRollEaseMs, now);
    s.speedX = PlayerState::kNormalSpeedX;
    s.speedY = PlayerState::kNormalSpeedY;
    s.speedZ = PlayerState::kNormalSpeedZ;
}

void Player::Movement(std::uint32_t now) {
    PlayerState& s = state_;
    s.boundsHit = 0;
    // An ease back to 0 that reads exactly 0 keeps the angle of its last frame. Read in the tick it was
    // started an ease already stands at its end, and the ship would show level for that one frame between
    // two tilted ones (the roll after every dash).
    if (!Finished(pitchTrack_, now)) {
        const double v = TrackValue(pitchTrack_, now, static_cast<float>(s.pitch));
        if (v != 0.0) s.pitch = v;
    }
    if (!Finished(yawTrack_, now)) {
        const double v = TrackValue(yawTrack_, now, static_cast<float>(s.yaw));
        if (v != 0.0) s.yaw = v;
    }
    if (!Finished(rollTrack_, now)) {
        const double v = TrackValue(rollTrack_, now, static_cast<float>(s.roll));
        if (v != 0.0) s.roll = v;
    }
    if (!Finished(wobble_, now)) s.roll = TrackValue(wobble_, now, static_cast<float>(s.roll));

    if (!IsFlightAreaConfined()) {
        if (s.x < -10.0) s.x = -10.0, s.boundsHit = 1;
        if (s.x > 10.0) s.x = 10.0, s.boundsHit = 1;
        if (s.y < -5.0) s.y = -5.0, s.boundsHit = 1;
        if (s.y > 8.0) s.y = 8.0, s.boundsHit = 1;
    } else {
        if (s.x < -2.0) s.x = -2.0;
        if (s.x > 2.0) s.x = 2.0;
        if (s.y < 0.0) s.y = 0.0;
        if (s.y > 4.0) s.y = 4.0;
    }
    if (gliding_) {
        s.x = TrackValue(glideX_, now, static_cast<float>(s.x));
        s.y = TrackValue(glideY_, now, static_cast<float>(s.y));
        if (Finished(glideX_, now)) s.centring = 0, gliding_ = 0;
    }
}

void Player::DrawShip() const {
    if (!aliveShown_) return;
    const Pose& p = shipShown_;
    Matrix world;
    MatrixRotationYawPitchRoll(&world, static_cast<float>(p.yaw * kShipRadiansPerDegree),
                               static_cast<float>(p.pitch * kShipRadiansPerDegree),
                               static_cast<float>(p.roll * kShipRadiansPerDegree));
    SetMatrixTranslation(&world, static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
    device_->SetTransform(D3DTS_WORLD, &world);
    DrawMeshSubsets(device_, mesh_, nullptr);
}

void Player::Weapons(std::uint32_t now) {
    gun_.Step(now);
    gun_.Fire(now, codes_, state_);
    bomb_.Step(now);
    bomb_.Update(now, codes_, state_);
    bomb_.Expire(now);
    pickups_.Update(now);
}

void Player::DrawWeapons() const {
    gun_.Draw();
    bomb_.Draw();
    pickups_.Draw();
}

void Player::LaunchBomb(std::uint32_t now, const std::vector<EnemyRecord>& enemies,
                        const std::vector<BodyRecord>& bosses) {
    if (bomb_.Armed()) bomb_.Launch(now, enemies, bosses, state_);
}

void Player::UpdateAimPoints() {
    static constexpr double kAhead[2] = {85.0, 40.0};
    for (int i = 0; i < 2; ++i) {
        const double d = kAhead[i] - 15.0;
        sight_.SetAimPoint(i, state_.x + d * std::tan(state_.yaw * kShipRadiansPerDegree),
                           state_.y - d * std::tan(state_.pitch * kShipRadiansPerDegree), state_.z + kAhead[i], state_.alive);
    }
}

void Player::DrawSight() { sight_.Draw(); }

void Player::StepTrail(std::uint32_t now) {
    trailShown_ = state_.alive != 0;
    if (trailShown_) {
        PlaceSparks(now);
        PlaceFlames(now);
    }
    pickups_.StepSparkles(now, state_);
}

void Player::DrawTrail() const {
    if (trailShown_) {
        DrawSparks();
        DrawFlames();
    }
    pickups_.DrawSparkles();
}

void Player::PlaceSparks(std::uint32_t now) {
    for (int i = 0; i < kSparkCount; ++i) {
        Spark& spark = sparks_[i];
        sparkShown_[static_cast<std::size_t>(i)] = false;
        if (!spark.active) continue;
        spark.alpha = TrackValue(sparkAlpha_[i], now, static_cast<float>(spark.alpha));
        // Read in the millisecond it was restarted, the radius track gives its end value: such a spark
        // waits for the next frame rather than being dropped.
        const double radius = TrackValue(sparkRadius_[i], now, 1.5f);
        if (radius >= 1.5) continue;
        spark.x = state_.x + radius * std::cos(spark.angle * kShipRadiansPerDegree);
        spark.y = state_.y + radius * std::sin(spark.angle * kShipRadiansPerDegree);
        spark.z = state_.z - 1.0;
        sparkShown_[static_cast<std::size_t>(i)] = true;
    }
}

void Player::PlaceFlames(std::uint32_t now) {
    const PlayerState& s = state_;
    const double u = TrackValue(flameU_, now);
    const double v = TrackValue(flameV_, now);
    wingsShown_ = dashing_ == 1;
    for (int i = 0; i < 2; ++i) {
        FlameQuad& f = flames_[i];
        if (!f.active) continue;
        const double theta = (i * 180.0 + s.roll) * kShipRadiansPerDegree;
        f.u = u;
        f.v = v;
        f.z = s.z;
        f.pitch = 0.0;
        if (wingsShown_) {
            f.x = s.x + 1.5 * std::cos(theta);
            f.y = s.y + 1.5 * std::sin(theta);
            f.yaw = i == 0 ? 180.0 : 0.0;
            f.roll = i == 0 ? -s.roll : s.roll;
        } else {
            f.x = s.x + 1.3 * std::cos(theta) + 0.7 * std::sin(s.roll * kShipRadiansPerDegree);
            f.y = s.y + 1.3 * std::sin(theta) - 0.7 * std::cos(s.roll * kShipRadiansPerDegree);
            f.yaw = 0.0;
            f.roll = s.roll + (i == 0 ? 50.0 : -50.0);
        }
    }
}

void Player::DrawSparks() const {
    ScopedDrawState blend(device_, draw_state::kAlphaBlend);
    Matrix world;
    for (int i = 0; i < kSparkCount; ++i) {
        if (!sparkShown_[static_cast<std::size_t>(i)]) continue;
        const Spark& spark = sparks_[i];
        ScopedDrawState fade(device_, draw_state::TextureFactor(FadeColour(spark.alpha)));
        MatrixTranslation(&world, static_cast<float>(spark.x), static_cast<float>(spark.y),
                          static_cast<float>(spark.z));
        device_->SetTransform(D3DTS_WORLD, &world);
        device_->SetTexture(0, sparkPicture_.get());
        DrawQuad(device_, sparkQuad_.get());
    }
    device_->SetTexture(0, nullptr);
}

void Player::DrawFlames() const {
    ScopedDrawState state(device_, draw_state::kTwoSided + draw_state::kAlphaBlend + draw_state::kTextureScroll);
    device_->SetTexture(0, wingsShown_ ? wingPicture_.get() : flamePicture_.get());
    Matrix scroll;
    Matrix world;
    for (const FlameQuad& f : flames_) {
        if (!f.active) continue;
        MakeTextureScroll(&scroll, static_cast<float>(f.u), static_cast<float>(f.v));
        device_->SetTransform(D3DTS_TEXTURE0, &scroll);
        MatrixRotationYawPitchRoll(&world, static_cast<float>(f.yaw * kShipRadiansPerDegree),
                                   static_cast<float>(f.pitch * kShipRadiansPerDegree),
                                   static_cast<float>(f.roll * kShipRadiansPerDegree));
        SetMatrixTranslation(&world, static_cast<float>(f.x), static_cast<float>(f.y), static_cast<float>(f.z));
        device_->SetTransform(D3DTS_WORLD, &world);
        DrawQuad(device_, flameQuad_.get());
    }
    device_->SetTexture(0, nullptr);
}

bool Player::Guarded(std::uint32_t now) const { return !flash_.Showing(now) && state_.alive; }

void Player::TakeHit(std::uint32_t now, std::int32_t damage, std::uint8_t* shakeRequest) {
    Audio().PlaySound(sound::kShipHit);
    flash_.Spawn(now);
    state_.hit = 1;
    Damage(damage);
    if (shakeRequest) *shakeRequest = 1;
}

void Player::Damage(std::int32_t amount) { state_.life = std::max(state_.life - amount, 0); }

void Player::Heal(std::int32_t amount) {
    if (state_.life < PlayerState::kFullLife) state_.life = std::min(state_.life + amount, PlayerState::kFullLife);
}

void Player::CheckHits(std::uint32_t now, std::uint8_t* bodyHit, std::uint8_t* shakeRequest) {
    const bool battle = IsBossBattleActive() != 0;
    const std::int32_t stage = GetStage();

    for (EnemyShotRecord* shot : enemyShots_) {
        if (shot->active && Guarded(now) && collision_.EnemyShotHitsPlayer(*shot, state_)) {
            shot->active = 0;
            TakeHit(now, kShotDamage, shakeRequest);
        }
    }
    if (stage == 1) {
        for (BuildingItem* building : buildings_) {
            if (Guarded(now) && !battle && collision_.BuildingHitsPlayer(*building, state_)) {
                TakeHit(now, kBodyDamage, shakeRequest);
            }
        }
        for (BuildingItem* building : buildings_) {
            for (EnemyShotRecord* shot : enemyShots_) {
                if (shot->active && Guarded(now) && collision_.BuildingStopsEnemyShot(*building, *shot)) {
                    shot->active = 0;
                }
            }
        }
    } else if (stage == 2) {
        for (const std::vector<SpaceItem*>* list : {&rocks_, &starItems_}) {
            for (SpaceItem* item : *list) {
                if (item->active && Guarded(now) && !battle && collision_.HazardHitsPlayer(*item, state_)) {
                    TakeHit(now, kBodyDamage, shakeRequest);
                }
            }
        }
        if (!battle && state_.alive) {
            for (SpaceItem* item : starItems_) {
                for (const PlayerShot& shot : gun_.Shots()) {
                    if (!item->active || !shot.active || !collision_.PlayerShotHitsStarItem(*item, shot)) continue;
                    item->hitPoints -= 1;
                    if (item->hitPoints < 0) {
                        Audio().PlaySound(sound::kEnemyDown);
                        item->active = 0;
                        if (explosion_) explosion_->Spawn(now, item->x, item->y, item->z);
                    }
                }
            }
        }
    } else if (stage == 3) {
        for (PetalItem* petal : petals_) {
            if (petal->active && Guarded(now) && !battle && collision_.FlowerHitsPlayer(*petal, state_)) {
                TakeHit(now, kBodyDamage, shakeRequest);
            }
        }
    }
    if (bodyHit && *bodyHit && Guarded(now)) {
        *bodyHit = 0;
        TakeHit(now, kBodyDamage, shakeRequest);
    }
    pickups_.Collect(now, state_, *this);

    if (state_.life <= 0) state_.alive = 0;
}
