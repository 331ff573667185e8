#include "scenes/game_loads.h"

#include <initializer_list>
#include <span>

#include "hud/console.h"
#include "hud/score_board.h"
#include "hud/sight.h"
#include "render/asset_ref.h"
#include "scenes/camera_director.h"
#include "scenes/game_over_screen.h"
#include "scenes/pause_panel.h"
#include "scenes/shutter.h"
#include "scenes/staff_roll.h"
#include "scenes/stage_clear_banner.h"
#include "scenes/stage_title_card.h"
#include "scenes/story_screen.h"
#include "scenes/title_screen.h"
#include "stages/stage1_background.h"
#include "stages/stage2_background.h"
#include "stages/stage3_background.h"

using platform::kColourKeyBlack;
using platform::kColourKeyWhite;
using platform::kNoColourKey;
using platform::PrefetchItem;

namespace {

PrefetchItem Picture(const char* name, std::uint32_t colourKey) {
    return PrefetchItem{PrefetchItem::Kind::kPicture, name, colourKey};
}
PrefetchItem Mesh(const char* name) { return PrefetchItem{PrefetchItem::Kind::kMesh, name, kNoColourKey}; }

void Append(std::initializer_list<std::span<const AssetRef>> lists, std::vector<PrefetchItem>* out) {
    for (std::span<const AssetRef> list : lists) AppendPrefetch(list, out);
}

void Append(std::initializer_list<PrefetchItem> items, std::vector<PrefetchItem>* out) {
    out->insert(out->end(), items);
}

}  // namespace

// In the order GameApp::Load loads them.
std::vector<PrefetchItem> GameLoads() {
    std::vector<PrefetchItem> items;
    Append({TitleScreen::Assets(), Shutter::Assets(), StoryScreen::Assets(), StaffRoll::Assets(),
            StageTitleCard::Assets(), GameOverScreen::Assets(), StageClearBanner::Assets(),
            Stage1Background::Assets(), Stage2Background::Assets(), Stage3Background::Assets(),
            ScoreBoard::Assets()},
           &items);
    Append(
        {
            Mesh("x\\plu2c.x"),
            Picture("t\\dashspark.png", kColourKeyBlack),
            Picture("t\\booster 2.png", kColourKeyBlack),
            Picture("t\\lightwing.png", kColourKeyBlack),
            Mesh("x\\atack02.x"),
            Mesh("x\\atack03.x"),
            Mesh("x\\ring.x"),
            Mesh("x\\bomb.x"),
            Picture("t\\kira.png", kColourKeyBlack),
            Picture("t\\explosion3.png", kColourKeyBlack),
        },
        &items);
    Append({Sight::Assets()}, &items);
    Append(
        {
            Mesh("x\\enemy01.x"),
            Mesh("x\\enemy02.x"),
            Mesh("x\\enemy03.x"),
            Mesh("x\\Enemy04.x"),
            Mesh("x\\enemy05.x"),
            Mesh("x\\enemyatack02.x"),
            Picture("t\\explosion01.png", kColourKeyBlack),
            Picture("t\\explosionRuin.png", kColourKeyBlack),
            Mesh("x\\explosion03.x"),
            Picture("t\\yougan001.png", kColourKeyBlack),
            Mesh("x\\explosion04.x"),
            Picture("t\\bom.png", kColourKeyBlack),
            Mesh("x\\bboss01hontai.x"),
            Mesh("x\\bossbeam.x"),
            Mesh("x\\bboss01migi.x"),
            Mesh("x\\bboss01hidari.x"),
            Mesh("x\\bboss02.x"),
            Mesh("x\\shield.x"),
            Mesh("x\\baria.x"),
            Mesh("x\\boss01shot.x"),
            Mesh("x\\bossbeam.x"),
            Picture("t\\hole.png", kColourKeyBlack),
            Picture("t\\baria.png", kColourKeyBlack),
            Picture("t\\bullet 2.png", kColourKeyBlack),
            Mesh("x\\bboss03.x"),
            Mesh("x\\sord.x"),
            Mesh("x\\en.x"),
            Mesh("x\\souti.x"),
            Mesh("x\\ryou.x"),
            Mesh("x\\enemyatack02.x"),
            Picture("t\\warp2.png", kColourKeyBlack),
            Picture("t\\join.png", kColourKeyBlack),
            Picture("t\\mecha2.png", kColourKeyBlack),
            Mesh("x\\boss05.x"),
            Mesh("x\\bossring.x"),
            Picture("t\\circuit.png", kColourKeyBlack),
            Picture("t\\circuit.png", kColourKeyBlack),
            Mesh("x\\fan.x"),
            Mesh("x\\fanbeam.x"),
            Picture("t\\blackhole.png", kColourKeyBlack),
            Mesh("x\\bmeteo.x"),
            Picture("t\\meteo.png", kColourKeyBlack),
            Mesh("x\\holeE.x"),
            Picture("t\\suik.png", kColourKeyBlack),
            Picture("t\\flare.png", kColourKeyBlack),
            Mesh("x\\smoon01.x"),
            Mesh("x\\sord.x"),
            Picture("t\\smagic.png", kColourKeyBlack),
            Mesh("x\\smoon02.x"),
            Mesh("x\\bossbeam.x"),
            Picture("t\\magicup.png", kColourKeyBlack),
            Picture("t\\magicdown.png", kColourKeyBlack),
            Picture("t\\moonthunder.png", kColourKeyBlack),
            Picture("t\\smagic.png", kColourKeyBlack),
            Picture("t\\bmagic.png", kColourKeyBlack),
            Mesh("x\\smoon03.x"),
            Mesh("x\\sord.x"),
            Mesh("x\\hammer.x"),
            Mesh("x\\tama.x"),
            Mesh("x\\grav.x"),
            Mesh("x\\efe.x"),
            Mesh("x\\kouha.x"),
            Picture("t\\amagic.png", kColourKeyBlack),
            Picture("t\\smagic.png", kColourKeyBlack),
            Picture("t\\holeHirami.png", kColourKeyBlack),
            Picture("t\\athunder.png", kColourKeyBlack),
            Picture("t\\flare2.png", kColourKeyBlack),
            Picture("t\\yougan001.png", kColourKeyBlack),
            Mesh("x\\lboss04.x"),
            Mesh("x\\boss04tama.x"),
            Mesh("x\\kouha.x"),
            Picture("t\\darkmagic.png", kColourKeyBlack),
            Picture("t\\amagic.png", kColourKeyBlack),
            Mesh("x\\tama.x"),
            Mesh("x\\lancer.x"),
            Mesh("x\\raser.x"),
            Picture("t\\denmagic.png", kColourKeyBlack),
            Picture("t\\hanmagic.png", kColourKeyBlack),
            Picture("t\\bumagic.png", kColourKeyBlack),
            Picture("t\\sanmagic.png", kColourKeyBlack),
            Picture("t\\amagic.png", kColourKeyBlack),
            Picture("t\\eye2.png", kColourKeyBlack),
            Picture("t\\snow.png", kColourKeyBlack),
            Picture("t\\lasthole.png", kColourKeyBlack),
            Picture("t\\flare2.png", kNoColourKey),
            Picture("t\\bullet.png", kNoColourKey),
            Picture("t\\explosion01.png", kColourKeyBlack),
            Picture("t\\explosionRuin.png", kColourKeyBlack),
            Picture("t\\explosion3.png", kColourKeyBlack),
            Mesh("x\\explosion03.x"),
            Picture("t\\yougan001.png", kColourKeyBlack),
            Mesh("x\\explosion04.x"),
            Picture("t\\bom.png", kColourKeyBlack),
        },
        &items);
    Append({CameraDirector::Assets(), Console::Assets(), PausePanel::Assets()}, &items);
    return items;
}
