#pragma once
// Program-wide game state: the scene flags, the stage, the score, the boss-battle state, the input
// snapshot and the tick-based timers. Plain loads and stores, main thread only.

#include <cstddef>
#include <cstdint>

#include "core/input_state.h"

// The scene flags. A scene runs while its flag is 1, and several may be set at once. Only the game
// object (GameApp) sets them; everything else reads them, and reports what should change.
enum class SceneFlag : std::uint8_t {
    kGameOver,
    kTitle,
    kGame,
    kGameClear,   // the stage-clear screen
    kStageTitle,  // the stage's title card
    kStory,
    kStaff,       // the staff roll
    kLastClear,   // the clear in progress is the last stage's: stage clear leads to the staff roll
};
inline constexpr std::size_t kSceneFlagCount = 8;

// A value outside the eight is ignored on set and reads as 0.
void SetSceneFlag(SceneFlag flag, std::uint8_t value);
std::uint8_t IsSceneFlag(SceneFlag flag);

void SetStage(std::int32_t stage);
std::int32_t GetStage();
void SetNextStage(std::int32_t stage);
std::int32_t GetNextStage();

void SetScore(std::int32_t score);
void AddScore(std::int32_t points);
std::int32_t GetScore();

void SetTitleMenuChoice(std::int32_t choice);
std::int32_t GetTitleMenuChoice();

void SetBossBattleActive(std::uint8_t active);
std::uint8_t IsBossBattleActive();
void SetBossBattleEnded(std::uint8_t ended);
std::uint8_t IsBossBattleEnded();

void SetCameraCutIn(std::uint8_t active, std::int32_t index);
std::uint8_t IsCameraCutInActive();
std::int32_t GetCameraCutInIndex();

void SetFlightAreaConfined(std::uint8_t confined);
std::uint8_t IsFlightAreaConfined();

void SetSceneryVariant(std::int32_t variant);
std::int32_t GetSceneryVariant();
void SetNextSceneryVariant(std::int32_t variant);
std::int32_t GetNextSceneryVariant();
void SetSceneryChangePending(std::uint8_t pending);
std::uint8_t IsSceneryChangePending();

void SetInputDeviceKind(std::int32_t kind);
std::int32_t GetInputDeviceKind();

void ClearInputState();
InputState* InputStateStorage();
InputState GetInputState();

// Timers on the tick count; now is the frame's tick, handed down from the main loop.
void SetInputGate(std::uint32_t now, std::uint32_t ms);
bool InputGateExpired(std::uint32_t now);
void StartStageClock(std::uint32_t now);
void UpdateStageClock(std::uint32_t now);
std::uint32_t StageElapsed();
void BossTimerStart(std::uint32_t now);
std::uint32_t BossTimerFold(std::uint32_t now);
std::uint32_t BossTimerElapsed(std::uint32_t now);

// Puts every value back to its state at program start (tests).
void ResetRegistry();
