#pragma once
// The game object: owns every scene and game object, loads all their resources once, and runs a step and
// a draw per scene. The steps make every change of scene: flags, music, sounds, the input
// gate and the resets of the game objects.

#include <cstdint>
#include <optional>

#include "core/input_state.h"
#include "platform/core/window.h"
#include "platform/gfx/device_types.h"
#include "platform/gfx/math.h"
#include "bosses/boss_roster.h"
#include "enemies/enemy_manager.h"
#include "hud/score_board.h"
#include "hud/console.h"
#include "player/player.h"
#include "scenes/scene_frames.h"
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

// What a pause stops: a stage being played (the panel with RESUME and QUIT TO TITLE), the title (the
// settings alone), or nothing (the screens between, which run on their own timers).
enum class PauseKind { kNone, kStage, kTitle };

class GameApp : public SceneFrames {
public:
    static constexpr std::uint32_t kShutterCloseMs = 1000;
    static constexpr std::uint32_t kConfirmGateMs = 2200;
    static constexpr std::uint32_t kMenuMoveGateMs = 100;
    static constexpr std::uint32_t kTitleIdleMs = 60000;
    static constexpr std::uint32_t kGameOverGateMs = 4000;
    static constexpr std::uint32_t kGameOverScreenGateMs = 5000;
    static constexpr std::uint32_t kLeaveGameOverGateMs = 500;
    static constexpr std::uint32_t kStaffRollGateMs = 5000;

    GameApp() = default;
    GameApp(const GameApp&) = delete;
    GameApp& operator=(const GameApp&) = delete;

    // S_OK, or E_FAIL when there is no device. A file that fails ends the program through the loaders'
    // own convention; loading still goes on with the next object.
    // now is the tick the program started its first frame from.
    platform::HRESULT Load(platform::Device* device, platform::Sprite* sprite, platform::WindowHandle window,
                           std::uint32_t now);

    // The stage GAME START begins at (1 to 3; others are ignored). Practice and testing start later
    // stages this way; the flow after it is the game's own.
    void SetStartStage(std::int32_t stage);

    void DeviceRestored(platform::Device* device) override;

    void StepScene(Scene scene, const Frame& frame) override;
    void DrawScene(Scene scene, platform::Device* device, platform::Sprite* sprite, const Frame& frame) override;


    PauseKind Pausable() const;
    // Leaves the stage for the title as leaving game over does: the record saved, the title's music, the
    // title behind the shutter, which stands closed and opens.
    void QuitToTitle(std::uint32_t now);
    // The shutter closing over the game standing still, before QuitToTitle; it is started anew there.
    void StartQuitShutter(std::uint32_t at);
    // A frame of the game standing still: the scene's picture dimmed, so that a title stopped by the
    // player's leaving shows it is paused as the panel does; the panel when shown, and the shutter at its tick when it is closing.
    void DrawStill(platform::Sprite* sprite, platform::Texture* scene, bool panel,
                   std::optional<std::uint32_t> shutterAt);
    PausePanel& Panel() { return pausePanel_; }

    const TitleScreen& Title() const { return title_; }
    const Shutter& GetShutter() const { return shutter_; }
    const GameOverScreen& GameOver() const { return gameOver_; }
    const StageClearBanner& StageClear() const { return stageClear_; }
    const InputState& InputCopy() const { return inputCopy_; }
    const CameraDirector& Camera() const { return camera_; }
    CameraDirector& Camera() { return camera_; }
    const Player& Ship() const { return player_; }
    Player& Ship() { return player_; }
    Console& GetConsole() { return console_; }
    Explosion& Explosions() { return enemies_.ProgramExplosion(); }
    EnemyManager& Enemies() { return enemies_; }
    BossRoster& Bosses() { return bosses_; }
    Stage1Background& Stage1() { return stage1_; }
    Stage2Background& Stage2() { return stage2_; }
    Stage3Background& Stage3() { return stage3_; }
    ScoreBoard& Score() { return score_; }
    std::int32_t StartStage() const { return startStage_; }

private:
    // The confirmed flags of the five screens that are left by a confirmation.
    struct Confirmed {
        std::uint8_t title = 0;
        std::uint8_t stageTitle = 0;
        std::uint8_t story = 0;
        std::uint8_t stageClear = 0;
        std::uint8_t staff = 0;
    };

    // Each scene's step (its logic: flags, music, sounds, the gate, the game objects' steps) and its draw
    // (only what the step left), in the order the frame host calls them.
    void GameOverStep(const Frame& frame);
    void GameOverDraw(platform::Sprite* sprite);
    void StageClearStep(const Frame& frame);
    void StageClearDraw(platform::Sprite* sprite);
    void GameStep(const Frame& frame);
    void GameDraw(platform::Device* device, platform::Sprite* sprite);
    void TitleStep(const Frame& frame);
    void TitleDraw(platform::Sprite* sprite);
    void StageTitleStep(const Frame& frame);
    void StageTitleDraw(platform::Sprite* sprite);
    void StoryStep(const Frame& frame);
    void StoryDraw(platform::Sprite* sprite);
    void StaffStep(const Frame& frame);
    void StaffDraw(platform::Sprite* sprite);
    // Closes the shutter over the screen being left; the switch follows once it has closed.
    void BeginLeaving(std::uint32_t now, bool gate, bool sound);
    bool ShutterClosed(std::uint32_t now) const;
    // A new game (from the title or when the story returns to it) and the start of a stage.
    void ResetForNewGame(std::uint32_t now);
    void ResetForStage(std::uint32_t now);
    // The title after a game: its music, flags, gate and clock, and the record saved.
    void EnterTitle(std::uint32_t now);
    // Game over, entered once: the flags, the gate and the music.
    void EnterGameOver(std::uint32_t now);
    // A final boss has fallen: the stage-clear screen, and after the last one the staff roll.
    void EndStage(std::uint32_t now, StageEnd end);
    void ResetSceneries(std::uint32_t now);
    // The current stage's scenery, or none.
    StageBackground* CurrentScenery();

    // Members in construction order: the camera director first, then the stage's game objects, then
    // the screens.
    CameraDirector camera_;
    Player player_;
    EnemyManager enemies_;
    BossRoster bosses_;
    Stage1Background stage1_;
    Stage2Background stage2_;
    Stage3Background stage3_;
    ScoreBoard score_;
    Console console_;
    TitleScreen title_;
    StageTitleCard stageTitle_;
    GameOverScreen gameOver_;
    StageClearBanner stageClear_;
    Shutter shutter_;
    StoryScreen story_;
    StaffRoll staff_;
    PausePanel pausePanel_;

    InputState inputCopy_{};
    Confirmed confirmed_;
    std::int32_t startStage_ = 1;
};
