#include "scenes/game_loads.h"

#include "bosses/boss_roster.h"
#include "effects/bomb_blast.h"
#include "effects/damage_flash.h"
#include "effects/explosion.h"
#include "enemies/enemy_manager.h"
#include "player/player.h"
#include "render/asset_ref.h"

using platform::kColourKeyBlack;
using platform::kColourKeyWhite;
using platform::kNoColourKey;
using platform::PrefetchItem;

namespace {

PrefetchItem Picture(const char* name, std::uint32_t colourKey) {
    return PrefetchItem{PrefetchItem::Kind::kPicture, name, colourKey};
}
PrefetchItem Mesh(const char* name) { return PrefetchItem{PrefetchItem::Kind::kMesh, name, kNoColourKey}; }

}  // namespace

std::vector<PrefetchItem> GameLoads() {
    std::vector<PrefetchItem> loads = {
        Picture("t\\title.png", kColourKeyBlack),
        Picture("t\\gamestart.png", kColourKeyBlack),
        Picture("t\\exit.png", kColourKeyBlack),
        Mesh("x\\plu2c.x"),
        Mesh("x\\t1.x"),
        Mesh("x\\t2.x"),
        Picture("t\\blue.png", kColourKeyBlack),
        Picture("t\\blue.png", kColourKeyBlack),
        Picture("t\\red.png", kColourKeyBlack),
        Picture("t\\osleft.png", kColourKeyBlack),
        Picture("t\\osright.png", kColourKeyBlack),
        Picture("t\\story.png", kColourKeyBlack),
        Picture("t\\rocket.png", kColourKeyBlack),
        Picture("t\\staffroll.png", kColourKeyBlack),
        Picture("t\\stage 1.png", kColourKeyBlack),
        Picture("t\\stage 2.png", kColourKeyBlack),
        Picture("t\\stage 3.png", kColourKeyBlack),
        Picture("t\\noise 1.png", kColourKeyBlack),
        Picture("t\\noise 2.png", kColourKeyBlack),
        Picture("t\\noise 3.png", kColourKeyBlack),
        Picture("t\\noise 4.png", kColourKeyBlack),
        Picture("t\\lostsignal.png", kColourKeyBlack),
        Picture("t\\clear.png", kColourKeyBlack),
        Mesh("x\\s1back4.x"),
        Picture("t\\ground.png", kColourKeyBlack),
        Mesh("x\\hai2.x"),
        Picture("t\\m2.png", kColourKeyBlack),
        Picture("t\\m2.png", kColourKeyBlack),
        Mesh("x\\kiti02.x"),
        Mesh("x\\tokio.x"),
        Mesh("x\\s1.x"),
        Picture("t\\space3.png", kColourKeyWhite),
        Mesh("x\\meteo.x"),
        Picture("t\\meteo.png", kColourKeyBlack),
        Mesh("x\\star.x"),
        Picture("t\\moon.png", kColourKeyBlack),
        Mesh("x\\tikyu.x"),
        Picture("t\\space.png", kColourKeyBlack),
        Picture("t\\sexpl.png", kColourKeyBlack),
        Mesh("x\\hana.x"),
        Picture("t\\petal.png", kColourKeyBlack),
        Mesh("x\\sora2.x"),
        Picture("t\\cloud.png", kColourKeyBlack),
        Picture("t\\cloud2.png", kColourKeyBlack),
        Picture("t\\cloud3.png", kColourKeyBlack),
        Mesh("x\\jimen2.x"),
        Picture("t\\flower.png", kColourKeyBlack),
        Picture("t\\flower2.png", kColourKeyBlack),
        Picture("t\\flower3.png", kColourKeyBlack),
        Mesh("x\\tikyu.x"),
        Picture("t\\nazo.png", kColourKeyBlack),
        Picture("t\\console.png", kColourKeyBlack),
        Picture("t\\console4.png", kColourKeyBlack),
        Picture("t\\score2.png", kColourKeyBlack),
        Picture("t\\update.png", kColourKeyBlack),
    };
    Player::AppendAssets(&loads);
    loads.insert(loads.end(), {
        Picture("t\\sight.png", kColourKeyBlack),
        Picture("t\\sight2.png", kColourKeyBlack),
    });
    EnemyManager::AppendAssets(&loads);
    BossRoster::AppendBossAssets(&loads);
    // The boss roster's effects.
    AppendPrefetch(Explosion::kAssets, &loads);
    AppendPrefetch(DamageFlash::kAssets, &loads);
    AppendPrefetch(BombBlast::kAssets, &loads);
    loads.insert(loads.end(), {
        Picture("t\\boss01.png", kColourKeyBlack),
        Picture("t\\boss02.png", kColourKeyBlack),
        Picture("t\\boss03.png", kColourKeyBlack),
        Picture("t\\boss04.png", kColourKeyBlack),
        Picture("t\\boss05.png", kColourKeyBlack),
        Picture("t\\boss06.png", kColourKeyBlack),
        Picture("t\\console.png", kColourKeyWhite),
        Picture("t\\getbom.png", kColourKeyBlack),
        Picture("t\\pause_panel.png", kColourKeyBlack),
        Picture("t\\pause_resume.png", kColourKeyBlack),
        Picture("t\\pause_music.png", kColourKeyBlack),
        Picture("t\\pause_effects.png", kColourKeyBlack),
        Picture("t\\pause_fullscreen.png", kColourKeyBlack),
        Picture("t\\pause_quit.png", kColourKeyBlack),
        Picture("t\\pause_on.png", kColourKeyBlack),
        Picture("t\\pause_off.png", kColourKeyBlack),
        Picture("t\\pause_volume.png", kColourKeyBlack),
    });
    return loads;
}
