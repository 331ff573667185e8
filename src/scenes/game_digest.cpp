#include "scenes/game_digest.h"

#include "core/registry.h"
#include "scenes/game_app.h"

namespace {

void Fold(StateDigest& d, const PlayerState& s) {
    for (double v :
         {s.x, s.y, s.z, s.yaw, s.pitch, s.roll, s.prevX, s.prevY, s.rh, s.rv, s.rz, s.speedX, s.speedY, s.speedZ}) {
        d.Add(v);
    }
    for (std::int32_t v : {s.life, s.hit, s.dashCounter, s.bombs, s.boundsHit}) d.Add(v);
    d.Add(s.alive);
    d.Add(s.centring);
}

void Fold(StateDigest& d, const PlayerShot& s) {
    for (double v : {s.x, s.y, s.z, s.yaw, s.pitch, s.roll, s.rh, s.rv, s.rz}) d.Add(v);
    d.Add(s.active);
    d.Add(s.damage);
}

void Fold(StateDigest& d, const EnemyRecord& e) {
    for (double v : {e.x, e.y, e.z, e.targetX, e.targetY, e.targetZ, e.homeX, e.homeY, e.homeZ, e.yaw, e.pitch, e.roll,
                     e.rh, e.rv, e.rz}) {
        d.Add(v);
    }
    for (std::int32_t v : {e.hitPoints, e.shotIndex, e.fireKind, e.stage}) d.Add(v);
    d.Add(e.spawnTime);
    d.Add(e.active);
    d.Add(e.spawned);
}

void Fold(StateDigest& d, const EnemyShotRecord& s) {
    for (double v : {s.x, s.y, s.z, s.yaw, s.pitch, s.roll, s.rh, s.rv, s.rz}) d.Add(v);
    for (double v : s.unused) d.Add(v);
    d.Add(s.active);
    d.Add(s.damage);
}

void Fold(StateDigest& d, const BodyRecord& b) {
    for (double v : {b.x, b.y, b.z, b.yaw, b.pitch, b.roll, b.rh, b.rv, b.rz}) d.Add(v);
    for (double v : b.reserved) d.Add(v);
    for (std::int32_t v : {b.life, b.lifeMax, b.introKind, b.stage}) d.Add(v);
    d.Add(b.appearAt);
    for (std::uint8_t v : {b.active, b.appeared, b.hitFlash, b.holdPosition, b.shielded}) d.Add(v);
}

void Fold(StateDigest& d, const BossBullet& b) {
    for (double v : {b.x, b.y, b.z, b.yaw, b.pitch, b.roll, b.sx, b.sy, b.sz, b.rh, b.rv, b.rz}) d.Add(v);
    for (double v : b.work) d.Add(v);
    for (double v : b.angles) d.Add(v);
    for (std::uint32_t v : b.timers) d.Add(v);
    for (std::int32_t v : b.tracks) d.Add(v);
    d.Add(b.alive);
    d.Add(b.damage);
}

void Fold(StateDigest& d, const PickupRecord& p) {
    for (double v : {p.x, p.y, p.z, p.scaleX, p.scaleY, p.scaleZ, p.rh, p.rv, p.rz, p.alpha}) d.Add(v);
    d.Add(p.shown);
    d.Add(p.taken);
    d.Add(p.appearTime);
    d.Add(p.stage);
}

void FoldRegistry(StateDigest& d) {
    for (std::size_t flag = 0; flag < kSceneFlagCount; ++flag) d.Add(IsSceneFlag(static_cast<SceneFlag>(flag)));
    for (std::int32_t v : {GetStage(), GetNextStage(), GetScore(), GetTitleMenuChoice(), GetCameraCutInIndex(),
                           GetSceneryVariant(), GetNextSceneryVariant()}) {
        d.Add(v);
    }
    for (std::uint8_t v : {IsBossBattleActive(), IsBossBattleEnded(), IsCameraCutInActive(), IsFlightAreaConfined(),
                           IsSceneryChangePending()}) {
        d.Add(v);
    }
    d.Add(StageElapsed());
}

}  // namespace

std::uint64_t GameStateDigest(GameApp& game) {
    StateDigest d;
    FoldRegistry(d);

    Player& ship = game.Ship();
    Fold(d, ship.State());
    d.Add(ship.Dashing());
    d.Add(ship.DashReady());
    for (const PlayerShot& shot : ship.Gun().Shots()) Fold(d, shot);
    Fold(d, ship.Bomb().Shot());
    d.Add(ship.Bomb().Armed());
    d.Add(ship.Bomb().Blast());
    for (const PickupRecord& p : ship.Items().Rings()) Fold(d, p);
    for (const PickupRecord& p : ship.Items().BombItems()) Fold(d, p);

    EnemyManager& enemies = game.Enemies();
    for (const Enemy& enemyClass : enemies.Classes()) {
        for (const EnemyRecord& e : enemyClass.Records()) Fold(d, e);
    }
    for (const EnemyShotRecord& s : enemies.ShotRecords()) Fold(d, s);

    BossRoster& bosses = game.Bosses();
    for (int i = 0; i < BossRoster::kBossCount; ++i) {
        Boss& boss = bosses.GetBoss(i);
        Fold(d, boss.Body());
        for (const BodyRecord& extra : boss.ExtraBodies()) Fold(d, extra);
        for (int list = 0; list < Boss::kListCount; ++list) {
            for (const BossBullet& b : boss.List(list)) Fold(d, b);
        }
        for (const BossBullet& b : boss.ExtraBullets()) Fold(d, b);
    }
    d.Add(bosses.GaugeFull());
    d.Add(bosses.Captured());
    return d.Value();
}
