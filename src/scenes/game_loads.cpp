#include "scenes/game_loads.h"

#include <initializer_list>
#include <span>

#include "bosses/boss_roster.h"
#include "effects/bomb_blast.h"
#include "effects/damage_flash.h"
#include "effects/explosion.h"
#include "enemies/enemy_manager.h"
#include "hud/console.h"
#include "hud/score_board.h"
#include "hud/sight.h"
#include "player/player.h"
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

using platform::PrefetchItem;

namespace {

void Append(std::initializer_list<std::span<const AssetRef>> lists, std::vector<PrefetchItem>* out) {
    for (std::span<const AssetRef> list : lists) AppendPrefetch(list, out);
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
    Player::AppendAssets(&items);
    Append({Sight::Assets()}, &items);
    EnemyManager::AppendAssets(&items);
    BossRoster::AppendBossAssets(&items);
    // The boss roster's effects.
    Append({Explosion::kAssets, DamageFlash::kAssets, BombBlast::kAssets}, &items);
    Append({CameraDirector::Assets(), Console::Assets(), PausePanel::Assets()}, &items);
    return items;
}
