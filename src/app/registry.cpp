#include "app/registry.h"

#include <array>
#include <cstring>

#include "platform/core/clock.h"

namespace {

constexpr std::array<const char*, 8> kFlagNames = {"gameover", "title", "game",  "gameclear",
                                                   "stagetitle", "story", "staff", "lclear"};

struct Registry {
    std::array<std::uint8_t, kFlagNames.size()> flags{};
    std::int32_t stage = 0;
    std::int32_t nextStage = 0;
    std::int32_t score = 0;
    std::int32_t titleMenuChoice = 0;
    std::uint8_t bossBattleActive = 0;
    std::uint8_t bossBattleEnded = 0;
    std::uint8_t cameraCutInActive = 0;
    std::int32_t cameraCutInIndex = 0;
    std::uint8_t flightAreaConfined = 0;
    std::int32_t sceneryVariant = 1;
    std::int32_t nextSceneryVariant = 1;
    std::uint8_t sceneryChangePending = 0;
    std::int32_t inputDeviceKind = 0;
    InputState input{};
    std::uint32_t gateStart = 0;
    std::uint32_t gateLength = 0;
    std::uint32_t gateLastTested = 0;
    std::uint32_t clockBase = 0;
    std::uint32_t clockElapsed = 0;
    std::uint32_t clockLastSample = 0;
    std::uint32_t bossTimerStart = 0;
};

Registry g;

int FlagIndex(const char* name) {
    if (!name) return -1;
    for (std::size_t i = 0; i < kFlagNames.size(); ++i) {
        if (std::strcmp(kFlagNames[i], name) == 0) return static_cast<int>(i);
    }
    return -1;
}

std::uint32_t Now() { return platform::GetTickCount(); }

}  // namespace

void SetSceneFlag(const char* name, std::uint8_t value) {
    int i = FlagIndex(name);
    if (i >= 0) g.flags[static_cast<std::size_t>(i)] = value;
}

std::uint8_t IsSceneFlag(const char* name) {
    int i = FlagIndex(name);
    return i >= 0 ? g.flags[static_cast<std::size_t>(i)] : 0;
}

void SetStage(std::int32_t stage) { g.stage = stage; }
std::int32_t GetStage() { return g.stage; }
void SetNextStage(std::int32_t stage) { g.nextStage = stage; }
std::int32_t GetNextStage() { return g.nextStage; }

void SetScore(std::int32_t score) { g.score = score; }
void AddScore(std::int32_t points) { g.score += points; }
std::int32_t GetScore() { return g.score; }

void SetTitleMenuChoice(std::int32_t choice) { g.titleMenuChoice = choice; }
std::int32_t GetTitleMenuChoice() { return g.titleMenuChoice; }

void SetBossBattleActive(std::uint8_t active) { g.bossBattleActive = active; }
std::uint8_t IsBossBattleActive() { return g.bossBattleActive; }
void SetBossBattleEnded(std::uint8_t ended) { g.bossBattleEnded = ended; }
std::uint8_t IsBossBattleEnded() { return g.bossBattleEnded; }

void SetCameraCutIn(std::uint8_t active, std::int32_t index) {
    g.cameraCutInActive = active;
    g.cameraCutInIndex = index;
}
std::uint8_t IsCameraCutInActive() { return g.cameraCutInActive; }
std::int32_t GetCameraCutInIndex() { return g.cameraCutInIndex; }

void SetFlightAreaConfined(std::uint8_t confined) { g.flightAreaConfined = confined; }
std::uint8_t IsFlightAreaConfined() { return g.flightAreaConfined; }

void SetSceneryVariant(std::int32_t variant) { g.sceneryVariant = variant; }
std::int32_t GetSceneryVariant() { return g.sceneryVariant; }
void SetNextSceneryVariant(std::int32_t variant) { g.nextSceneryVariant = variant; }
std::int32_t GetNextSceneryVariant() { return g.nextSceneryVariant; }
void SetSceneryChangePending(std::uint8_t pending) { g.sceneryChangePending = pending; }
std::uint8_t IsSceneryChangePending() { return g.sceneryChangePending; }

void SetInputDeviceKind(std::int32_t kind) { g.inputDeviceKind = kind; }
std::int32_t GetInputDeviceKind() { return g.inputDeviceKind; }

void ClearInputState() { g.input = InputState{}; }
InputState* InputStateStorage() { return &g.input; }
InputState GetInputState() { return g.input; }

void SetInputGate(std::uint32_t ms) {
    g.gateStart = Now();
    g.gateLength = ms;
}

bool InputGateExpired() {
    std::uint32_t now = Now();
    g.gateLastTested = now;
    return g.gateLength < now - g.gateStart;
}

void StartStageClock() { g.clockBase = Now(); }

void UpdateStageClock() {
    std::uint32_t now = Now();
    g.clockLastSample = now;
    g.clockElapsed = now - g.clockBase;
}

std::uint32_t StageElapsed() { return g.clockElapsed; }

void BossTimerStart() { g.bossTimerStart = Now(); }

std::uint32_t BossTimerFold() {
    std::uint32_t length = Now() - g.bossTimerStart;
    g.clockBase += length;
    return length;
}

std::uint32_t BossTimerElapsed() { return Now() - g.bossTimerStart; }

void ResetRegistry() { g = Registry{}; }
