#include "core/registry.h"

#include <array>

namespace {

struct Registry {
    std::array<std::uint8_t, kSceneFlagCount> flags{};
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

}  // namespace

void SetSceneFlag(SceneFlag flag, std::uint8_t value) {
    const auto i = static_cast<std::size_t>(flag);
    if (i < g.flags.size()) g.flags[i] = value;
}

std::uint8_t IsSceneFlag(SceneFlag flag) {
    const auto i = static_cast<std::size_t>(flag);
    return i < g.flags.size() ? g.flags[i] : 0;
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

void SetInputGate(std::uint32_t now, std::uint32_t ms) {
    g.gateStart = now;
    g.gateLength = ms;
}

bool InputGateExpired(std::uint32_t now) {
    g.gateLastTested = now;
    return g.gateLength < now - g.gateStart;
}

void StartStageClock(std::uint32_t now) { g.clockBase = now; }

void UpdateStageClock(std::uint32_t now) {
    g.clockLastSample = now;
    g.clockElapsed = now - g.clockBase;
}

std::uint32_t StageElapsed() { return g.clockElapsed; }

void BossTimerStart(std::uint32_t now) { g.bossTimerStart = now; }

std::uint32_t BossTimerFold(std::uint32_t now) {
    std::uint32_t length = now - g.bossTimerStart;
    g.clockBase += length;
    return length;
}

std::uint32_t BossTimerElapsed(std::uint32_t now) { return now - g.bossTimerStart; }

void ResetRegistry() { g = Registry{}; }
