#pragma once
// The pause: between the loop and the game's frames, it keeps the game's own clock, which stands still
// while the game is paused. During a stage P, the Pause key or a pad's Start (or the window losing the
// player) stops the game: the music and the effects stop, and the last frame stays on screen, dimmed,
// under the pause panel, until the player resumes or quits to the title. On the title P opens the
// panel's settings; the window losing the player there only stops the clock, so that the story does
// not start unseen; the title is dimmed meanwhile. The window lost while the stage cannot pause yet
// (the stage card's shutter) pauses it at the first frame that can, unless the player is back by then.
// While the panel is open it takes Escape, to close it. A paused stretch is not game time: the game's tick is the loop's tick less every
// paused stretch, so a game paused for a minute goes on exactly as if it had not been.

#include <cstdint>
#include <functional>

#include "platform/core/events.h"

#include "app/window_shape_watch.h"
#include "scenes/pause_panel.h"

class GameApp;
class RenderFramework;

class GamePause {
public:
    // runs one frame of the game at the game's tick; quitToTitle asks it to leave the stage for the
    // title first.
    using GameFrame = std::function<void(std::uint32_t gameNow, bool quitToTitle)>;

    // listening is false for a replay, which ignores the pause keys and the window's focus.
    GamePause(RenderFramework& framework, GameApp& game, bool listening);
    ~GamePause();
    GamePause(const GamePause&) = delete;
    GamePause& operator=(const GamePause&) = delete;

    // One pass of the loop with the window shown, at the loop's tick.
    void Frame(std::uint32_t now, const GameFrame& runGame);
    // A pass with the window minimised or hidden: no frame is drawn, and the game pauses as when the
    // window loses the player.
    void Hidden(std::uint32_t now, const GameFrame& runGame);

    bool Paused() const { return state_ != State::kRunning; }
    bool PanelShown() const { return state_ == State::kPanel; }
    bool Quitting() const { return state_ == State::kQuitting; }
    // The game's tick for the loop's tick now (while running).
    std::uint32_t GameTick(std::uint32_t now) const { return now - stoppedTotal_; }
    // Called when the panel closes with a setting changed, and when full screen or the window's size
    // changed (WindowShapeWatch), so that it is kept.
    std::function<void()> settingsChanged;

    // The shutter closes over the still game for this long before the title.
    static constexpr std::uint32_t kQuitShutterMs = 1000;
    // A frame's slot in whole milliseconds.
    static constexpr std::uint32_t kFrameMs = 33;

private:
    enum class State { kRunning, kPanel, kStill, kQuitting };

    // A pause asked in this pass: the game runs this one frame, kept as the picture, then stands still.
    void Stop(std::uint32_t now, State next, const GameFrame& runGame);
    // The clock goes on from where it stood; the game's frame runs in this same pass.
    void Go(std::uint32_t now, bool quitToTitle, const GameFrame& runGame);
    void OpenPanel(PanelKind kind);
    void ClosePanel();
    // The window's activity since the last pass, noting a loss the game could not yet pause for.
    platform::WindowActivity TakeActivity();

    RenderFramework& framework_;
    GameApp& game_;
    bool listening_;
    State state_ = State::kRunning;
    bool stagePaused_ = false;
    bool lossPending_ = false;
    WindowShapeWatch windowShape_;
    std::uint32_t stopStart_ = 0;
    std::uint32_t stoppedTotal_ = 0;
    std::uint32_t stillGameTick_ = 0;
    std::uint32_t quitStart_ = 0;
};
