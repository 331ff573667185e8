#include "bosses/boss_roster.h"

#include <algorithm>
#include <cstdlib>

#include "core/registry.h"
#include "core/play_once.h"
#include "core/track_value.h"
#include "bosses/boss_entries.h"
#include "platform/core/clock.h"
#include "audio/scene_audio.h"
#include "audio/sound_cues.h"

namespace {

constexpr std::int32_t kProvisionalLife = 100;
constexpr double kEntryDepth = 40.0;

const BossEntry& EntryOf(int index) { return BossEntries()[static_cast<std::size_t>(index)]; }

}  // namespace

BossRoster::BossRoster() {
    // The roster's arrays are sized at compile time; the table must fill them.
    if (BossEntries().size() != static_cast<std::size_t>(kBossCount)) std::abort();
    for (int i = 0; i < kBossCount; ++i) {
        const BossEntry& entry = EntryOf(i);
        bosses_[static_cast<std::size_t>(i)] = entry.make();
        Boss* boss = bosses_[static_cast<std::size_t>(i)].get();
        bossList_.push_back(boss);
        if (entry.captures) capturer_ = boss;
    }

    // The capture of the stage-2 final boss writes its keys; it plays once over 4000 ms.
    captureTrack_.SetKeyCount(4);
    captureTrack_.SetDuration(4000);
    captureTrack_.SetLooping(0);

    BodyRecord none;
    none.z = kNoTarget;
    targets_.push_back(none);

    for (int i = 0; i < kBossCount; ++i) Configure(i, kProvisionalLife);
}

void BossRoster::AppendBossAssets(std::vector<platform::PrefetchItem>* out) {
    for (const BossEntry& entry : BossEntries()) AppendPrefetch(entry.assets(), out);
}

void BossRoster::Load(platform::Device* device, platform::Sprite* sprite, platform::WindowHandle window) {
    for (Boss* boss : bossList_) {
        boss->DrawContext().Bind(device, sprite, window);
        boss->Load();
    }
    explosions_.Bind(device, sprite, window);
    explosions_.Load();
    hitEffects_.Bind(device, sprite, window);
    hitEffects_.Load();
    bombBlast_.Bind(device, sprite, window);
    bombBlast_.Load();
}

void BossRoster::Reset(std::uint32_t now) {
    if (gaugeValue_) *gaugeValue_ = kGaugeEmpty;
    gaugeFull_ = 0;
    // A target taken in the last stage must not carry a blast into the next.
    targetHeld_ = 0;
    specialOn_ = 0;
    // A ship still held by a black hole must not carry that into the next stage.
    ReleaseCapture(now);
    for (Boss* boss : bossList_) {
        boss->Reset();
        boss->ClearParts();
    }
    explosions_.Reset();
    hitEffects_.Reset();
    bombBlast_.Reset();
    for (int i = 0; i < kBossCount; ++i) Configure(i, EntryOf(i).life);
}

void BossRoster::Configure(int index, std::int32_t life) {
    const BossEntry& entry = EntryOf(index);
    scratch_ = BodyRecord{};
    scratch_.z = kEntryDepth;
    scratch_.life = life;
    scratch_.lifeMax = life;
    scratch_.appearAt = entry.appearAt;
    scratch_.rh = entry.rh;
    scratch_.rv = entry.rv;
    scratch_.rz = entry.rz;
    scratch_.introKind = entry.introKind;
    scratch_.shielded = entry.shielded;
    scratch_.stage = entry.stage;
    bossList_[static_cast<std::size_t>(index)]->Body() = scratch_;
}

void BossRoster::Step(std::uint32_t now) {
    if (playerState_) {
        for (Boss* boss : bossList_) boss->SetPlayer(*playerState_);
    }
    UpdateStageClock(now);
    for (Boss* boss : bossList_) boss->Step(now);
    const BodyRecord& target = targets_[0];
    if (specialOn_ == 1 && target.z < kNoTarget) bombBlast_.Spawn(now, target.x, target.y, kBlastDepth);
    // A lost game lets no new battle begin behind the game-over screen.
    if (IsBossBattleActive() == 0 && IsSceneFlag(SceneFlag::kGameOver) == 0) EntryCheck(now, StageElapsed());
}

void BossRoster::Draw() const {
    for (const Boss* boss : bossList_) boss->Draw();
}

void BossRoster::EntryCheck(std::uint32_t now, std::uint32_t stageClock) {
    for (int i = 0; i < kBossCount; ++i) {
        const BodyRecord& body = bossList_[static_cast<std::size_t>(i)]->Body();
        if (body.stage != GetStage() || body.appeared != 0 || body.appearAt > stageClock) continue;
        Enter(now, i);
        return;
    }
}

void BossRoster::Enter(std::uint32_t now, int index) {
    Boss& boss = *bossList_[static_cast<std::size_t>(index)];
    SetBossBattleActive(1);
    BossTimerStart(now);
    const BossEntry& entry = EntryOf(index);
    if (entry.rules.entryTrack >= 0) Audio().PlayTrack(entry.rules.entryTrack);
    if (entry.opensFlightArea) SetFlightAreaConfined(0);
    boss.Body().active = 1;
    boss.Body().appeared = 1;
    boss.Start(now, 0);
    SetCameraCutIn(1, boss.Body().introKind);
}

StageEnd BossRoster::Battle(std::uint32_t now) {
    StageEnd end = StageEnd::kNone;
    for (int i = 0; i < kBossCount; ++i) {
        if (bossList_[static_cast<std::size_t>(i)]->Body().active == 1) {
            const StageEnd e = Controller(now, i);
            if (e != StageEnd::kNone) end = e;
        }
    }
    return end;
}

std::vector<BodyRecord> BossRoster::Targets() {
    targets_[0].z = kNoTarget;
    for (Boss* boss : bossList_) {
        if (boss->Body().active == 1) {
            targets_[0] = boss->Body();
            targetHeld_ = 1;
        }
    }
    return targets_;
}

void BossRoster::StepEffects(std::uint32_t now) {
    explosions_.Step(now);
    bombBlast_.StepLava(now);
    bombBlast_.StepShell(now);
}

void BossRoster::DrawEffects() const {
    explosions_.Draw();
    bombBlast_.DrawLava();
    bombBlast_.DrawShell();
}

StageEnd BossRoster::Controller(std::uint32_t now, int index) {
    Boss& boss = *bossList_[static_cast<std::size_t>(index)];
    ShotsOnBoss(now, boss);
    BlastOnBoss(boss);
    StageEnd end = StageEnd::kNone;
    // Once the game is lost a boss brought down by a shot still in flight counts for nothing.
    if (boss.Body().life <= 0 && IsSceneFlag(SceneFlag::kGameOver) == 0) end = Death(now, index, boss);
    BulletsOnPlayer(now, index, boss);
    if (captured_ && &boss == capturer_) FollowCapture(now);
    UpdateGauge(boss.Body());
    return end;
}

void BossRoster::ShotsOnBoss(std::uint32_t now, Boss& boss) {
    BodyRecord& body = boss.Body();
    std::span<BodyRecord> extras = boss.ExtraBodies();
    for (PlayerShot* shot : playerShots_) {
        if (!shot->active || !body.active) continue;
        // The shields stand around the body and take a shot that reaches both.
        if (ShotOnExtras(now, boss, *shot, extras)) continue;
        if (tests_.PlayerShotHitsBoss(*shot, body)) {
            if (!body.shielded) body.life -= shot->damage;
            body.hitFlash = 1;
            shot->active = 0;
        }
    }
}

bool BossRoster::ShotOnExtras(std::uint32_t now, Boss& boss, PlayerShot& shot, std::span<BodyRecord> extras) {
    for (BodyRecord& extra : extras) {
        if (!extra.active || !tests_.PlayerShotHitsBoss(shot, extra)) continue;
        extra.life -= shot.damage;
        extra.hitFlash = 1;
        shot.active = 0;
        if (extra.life < 0) {
            Audio().PlaySound(sound::kBossDown);
            extra.active = 0;
            explosions_.Spawn(now, extra.x, extra.y, extra.z);
            const bool allDown =
                std::none_of(extras.begin(), extras.end(), [](const BodyRecord& e) { return e.active != 0; });
            if (allDown) {
                boss.Body().shielded = 0;
                boss.ShieldsDown();
            }
        }
        return true;
    }
    return false;
}

void BossRoster::BlastOnBoss(Boss& boss) {
    BodyRecord& body = boss.Body();
    if (targetHeld_ != 1 || specialOn_ != 1 || !body.active || !tests_.AlwaysHit(body)) return;
    Audio().PlaySound(sound::kBlast);
    targetHeld_ = 0;
    // The shields stop the player's shots only: the blast reaches the body through them.
    body.life -= kBlastDamage;
    body.hitFlash = 1;
}

bool BossRoster::BulletHits(BulletTest test, const Boss& boss, const BossBullet& bullet) const {
    const PlayerState& p = *playerState_;
    switch (test) {
        case BulletTest::kShot:
            return tests_.EnemyShotHitsPlayer(bullet, p);
        case BulletTest::kFlat:
            return tests_.BulletHitsPlayerFlat(bullet, p);
        case BulletTest::kSlab:
            return tests_.BulletInSlabHitsPlayer(bullet, p);
        case BulletTest::kRing:
            return tests_.RingHitsPlayer(bullet, p);
        case BulletTest::kOrbit25:
            return tests_.OffsetPointHitsPlayer25(boss.Body(), bullet, p);
        case BulletTest::kOffset5:
            return tests_.OffsetPointHitsPlayer5(bullet, p);
        case BulletTest::kBar:
            return tests_.BarHitsPlayer(bullet, p);
        case BulletTest::kBeam:
            return tests_.BeamHitsPlayer(bullet, p);
        case BulletTest::kBig:
            return tests_.BigBulletHitsPlayer(bullet, p);
    }
    return false;
}

void BossRoster::PlayerHit(std::uint32_t now, const BossBullet& bullet) {
    if (shipLife_) shipLife_->Damage(bullet.damage);
    Audio().PlaySound(sound::kShipHit);
    hitEffects_.Spawn(now);
    hitEffect_ = 0;  // the flash has one record
}

void BossRoster::BulletsOnPlayer(std::uint32_t now, int index, Boss& boss) {
    if (!playerState_) return;
    const BodyRecord& body = boss.Body();
    const BattleRules& rules = EntryOf(index).rules;
    // Protection is by the flash's time: a flash left undrawn still ends on time. A ship that is gone (taken
    // down into a black hole) cannot be hit.
    auto open = [&] { return body.active && playerState_->alive && !hitEffects_.Showing(now); };
    for (const ListRule& rule : rules.lists) {
        const BulletPool& list = boss.List(rule.list);
        for (std::size_t i = 0; i < list.Size(); ++i) {
            const BossBullet& bullet = list[i];
            if (!bullet.alive || !open()) continue;
            if (rule.wideOnly && !(bullet.sx > 1.0)) continue;
            if (!BulletHits(rule.test, boss, bullet)) continue;
            if (rule.captureFrom >= 0 && static_cast<int>(i) >= rule.captureFrom) {
                if (!captured_) StartCapture(now, boss);
                continue;
            }
            PlayerHit(now, bullet);
            if (rule.shell) bombBlast_.SpawnShell(now, playerState_->x, playerState_->y, playerState_->z);
        }
    }
    for (const BossBullet& bullet : boss.ExtraBullets()) {
        if (bullet.alive && open() && BulletHits(rules.extraTest, boss, bullet)) PlayerHit(now, bullet);
    }
}

StageEnd BossRoster::Death(std::uint32_t now, int index, Boss& boss) {
    BodyRecord& body = boss.Body();
    Audio().PlaySound(sound::kBossDown);
    AddScore(kBossScore);
    body.life = 0;
    body.active = 0;
    // A target taken for this boss must not strike the next one.
    targetHeld_ = 0;
    if (captured_) ReleaseCapture(now);
    const BattleRules& rules = EntryOf(index).rules;
    switch (rules.death) {
        case DeathKind::kStageOneMid:
            if (stage1Flag_) *stage1Flag_ = 1;
            StandardEnd(now, body);
            break;
        case DeathKind::kStageOneFinal:
            explosions_.Spawn(now, body.x, body.y, body.z);
            BossTimerFold(now);
            SetBossBattleActive(0);
            Audio().FadeOut(kStageClearFadeMs);
            SetNextStage(2);
            return StageEnd::kStageClear;
        case DeathKind::kMid:
            StandardEnd(now, body);
            break;
        case DeathKind::kStageTwoFinal:
            Audio().FadeOut(kStageClearFadeMs);
            explosions_.Spawn(now, body.x, body.y, body.z);
            SetNextStage(3);
            return StageEnd::kStageClear;
        case DeathKind::kMoon:
            BossTimerFold(now);
            SetBossBattleActive(0);
            SetBossBattleEnded(1);
            SetSceneryChangePending(1);
            SetNextSceneryVariant(rules.sceneryVariant);
            break;
        case DeathKind::kMoonLast:
            StandardEnd(now, body);
            SetSceneryChangePending(1);
            SetNextSceneryVariant(rules.sceneryVariant);
            break;
        case DeathKind::kLast:
            Audio().FadeOut(kStageClearFadeMs);
            explosions_.Spawn(now, body.x, body.y, body.z);
            BossTimerFold(now);
            SetBossBattleActive(0);
            SetBossBattleEnded(1);
            return StageEnd::kLastClear;
    }
    return StageEnd::kNone;
}

void BossRoster::StandardEnd(std::uint32_t now, const BodyRecord& body) {
    explosions_.Spawn(now, body.x, body.y, body.z);
    BossTimerFold(now);
    SetBossBattleActive(0);
    SetBossBattleEnded(1);
}

void BossRoster::UpdateGauge(const BodyRecord& body) {
    if (!gaugeValue_) return;
    // A fallen boss empties the gauge for the next one, even before the fill-in has ended.
    if (body.life <= 0) {
        *gaugeValue_ = kGaugeEmpty;
        gaugeFull_ = 0;
        return;
    }
    if (gaugeFull_ == 0) {
        if (*gaugeValue_ > 0) --*gaugeValue_;
        if (*gaugeValue_ <= 0) {
            *gaugeValue_ = 0;
            gaugeFull_ = 1;
        }
        return;
    }
    const double share = body.lifeMax > 0 ? static_cast<double>(body.life) / body.lifeMax : 1.0;
    const double value = kGaugeEmpty - share * kGaugeEmpty;
    *gaugeValue_ = static_cast<std::int32_t>(std::clamp(value, 0.0, static_cast<double>(kGaugeEmpty)));
}

void BossRoster::StartCapture(std::uint32_t now, Boss& boss) {
    PlayerState& ship = *playerState_;
    captured_ = 1;
    ship.centring = 1;
    captureTrack_.SetKey(0, 0.0f, static_cast<float>(ship.z));
    captureTrack_.SetKey(1, 0.4f, static_cast<float>(kCaptureDepth));
    captureTrack_.SetKey(2, 0.75f, static_cast<float>(kCaptureDepth));
    captureTrack_.SetKey(3, 1.0f, static_cast<float>(PlayerState::kStartDepth));
    captureTrack_.SetDuration(kCaptureMs);
    captureTrack_.SetStart(now);
    if (&boss == capturer_) boss.HoldForCapture(now);
}

void BossRoster::FollowCapture(std::uint32_t now) {
    PlayerState& ship = *playerState_;
    if (!play_once::Over(captureTrack_, now)) {
        // Read in the tick it started, the track would already stand at its end.
        if (now != captureTrack_.Start()) ship.z = TrackValue(captureTrack_, now, static_cast<float>(ship.z));
        if (ship.z > kVanishDepth) {
            ship.alive = 0;
        } else if (ship.z < kVanishDepth) {
            ship.alive = ship.life > 0 ? 1 : 0;
        }
        return;
    }
    ship.z = PlayerState::kStartDepth;
    ship.alive = ship.life > 0 ? 1 : 0;
    // The ship is let go only once the flash of an earlier hit has ended.
    if (hitEffects_.Showing(now)) return;
    if (shipLife_) shipLife_->Damage(kCaptureLife);
    Audio().PlaySound(sound::kShipHit);
    hitEffects_.Spawn(now);
    hitEffect_ = 0;
    ReleaseCapture(now);
}

void BossRoster::ReleaseCapture(std::uint32_t now) {
    if (captured_ && capturer_) capturer_->ReleaseCapture(now);
    captured_ = 0;
    if (!playerState_) return;
    PlayerState& ship = *playerState_;
    ship.z = PlayerState::kStartDepth;
    ship.alive = ship.life > 0 ? 1 : 0;
    ship.centring = 0;
}
