#pragma once
// Program-wide game state: the scene flags, the stage, the score, the boss-battle state, the input
// snapshot and the tick-based timers. Plain loads and stores, main thread only.

#include <cstdint>

#include "app/input_state.h"

// Scene flags, by the names the flow uses: "title", "story", "stagetitle", "game", "gameover",
// "gameclear", "lclear", "staff". Other names are ignored on set and read as 0.
void SetSceneFlag(const char* name, std::uint8_t value);
std::uint8_t IsSceneFlag(const char* name);

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

// Timers, all on the platform tick count.
void SetInputGate(std::uint32_t ms);
bool InputGateExpired();
void StartStageClock();
void UpdateStageClock();
std::uint32_t StageElapsed();
void BossTimerStart();
std::uint32_t BossTimerFold();
std::uint32_t BossTimerElapsed();

// Puts every value back to its state at program start (tests).
void ResetRegistry();
