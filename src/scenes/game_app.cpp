#include "scenes/game_app.h"

#include <initializer_list>

#include "app/registry.h"
#include "enemies/enemy_schedule.h"
#include "platform/core/clock.h"
#include "platform/gfx/device.h"
#include "platform/gfx/sprite.h"
#include "scenes/game_device_state.h"
#include "scenes/scene_audio.h"

using namespace platform;

namespace {

constexpr std::int32_t kTrackStory = 0;
constexpr std::int32_t kTrackTitle = 4;
constexpr std::int32_t kTrackStageTitle = 5;
constexpr std::int32_t kTrackGameOver = 10;
constexpr std::int32_t kTrackStaffRoll = 11;
constexpr std::int32_t kSoundConfirm = 4;
constexpr std::int32_t kSoundMenuMove = 12;

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

HRESULT GameApp::Load(Device* device, Sprite* sprite, WindowHandle window) {
    if (!device) return E_FAIL;

    SetStage(1);
    SetTitleMenuChoice(0);
    SetSceneFlag("title", 1);
    SetSceneFlag("lclear", 0);

    title_.Bind(device, sprite, window);
    title_.Load();
    title_.Reset();
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
    for (EnemyClass c : {EnemyClass::k01, EnemyClass::k02, EnemyClass::k03, EnemyClass::k04, EnemyClass::k05}) {
        for (EnemyRecord& enemy : enemies_.Records(c)) player_.AddEnemy(&enemy);
    }
    for (EnemyShotRecord& shot : enemies_.ShotRecords()) player_.AddEnemyShot(&shot);
    for (BuildingItem& building : stage1_.Buildings()) player_.AddBuilding(&building);
    for (SpaceItem& rock : stage2_.Rocks()) player_.AddRock(&rock);
    for (SpaceItem& star : stage2_.Stars()) player_.AddStarItem(&star);
    for (PetalItem& petal : stage3_.Petals()) player_.AddPetal(&petal);

    // The pointers the game objects keep to each other.
    player_.SetExplosion(&enemies_.ProgramExplosion());
    bosses_.SetPlayerState(player_.StateRecord());
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
    for (EnemyClass c : {EnemyClass::k01, EnemyClass::k02, EnemyClass::k03, EnemyClass::k04, EnemyClass::k05}) {
        for (EnemyRecord& enemy : enemies_.Records(c)) console_.AddRadarTarget(&enemy);
    }
    return S_OK;
}

void GameApp::SetStartStage(std::int32_t stage) {
    if (stage >= 1 && stage <= 3) startStage_ = stage;
}

void GameApp::DeviceRestored(Device* device) {
    if (device) ApplyGameDeviceState(device);
}

void GameApp::CommonCameraStep(Device* device) {
    if (!SetGameCamera(device, camera_.Eye(), camera_.LookAt())) return;
    device->SetRenderState(D3DRS_LIGHTING, 1);
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    device->SetRenderState(D3DRS_AMBIENT, 0x00808080u);
}

void GameApp::BeginLeaving(std::uint32_t now, bool gate, bool sound) {
    shutter_.Start(now);
    if (gate) SetInputGate(kConfirmGateMs);
    if (sound) Audio().PlaySound(kSoundConfirm);
}

bool GameApp::ShutterClosed(std::uint32_t now) const {
    return shutter_.Active() == 1 && now > shutter_.LeavingTick() + kShutterCloseMs;
}

void GameApp::ResetSceneries() {
    stage1_.Reset();
    stage2_.Reset();
    stage3_.Reset();
}

void GameApp::DrawScenery() {
    switch (GetStage()) {
        case 1:
            stage1_.Draw();
            break;
        case 2:
            stage2_.Draw();
            break;
        case 3:
            stage3_.Draw();
            break;
        default:
            break;
    }
}

void GameApp::ResetForNewGame() {
    enemies_.ResetForNewGame();
    player_.ResetForNewGame();
    bosses_.Reset();
    ResetSceneries();
    camera_.Reset();
}

void GameApp::ResetForStage() {
    // Every stage's enemies wait for their own stage; the ship keeps its record from the stage before.
    enemies_.ResetForNewGame();
    player_.ResetForStage();
    bosses_.Reset();
    ResetSceneries();
    camera_.Reset();
}

void GameApp::EnterGameOver() {
    player_.StateRecord()->life = 0;
    for (const char* flag : {"gameclear", "lclear", "stagetitle", "story", "staff", "title"}) SetSceneFlag(flag, 0);
    SetSceneFlag("gameover", 1);
    SetInputGate(kGameOverGateMs);
    Audio().PlayTrack(kTrackGameOver);
    // An introduction cut short by the loss must not leave its request holding the input back.
    camera_.Reset();
}

void GameApp::GameFrame(Device* device, Sprite* sprite, std::int32_t fps, InputState input) {
    if (!device) return;
    score_.Update(fps, player_.State());
    CommonCameraStep(device);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    inputCopy_ = input;
    player_.SetInput(input);
    DrawScenery();

    player_.Control();
    bosses_.Frame();
    player_.Weapons();
    enemies_.Update();
    {
        SpriteBracket hud(sprite, D3DXSPRITE_ALPHABLEND);
        player_.DrawSight();
        console_.Draw(player_.State());
        score_.Draw();
        camera_.DrawPortraits();
    }
    enemies_.ProgramExplosion().Draw();
    bosses_.DrawEffects();
    player_.Draw();
    {
        SpriteBracket flashes(sprite, D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
        player_.DrawFlash();
        bosses_.DrawFlash();
    }
    enemies_.SetPlayerState(player_.State());
    enemies_.CheckPlayerShots(player_.Bomb().Blast());
    bosses_.SetSpecial(player_.Bomb().Blast());
    bosses_.Battle();
    player_.CheckHits(enemies_.BodyHit(), camera_.ShakeRequest());
    if (player_.Bomb().Armed()) player_.LaunchBomb(enemies_.TargetList(), bosses_.Targets());
    // The game is lost once, on the first frame the ship has no life left.
    if (player_.State().life < 1 && IsSceneFlag("gameover") == 0) EnterGameOver();
    camera_.Step();
}

void GameApp::GameOverFrame(Sprite* sprite, InputState input) {
    const std::uint32_t now = GetTickCount();
    if (gameOver_.Started() == 0) {
        gameOver_.Start(now);
        SetInputGate(kGameOverScreenGateMs);
    }
    {
        SpriteBracket bracket(sprite, D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
        gameOver_.Draw();
    }
    if (Confirm(input)) {
        Audio().PlayTrack(kTrackTitle);
        // The title starts running in this same frame; it must not see the press.
        ClearInputState();
        gameOver_.ClearState();
        SetInputGate(kLeaveGameOverGateMs);
        StartStageClock();
        SetStage(1);
        SetSceneFlag("gameover", 0);
        SetSceneFlag("title", 1);
        title_.Reset();
        // A game has ended: its record is written now, not only when the program ends.
        score_.SaveHighScore();
    }
}

void GameApp::TitleFrame(Device* device, Sprite* sprite, InputState input) {
    CommonCameraStep(device);
    camera_.Step();
    title_.UpdateBackdrop();
    title_.UpdateShip(input);

    if (input.up == kInputUp) {
        SetInputGate(kMenuMoveGateMs);
        if (GetTitleMenuChoice() == 1) Audio().PlaySound(kSoundMenuMove);
        SetTitleMenuChoice(0);
    }
    if (input.down == kInputDown) {
        SetInputGate(kMenuMoveGateMs);
        if (GetTitleMenuChoice() == 0) Audio().PlaySound(kSoundMenuMove);
        SetTitleMenuChoice(1);
    }
    {
        SpriteBracket bracket(sprite, D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
        title_.Draw();
    }

    std::uint32_t now = GetTickCount();
    const bool startChosen = GetTitleMenuChoice() == 0;
    if (Confirm(input)) {
        confirmed_.title = 1;
        BeginLeaving(now, true, startChosen);
    }
    UpdateStageClock();
    now = GetTickCount();
    const bool idle = StageElapsed() >= kTitleIdleMs;
    if (idle && shutter_.Active() == 0) BeginLeaving(now, true, startChosen);

    if (GetTitleMenuChoice() == 1 && confirmed_.title == 1) title_.ChooseExit();

    if (startChosen && confirmed_.title == 1 && ShutterClosed(now)) {
        confirmed_.title = 0;
        SetBossBattleActive(0);
        SetBossBattleEnded(0);
        SetSceneFlag("title", 0);
        SetSceneFlag("stagetitle", 1);
        SetStage(startStage_);
        StartStageClock();
        SetScore(0);
        Audio().PlayTrack(kTrackStageTitle);
        ResetForNewGame();
        return;
    }
    if (idle && ShutterClosed(now)) {
        story_.Start(now);
        if (startChosen) Audio().PlaySound(kSoundConfirm);
        SetSceneFlag("title", 0);
        SetSceneFlag("story", 1);
        Audio().PlayTrack(kTrackStory);
    }
}

void GameApp::StageTitleFrame(Sprite* sprite, InputState input) {
    {
        SpriteBracket bracket(sprite, D3DXSPRITE_SORT_TEXTURE);
        stageTitle_.Draw();
    }
    const std::uint32_t now = GetTickCount();
    if (Confirm(input)) {
        confirmed_.stageTitle = 1;
        BeginLeaving(now, true, true);
    }
    if (confirmed_.stageTitle == 1 && ShutterClosed(now)) {
        confirmed_.stageTitle = 0;
        SetBossBattleActive(0);
        SetBossBattleEnded(0);
        SetSceneFlag("stagetitle", 0);
        SetSceneFlag("game", 1);
        StartStageClock();
        SetSceneryVariant(1);
        stageClear_.Start(now);
        ResetForStage();
        Audio().PlayTrack(GetStage());
    }
}

void GameApp::StoryFrame(Sprite* sprite, InputState input) {
    {
        SpriteBracket bracket(sprite, D3DXSPRITE_SORT_TEXTURE);
        story_.Draw();
    }
    const std::uint32_t now = GetTickCount();
    if (Confirm(input) || (story_.RunOut(now) && shutter_.Active() == 0)) {
        confirmed_.story = 1;
        BeginLeaving(now, true, true);
    }
    if (confirmed_.story == 1 && ShutterClosed(now)) {
        confirmed_.story = 0;
        SetBossBattleActive(0);
        SetBossBattleEnded(0);
        SetSceneFlag("story", 0);
        SetSceneFlag("title", 1);
        StartStageClock();
        SetSceneryVariant(1);
        Audio().FadeOut(500);
        Audio().PlayTrack(kTrackTitle);
        ResetForNewGame();
    }
}

void GameApp::StageClearFrame(Sprite* sprite, InputState input) {
    const std::uint32_t now = GetTickCount();
    if (stageClear_.Started() == 0) {
        stageClear_.SetStarted(1);
        stageClear_.Start(now);
    }
    {
        SpriteBracket bracket(sprite, D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
        stageClear_.Draw();
    }
    // Without a press, the screen leaves by itself once the gate set when the boss fell runs out.
    if (shutter_.Active() == 0 && (Confirm(input) || InputGateExpired())) {
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
        SetSceneFlag("game", 0);
        SetSceneFlag("gameclear", 0);
        if (IsSceneFlag("lclear") == 0) {
            SetInputGate(kConfirmGateMs);
            Audio().PlayTrack(kTrackStageTitle);
            SetSceneFlag("stagetitle", 1);
        } else {
            SetInputGate(kStaffRollGateMs);
            Audio().PlayTrack(kTrackStaffRoll);
            SetSceneFlag("staff", 1);
            staff_.Start(now + 1000);
        }
        StartStageClock();
        SetSceneryVariant(1);
        title_.Reset();
        stageClear_.SetStarted(0);
    }
}

void GameApp::StaffFrame(Sprite* sprite, InputState input) {
    {
        SpriteBracket bracket(sprite, D3DXSPRITE_ALPHABLEND);
        staff_.Draw();
    }
    const std::uint32_t now = GetTickCount();
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
        SetSceneFlag("lclear", 0);
        SetSceneFlag("staff", 0);
        SetSceneFlag("title", 1);
        Audio().PlayTrack(kTrackTitle);
        StartStageClock();
        SetSceneryVariant(1);
        score_.SaveHighScore();
    }
}

void GameApp::CommonFrame(Sprite* sprite, InputState /*input*/) {
    SpriteBracket bracket(sprite, D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
    shutter_.Draw();
}
