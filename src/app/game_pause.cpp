#include "app/game_pause.h"

#include <optional>

#include "app/render_framework.h"
#include "audio/scene_audio.h"
#include "platform/core/window.h"
#include "scenes/game_app.h"

GamePause::GamePause(RenderFramework& framework, GameApp& game, bool listening)
    : framework_(framework), game_(game), listening_(listening), windowShape_(platform::CurrentMainWindow()) {}

GamePause::~GamePause() { platform::SetMenuTakesEscape(false); }

platform::WindowActivity GamePause::TakeActivity() {
    const platform::WindowActivity activity = platform::ConsumeWindowActivity();
    if (activity == platform::WindowActivity::kLost) lossPending_ = state_ == State::kRunning;
    if (activity == platform::WindowActivity::kRegained) lossPending_ = false;
    return activity;
}

void GamePause::Stop(std::uint32_t now, State next, const GameFrame& runGame) {
    lossPending_ = false;
    stillGameTick_ = GameTick(now);
    framework_.CaptureNextFrame();
    runGame(stillGameTick_, false);
    // The frame may have ended the stage (a boss's fall, the loss): then there is nothing to pause.
    const PauseKind kind = game_.Pausable();
    if (kind == PauseKind::kNone) return;
    stagePaused_ = kind == PauseKind::kStage;
    // The stage's pause always shows the panel; the title shows it only when asked for.
    state_ = stagePaused_ ? State::kPanel : next;
    if (state_ == State::kPanel) OpenPanel(stagePaused_ ? PanelKind::kStage : PanelKind::kTitle);
    if (stagePaused_) Audio().Pause();
    // This pass was a frame of the game: the stretch stood still starts where the next frame would have,
    // however soon the loop comes round again (at once, while the window is minimised).
    stopStart_ = now + kFrameMs;
}

void GamePause::OpenPanel(PanelKind kind) {
    game_.Panel().Open(kind, framework_.HeldControls());
    platform::SetMenuTakesEscape(true);
}

void GamePause::ClosePanel() {
    platform::SetMenuTakesEscape(false);
    if (game_.Panel().SettingsChanged() && settingsChanged) settingsChanged();
}

void GamePause::Go(std::uint32_t now, bool quitToTitle, const GameFrame& runGame) {
    if (static_cast<std::int32_t>(now - stopStart_) > 0) stoppedTotal_ += now - stopStart_;
    state_ = State::kRunning;
    // Leaving for the title starts its own music; otherwise the song goes on where it stopped.
    if (stagePaused_ && !quitToTitle) Audio().Resume();
    stagePaused_ = false;
    runGame(GameTick(now), quitToTitle);
}

void GamePause::Hidden(std::uint32_t now, const GameFrame& runGame) {
    platform::ConsumePauseRequest();
    TakeActivity();
    if (windowShape_.Changed(now) && settingsChanged) settingsChanged();
    if (listening_ && state_ == State::kRunning && game_.Pausable() != PauseKind::kNone) {
        Stop(now, State::kStill, runGame);
    }
}

void GamePause::Frame(std::uint32_t now, const GameFrame& runGame) {
    const bool pauseKey = platform::ConsumePauseRequest();
    const platform::WindowActivity activity = TakeActivity();
    if (windowShape_.Changed(now) && settingsChanged) settingsChanged();
    if (!listening_) {
        runGame(now, false);
        return;
    }
    switch (state_) {
        case State::kRunning:
            if (game_.Pausable() == PauseKind::kNone || (!pauseKey && !lossPending_)) {
                runGame(GameTick(now), false);
            } else {
                lossPending_ = false;
                Stop(now, pauseKey ? State::kPanel : State::kStill, runGame);
            }
            return;
        case State::kStill:
            // The title stood still while the player was away: their return lets it go on, P opens the panel.
            if (pauseKey) {
                state_ = State::kPanel;
                OpenPanel(PanelKind::kTitle);
            } else if (activity == platform::WindowActivity::kRegained) {
                Go(now, false, runGame);
                return;
            }
            break;
        case State::kPanel: {
            const PanelAction action = game_.Panel().Step(framework_.HeldControls());
            if (pauseKey || platform::ConsumeEscapeRequest() || action == PanelAction::kResume || action == PanelAction::kClose) {
                ClosePanel();
                Go(now, false, runGame);
                return;
            }
            if (action == PanelAction::kQuitToTitle) {
                ClosePanel();
                state_ = State::kQuitting;
                quitStart_ = now;
                game_.StartQuitShutter(stillGameTick_);
            }
            break;
        }
        case State::kQuitting:
            if (now - quitStart_ > kQuitShutterMs) {
                Go(now, true, runGame);
                return;
            }
            break;
    }
    const bool panel = state_ == State::kPanel;
    std::optional<std::uint32_t> shutterAt;
    if (state_ == State::kQuitting) shutterAt = stillGameTick_ + (now - quitStart_);
    framework_.RunStillFrame(&game_, [&](platform::Device*, platform::Sprite* sprite) {
        game_.DrawStill(sprite, framework_.CapturedFrame(), panel, shutterAt);
    });
}
