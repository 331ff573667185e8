#include "scenes/game_app.h"

#include <initializer_list>

#include "core/registry.h"
#include "enemies/enemy_schedule.h"
#include "platform/gfx/device.h"
#include "platform/gfx/sprite.h"
#include "scenes/game_device_state.h"
#include "render/draw_state.h"
#include "render/picture_drawing.h"
#include "audio/scene_audio.h"
#include "audio/sound_cues.h"

using namespace platform;

namespace {

constexpr std::int32_t kTrackStory = 0;
constexpr std::int32_t kTrackTitle = 4;
constexpr std::int32_t kTrackStageTitle = 5;
constexpr std::int32_t kTrackGameOver = 10;
constexpr std::int32_t kTrackStaffRoll = 11;

bool Confirm(const InputState& input) { return input.button1 == kInputButton1; }

// A sprite bracket that is always closed, whatever the drawing in it does.
class SpriteBracket {
public:
    SpriteBracket(Sprite* sprite, std::uint32_t flags) : sprite_(sprite) {
        if (sprite_) sprite_->Begin(flags);
    }
    ~SpriteBracket() {
        if (sprite_) sprite_->End();
    }
    SpriteBracket(const SpriteBracket&) = delete;
    SpriteBracket& operator=(const SpriteBracket&) = delete;

private:
    Sprite* sprite_;
};

}  // namespace

HRESULT GameApp::Load(Device* device, Sprite* sprite, WindowHandle window, std::uint32_t now) {
    if (!device) return E_FAIL;

    SetStage(1);
    SetTitleMenuChoice(0);
    SetSceneFlag(SceneFlag::kTitle, 1);
    SetSceneFlag(SceneFlag::kLastClear, 0);

    title_.Bind(device, sprite, window);
    title_.Load();
    title_.Reset(now);
    shutter_.Bind(device, sprite, window);
    shutter_.Load();
    story_.Bind(device, sprite, window);
    story_.Load();
    staff_.Bind(device, sprite, window);
    staff_.Load();
    stageTitle_.Bind(device, sprite, window);
    stageTitle_.Load();
    gameOver_.Bind(device, sprite, window);
    gameOver_.Load();
    stageClear_.Bind(device, sprite, window);
    stageClear_.Load();

    for (StageBackground* scenery : std::initializer_list<StageBackground*>{&stage1_, &stage2_, &stage3_}) {
        scenery->Bind(device, sprite, window);
        scenery->Load();
    }
    score_.Bind(device, sprite, window);
    score_.Load();
    player_.Bind(device, sprite, window);
    player_.Load();
    enemies_.SetTimetable(BuildEnemySchedule);
    enemies_.Bind(device, sprite, window);
    enemies_.Load();
    bosses_.Load(device, sprite, window);
    camera_.Bind(device, sprite, window);
    camera_.LoadPortraits();

    ApplyGameDeviceState(device);

    // The hit-test targets, record by record: the ship's shots for the enemies, the enemies for the
    // ship and the radar, their shots and the sceneries' obstacles for the ship.
    for (PlayerShot& shot : player_.Gun().Shots()) {
        enemies_.AddPlayerShot(&shot);
        bosses_.AddPlayerShot(&shot);
    }
    for (Enemy& enemyClass : enemies_.Classes()) {
        for (EnemyRecord& enemy : enemyClass.Records()) player_.AddEnemy(&enemy);
    }
    for (EnemyShotRecord& shot : enemies_.ShotRecords()) player_.AddEnemyShot(&shot);
    for (BuildingItem& building : stage1_.Buildings()) player_.AddBuilding(&building);
    for (SpaceItem& rock : stage2_.Rocks()) player_.AddRock(&rock);
    for (SpaceItem& star : stage2_.Stars()) player_.AddStarItem(&star);
    for (PetalItem& petal : stage3_.Petals()) player_.AddPetal(&petal);

    // The pointers the game objects keep to each other.
    player_.SetExplosion(&enemies_.ProgramExplosion());
    bosses_.SetPlayerState(player_.StateRecord());
    bosses_.SetShipLife(&player_);
    bosses_.SetStage1Flag(stage1_.Stage1Flag());
    bosses_.SetGaugeValue(console_.BossGaugeValue());
    stage2_.SetInputState(&inputCopy_);
    stage2_.SetPlayerState(player_.StateRecord());
    stage2_.SetDashing(player_.DashingFlag());
    stage3_.SetInputState(&inputCopy_);
    stage3_.SetPlayerState(player_.StateRecord());
    stage3_.SetDashing(player_.DashingFlag());

    camera_.SetDefaults(Vector3{0.0f, 4.0f, 0.0f}, Vector3{0.0f, 0.0f, 20.0f});
    console_.Bind(device, sprite, window);
    console_.Load();
    for (Enemy& enemyClass : enemies_.Classes()) {
        for (EnemyRecord& enemy : enemyClass.Records()) console_.AddRadarTarget(&enemy);
    }
    pausePanel_.Bind(device, sprite, window);
    pausePanel_.Load();
    return S_OK;
}

PauseKind GameApp::Pausable() const {
    if (IsSceneFlag(SceneFlag::kGame) && !IsSceneFlag(SceneFlag::kGameOver) && !IsSceneFlag(SceneFlag::kGameClear)) {
        return PauseKind::kStage;
    }
    // Not once the title is being left: the shutter's close is already counting down to the next screen.
    if (IsSceneFlag(SceneFlag::kTitle) && !IsSceneFlag(SceneFlag::kGameOver) && shutter_.Active() == 0) {
        return PauseKind::kTitle;
    }
    return PauseKind::kNone;
}

void GameApp::StartQuitShutter(std::uint32_t at) { shutter_.Start(at); }

void GameApp::DrawStill(Sprite* sprite, platform::Texture* scene, bool panel, std::optional<std::uint32_t> shutterAt) {
    if (scene) {
        // Opaque, so that the whole screen is one plain copy rather than a blend.
        SpriteBracket opaque(sprite, 0);
        DrawPicture(pausePanel_, scene, nullptr, 0.0f, 0.0f, 1.0f, 1.0f,
                    PausePanel::kDimColour);
    }
    // In the order drawn: the items over the panel, the shutter over both.
    SpriteBracket bracket(sprite, D3DXSPRITE_ALPHABLEND);
    if (panel) pausePanel_.Draw();
    if (shutterAt) {
        shutter_.Step(*shutterAt);
        shutter_.Draw();
    }
}

void GameApp::QuitToTitle(std::uint32_t now) {
    for (SceneFlag flag : {SceneFlag::kGame, SceneFlag::kGameOver, SceneFlag::kGameClear, SceneFlag::kLastClear,
                           SceneFlag::kStageTitle, SceneFlag::kStory, SceneFlag::kStaff}) {
        SetSceneFlag(flag, 0);
    }
    // A boss's introduction cut short must not leave its cut-in holding the input back.
    camera_.Reset();
    SetBossBattleActive(0);
    SetBossBattleEnded(0);
    EnterTitle(now);
    // The shutter stands closed, as the pause left it, and opens on the title.
    shutter_.Start(now - kShutterCloseMs);
}

void GameApp::SetStartStage(std::int32_t stage) {
    if (stage >= 1 && stage <= 3) startStage_ = stage;
}

void GameApp::DeviceRestored(Device* device) {
    if (device) ApplyGameDeviceState(device);
}

void GameApp::BeginLeaving(std::uint32_t now, bool gate, bool sound) {
    shutter_.Start(now);
    if (gate) SetInputGate(now, kConfirmGateMs);
    if (sound) Audio().PlaySound(sound::kConfirm);
}

bool GameApp::ShutterClosed(std::uint32_t now) const {
    return shutter_.Active() == 1 && now > shutter_.LeavingTick() + kShutterCloseMs;
}

void GameApp::ResetSceneries(std::uint32_t now) {
    stage1_.Reset(now);
    stage2_.Reset(now);
    stage3_.Reset(now);
}

StageBackground* GameApp::CurrentScenery() {
    switch (GetStage()) {
        case 1:
            return &stage1_;
        case 2:
            return &stage2_;
        case 3:
            return &stage3_;
        default:
            return nullptr;
    }
}

void GameApp::ResetForNewGame(std::uint32_t now) {
    enemies_.ResetForNewGame();
    player_.ResetForNewGame(now);
    bosses_.Reset(now);
    ResetSceneries(now);
    camera_.Reset();
}

void GameApp::ResetForStage(std::uint32_t now) {
    // Every stage's enemies wait for their own stage; the ship keeps its record from the stage before.
    enemies_.ResetForNewGame();
    player_.ResetForStage(now);
    bosses_.Reset(now);
    ResetSceneries(now);
    camera_.Reset();
}

void GameApp::EnterGameOver(std::uint32_t now) {
    for (SceneFlag flag : {SceneFlag::kGameClear, SceneFlag::kLastClear, SceneFlag::kStageTitle, SceneFlag::kStory,
                           SceneFlag::kStaff, SceneFlag::kTitle}) {
        SetSceneFlag(flag, 0);
    }
    SetSceneFlag(SceneFlag::kGameOver, 1);
    SetInputGate(now, kGameOverGateMs);
    Audio().PlayTrack(kTrackGameOver);
    // An introduction cut short by the loss must not leave its request holding the input back.
    camera_.Reset();
}

void GameApp::GameStep(const Frame& frame) {
    const std::uint32_t now = frame.now;
    const InputState& input = frame.input;
    score_.Update(frame.fps, player_.State());
    // The view this frame is drawn from is the camera's as the frame begins; its step at the end moves it
    // for the next frame.
    camera_.KeepView();
    inputCopy_ = input;
    player_.SetInput(input);
    if (StageBackground* scenery = CurrentScenery()) scenery->Step(now);

    // Each step keeps what its object shows at its own point of the frame, so the hit tests after the
    // last of them change the next frame's picture, never this one's.
    player_.Control(now);
    bosses_.Step(now);
    player_.Weapons(now);
    enemies_.Update(now);
    console_.Step(now, player_.State());
    score_.Step(now);
    camera_.KeepPortraits();
    enemies_.ProgramExplosion().Step(now);
    bosses_.StepEffects(now);
    player_.StepTrail(now);
    player_.StepFlash(now);
    bosses_.StepFlash(now);

    enemies_.SetPlayerState(player_.State());
    enemies_.CheckPlayerShots(now, player_.Bomb().Blast());
    bosses_.SetSpecial(player_.Bomb().Blast());
    EndStage(now, bosses_.Battle(now));
    player_.CheckHits(now, enemies_.BodyHit(), camera_.ShakeRequest());
    if (player_.Bomb().Armed()) player_.LaunchBomb(now, enemies_.TargetList(), bosses_.Targets());
    // The game is lost once, on the first frame the ship has no life left.
    if (player_.State().life < 1 && IsSceneFlag(SceneFlag::kGameOver) == 0) EnterGameOver(now);
    camera_.Step(now);
}

void GameApp::GameDraw(Device* device, Sprite* sprite) {
    if (!camera_.DrawView()) return;
    // The world opaque unless a draw names otherwise.
    ScopedDrawState opaque(device, draw_state::kOpaque);
    if (StageBackground* scenery = CurrentScenery()) scenery->Draw();
    player_.DrawShip();
    bosses_.Draw();
    player_.DrawWeapons();
    enemies_.Draw();
    {
        SpriteBracket hud(sprite, D3DXSPRITE_ALPHABLEND);
        player_.DrawSight();
        console_.Draw();
        score_.Draw();
        camera_.DrawPortraits();
    }
    enemies_.ProgramExplosion().Draw();
    bosses_.DrawEffects();
    player_.DrawTrail();
    {
        SpriteBracket flashes(sprite, D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
        player_.DrawFlash();
        bosses_.DrawFlash();
    }
}

void GameApp::EndStage(std::uint32_t now, StageEnd end) {
    if (end == StageEnd::kNone) return;
    SetInputGate(now, BossRoster::kStageClearGateMs);
    SetSceneFlag(SceneFlag::kGameClear, 1);
    if (end == StageEnd::kLastClear) SetSceneFlag(SceneFlag::kLastClear, 1);
}

void GameApp::GameOverStep(const Frame& frame) {
    const std::uint32_t now = frame.now;
    const InputState& input = frame.input;
    if (gameOver_.Started() == 0) {
        gameOver_.Start(now);
        SetInputGate(now, kGameOverScreenGateMs);
    }
    // Once the static covers the screen the stage behind it stops.
    if (gameOver_.Step(now)) SetSceneFlag(SceneFlag::kGame, 0);
    if (Confirm(input)) EnterTitle(now);
}

void GameApp::GameOverDraw(Sprite* sprite) {
    SpriteBracket bracket(sprite, D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
    gameOver_.Draw();
}

void GameApp::EnterTitle(std::uint32_t now) {
    Audio().PlayTrack(kTrackTitle);
    // The title starts running in this same frame; it must not see the press.
    ClearInputState();
    gameOver_.ClearState();
    SetInputGate(now, kLeaveGameOverGateMs);
    StartStageClock(now);
    SetStage(1);
    SetSceneFlag(SceneFlag::kGameOver, 0);
    SetSceneFlag(SceneFlag::kTitle, 1);
    title_.Reset(now);
    // A game has ended: its record is written now, not only when the program ends.
    score_.SaveHighScore();
}

void GameApp::TitleStep(const Frame& frame) {
    const std::uint32_t now = frame.now;
    const InputState& input = frame.input;
    camera_.KeepView();
    camera_.Step(now);
    title_.Step(now, input);

    if (input.up == kInputUp) {
        SetInputGate(now, kMenuMoveGateMs);
        if (GetTitleMenuChoice() == 1) Audio().PlaySound(sound::kMenuMove);
        SetTitleMenuChoice(0);
    }
    if (input.down == kInputDown) {
        SetInputGate(now, kMenuMoveGateMs);
        if (GetTitleMenuChoice() == 0) Audio().PlaySound(sound::kMenuMove);
        SetTitleMenuChoice(1);
    }
    title_.StepMenu();

    const bool startChosen = GetTitleMenuChoice() == 0;
    if (Confirm(input)) {
        confirmed_.title = 1;
        BeginLeaving(now, true, startChosen);
    }
    UpdateStageClock(now);
    const bool idle = StageElapsed() >= kTitleIdleMs;
    if (idle && shutter_.Active() == 0) BeginLeaving(now, true, startChosen);

    if (GetTitleMenuChoice() == 1 && confirmed_.title == 1) title_.ChooseExit();

    if (startChosen && confirmed_.title == 1 && ShutterClosed(now)) {
        confirmed_.title = 0;
        SetBossBattleActive(0);
        SetBossBattleEnded(0);
        SetSceneFlag(SceneFlag::kTitle, 0);
        SetSceneFlag(SceneFlag::kStageTitle, 1);
        SetStage(startStage_);
        StartStageClock(now);
        SetScore(0);
        Audio().PlayTrack(kTrackStageTitle);
        ResetForNewGame(now);
        return;
    }
    if (idle && ShutterClosed(now)) {
        story_.Start(now);
        if (startChosen) Audio().PlaySound(sound::kConfirm);
        SetSceneFlag(SceneFlag::kTitle, 0);
        SetSceneFlag(SceneFlag::kStory, 1);
        Audio().PlayTrack(kTrackStory);
    }
}

void GameApp::TitleDraw(Sprite* sprite) {
    if (camera_.DrawView()) title_.DrawScene();
    SpriteBracket bracket(sprite, D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
    title_.DrawMenu();
}

void GameApp::StageTitleStep(const Frame& frame) {
    const std::uint32_t now = frame.now;
    const InputState& input = frame.input;
    stageTitle_.Step();
    if (Confirm(input)) {
        confirmed_.stageTitle = 1;
        BeginLeaving(now, true, true);
    }
    if (confirmed_.stageTitle == 1 && ShutterClosed(now)) {
        confirmed_.stageTitle = 0;
        SetBossBattleActive(0);
        SetBossBattleEnded(0);
        SetSceneFlag(SceneFlag::kStageTitle, 0);
        SetSceneFlag(SceneFlag::kGame, 1);
        StartStageClock(now);
        SetSceneryVariant(1);
        stageClear_.Start(now);
        ResetForStage(now);
        Audio().PlayTrack(GetStage());
    }
}

void GameApp::StageTitleDraw(Sprite* sprite) {
    SpriteBracket bracket(sprite, D3DXSPRITE_SORT_TEXTURE);
    stageTitle_.Draw();
}

void GameApp::StoryStep(const Frame& frame) {
    const std::uint32_t now = frame.now;
    const InputState& input = frame.input;
    story_.Step(now);
    if (Confirm(input) || (story_.RunOut(now) && shutter_.Active() == 0)) {
        confirmed_.story = 1;
        BeginLeaving(now, true, true);
    }
    if (confirmed_.story == 1 && ShutterClosed(now)) {
        confirmed_.story = 0;
        SetBossBattleActive(0);
        SetBossBattleEnded(0);
        SetSceneFlag(SceneFlag::kStory, 0);
        SetSceneFlag(SceneFlag::kTitle, 1);
        StartStageClock(now);
        SetSceneryVariant(1);
        Audio().FadeOut(500);
        Audio().PlayTrack(kTrackTitle);
        ResetForNewGame(now);
    }
}

void GameApp::StoryDraw(Sprite* sprite) {
    SpriteBracket bracket(sprite, D3DXSPRITE_SORT_TEXTURE);
    story_.Draw();
}

void GameApp::StageClearStep(const Frame& frame) {
    const std::uint32_t now = frame.now;
    if (stageClear_.Started() == 0) {
        stageClear_.SetStarted(1);
        stageClear_.Start(now);
    }
    stageClear_.Step(now);
    // Without a press, the screen leaves by itself once the gate set when the boss fell runs out.
    if (shutter_.Active() == 0 && (Confirm(frame.input) || InputGateExpired(now))) {
        confirmed_.stageClear = 1;
        BeginLeaving(now, false, true);
    }
    if (confirmed_.stageClear == 1 && ShutterClosed(now)) {
        confirmed_.stageClear = 0;
        // The next screen starts running in this same frame; the press that left must not reach it.
        ClearInputState();
        SetStage(GetNextStage());
        SetBossBattleActive(0);
        SetBossBattleEnded(0);
        SetSceneFlag(SceneFlag::kGame, 0);
        SetSceneFlag(SceneFlag::kGameClear, 0);
        if (IsSceneFlag(SceneFlag::kLastClear) == 0) {
            SetInputGate(now, kConfirmGateMs);
            Audio().PlayTrack(kTrackStageTitle);
            SetSceneFlag(SceneFlag::kStageTitle, 1);
        } else {
            SetInputGate(now, kStaffRollGateMs);
            Audio().PlayTrack(kTrackStaffRoll);
            SetSceneFlag(SceneFlag::kStaff, 1);
            staff_.Start(now + 1000);
        }
        StartStageClock(now);
        SetSceneryVariant(1);
        title_.Reset(now);
        stageClear_.SetStarted(0);
    }
}

void GameApp::StageClearDraw(Sprite* sprite) {
    SpriteBracket bracket(sprite, D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
    stageClear_.Draw();
}

void GameApp::StaffStep(const Frame& frame) {
    const std::uint32_t now = frame.now;
    const InputState& input = frame.input;
    staff_.Step(now);
    if (Confirm(input)) {
        confirmed_.staff = 1;
        BeginLeaving(now, true, true);
    }
    if (confirmed_.staff == 1 && ShutterClosed(now)) {
        confirmed_.staff = 0;
        SetStage(GetNextStage());
        SetStage(1);
        SetBossBattleActive(0);
        SetBossBattleEnded(0);
        SetSceneFlag(SceneFlag::kLastClear, 0);
        SetSceneFlag(SceneFlag::kStaff, 0);
        SetSceneFlag(SceneFlag::kTitle, 1);
        Audio().PlayTrack(kTrackTitle);
        StartStageClock(now);
        SetSceneryVariant(1);
        score_.SaveHighScore();
    }
}

void GameApp::StaffDraw(Sprite* sprite) {
    SpriteBracket bracket(sprite, D3DXSPRITE_ALPHABLEND);
    staff_.Draw();
}

void GameApp::StepScene(Scene scene, const Frame& frame) {
    switch (scene) {
        case Scene::kGameOver:
            GameOverStep(frame);
            break;
        case Scene::kStageClear:
            StageClearStep(frame);
            break;
        case Scene::kGame:
            GameStep(frame);
            break;
        case Scene::kTitle:
            TitleStep(frame);
            break;
        case Scene::kStageTitle:
            StageTitleStep(frame);
            break;
        case Scene::kStory:
            StoryStep(frame);
            break;
        case Scene::kStaff:
            StaffStep(frame);
            break;
        case Scene::kShutter:
            shutter_.Step(frame.now);
            break;
    }
}

void GameApp::DrawScene(Scene scene, Device* device, Sprite* sprite, const Frame&) {
    switch (scene) {
        case Scene::kGameOver:
            GameOverDraw(sprite);
            break;
        case Scene::kStageClear:
            StageClearDraw(sprite);
            break;
        case Scene::kGame:
            GameDraw(device, sprite);
            break;
        case Scene::kTitle:
            TitleDraw(sprite);
            break;
        case Scene::kStageTitle:
            StageTitleDraw(sprite);
            break;
        case Scene::kStory:
            StoryDraw(sprite);
            break;
        case Scene::kStaff:
            StaffDraw(sprite);
            break;
        case Scene::kShutter: {
            // The shutter over everything.
            SpriteBracket bracket(sprite, D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
            shutter_.Draw();
            break;
        }
    }
}
