// The pause, through the whole game object: a paused stretch is no game time at all, the panel's
// settings, and leaving a stage for the title from it.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/game_pause.h"
#include "app/replay_session.h"
#include "audio/sound_cues.h"
#include "audio/volume.h"
#include "core/command_line.h"
#include "core/registry.h"
#include "platform/core/atomic_file.h"
#include "platform/core/events.h"
#include "platform/core/random.h"
#include "platform/input/dik_codes.h"
#include "platform/input/input_injection.h"
#include "scenes/game_digest.h"
#include "scenes/game_flow_support.h"

namespace {

using platform::DIK_DOWN, platform::DIK_LEFT, platform::DIK_RETURN, platform::DIK_RIGHT, platform::DIK_SPACE,
    platform::DIK_UP, platform::DIK_Z;

constexpr std::uint32_t kStartTicks = 200000;
constexpr int kPauseAt = 40;
constexpr int kScriptFrames = 120;

class GamePauseTest : public GameFlowTest {
protected:
    void SetUp() override {
        GameFlowTest::SetUp();
        Restart(false);
    }
    // The same game from the start again: the same clock, the same random numbers.
    void Restart(bool again = true) {
        if (again) {
            pause_.reset();
            harness_.Stop();
            clock_.Set(kStartTicks);
            ASSERT_TRUE(harness_.Start(options_).empty());
        }
        pause_ = std::make_unique<GamePause>(*framework_, *game_, true);
        platform::Srand(20261208);
        gameFrames_ = 0;
    }

    // One pass of the loop through the pause with these keys held, the window shown or minimised; true
    // when the game ran a frame.
    bool Pass(const Keys& keys = {}, bool hidden = false) {
        int code = 0;
        quit_ = platform::PumpMessages(&code) || quit_;
        for (int k : keys.down) platform::InjectKey(k, true);
        bool ran = false;
        const GamePause::GameFrame run = [&](std::uint32_t now, bool quit) {
            if (session_) {
                session_->RunFrame(*framework_, game_.get(), now, 30, quit);
            } else {
                if (quit) game_->QuitToTitle(now);
                framework_->RunFrame(game_.get(), now, 30);
            }
            ran = true;
        };
        hidden ? pause_->Hidden(clock_.Ticks(), run) : pause_->Frame(clock_.Ticks(), run);
        for (int k : keys.down) platform::InjectKey(k, false);
        clock_.Advance(kFrameMs);
        gameFrames_ += ran;
        return ran;
    }
    // The game's frames go through the session from now on, as in the game.
    void Use(ReplaySession& session) {
        ASSERT_TRUE(session.Open());
        platform::Srand(session.Seed(77));
        session.InitInput(*framework_, window_);
        session_ = &session;
    }
    void Press(int key) {
        Pass(Keys{{key}});
        Pass();
    }

    // Into the first boss's battle (GAME START, the card, 80 s of the stage), the ship kept alive.
    void IntoBattle() {
        for (int i = 0; i < 150; ++i) Pass(i == 0 || i == 80 ? Keys{{DIK_Z}} : Keys{});
        ASSERT_EQ(IsSceneFlag(SceneFlag::kGame), 1);
        clock_.Advance(78000);
        for (int i = 0; i < 200 && !IsBossBattleActive(); ++i) {
            game_->Ship().StateRecord()->life = PlayerState::kFullLife;
            Pass();
        }
        ASSERT_EQ(IsBossBattleActive(), 1);
    }
    static Keys Script(int i) {
        Keys keys{{i % 40 < 20 ? DIK_LEFT : DIK_RIGHT}};
        if (i % 3 == 0) keys.down.push_back(DIK_Z);
        return keys;
    }
    // The scripted flight in the battle, frame kPauseAt run by `atPause` in its own way: the digest after
    // every frame of the game, then the same with a plain frame there in a new run, from the same start.
    template <typename AtPause>
    void ExpectFlightAsIfPlain(AtPause atPause) {
        std::vector<std::uint64_t> digests[2];
        for (int run = 0; run < 2; ++run) {
            if (run == 1) Restart();
            IntoBattle();
            for (int i = 0; i < kScriptFrames; ++i) {
                if (i == kPauseAt && run == 0) {
                    atPause();
                } else {
                    EXPECT_TRUE(Pass(Script(i)));
                }
                digests[run].push_back(GameStateDigest(*game_));
            }
        }
        const auto [a, b] = std::mismatch(digests[0].begin(), digests[0].end(), digests[1].begin());
        EXPECT_EQ(a - digests[0].begin(), kScriptFrames) << "the first frame that differs";
        EXPECT_EQ(audio_.resumes, 1);
    }

    // From the title through GAME START, the story and the stage's card, fire(held) giving the keys.
    template <typename Fire>
    void ToTheStage(Fire fire) {
        for (int i = 0; i < 150 && !pause_->Paused(); ++i) Pass(fire(i == 0 || i == 80));
    }
    static std::uint64_t Brightness(const platform::Image& image) {
        std::uint64_t sum = 0;
        for (std::uint32_t argb : image.argb) sum += (argb & 0xFF) + (argb >> 8 & 0xFF) + (argb >> 16 & 0xFF);
        return sum;
    }

    std::unique_ptr<GamePause> pause_;
    bool quit_ = false;
    ReplaySession* session_ = nullptr;
    int gameFrames_ = 0;
};

TEST_F(GamePauseTest, ABossBattlePausedForAMinuteGoesOnFrameForFrameAsIfNeverPaused) {
    ExpectFlightAsIfPlain([&] {
        platform::PushPauseKey();
        // The frame the key is taken still runs; the game stands still from the next.
        EXPECT_TRUE(Pass(Script(kPauseAt)));
        ASSERT_TRUE(pause_->PanelShown());
        EXPECT_EQ(audio_.pauses, 1);
        const platform::Image first = Screen();
        // A minute of the manual clock with the arrows worked in the panel: nothing reaches the game.
        for (int s = 0; s < 60; ++s) {
            EXPECT_FALSE(Pass(Keys{{s % 2 ? DIK_UP : DIK_DOWN}}));
            clock_.Advance(1000 - kFrameMs);
        }
        EXPECT_FALSE(Pass());
        EXPECT_GT(DifferentPixels(first, Screen()), 0) << "the cursor moved";
        // Taken at the next pass, which is the next frame of the game.
        platform::PushPauseKey();
    });
}

TEST_F(GamePauseTest, MinimisingPausesTheStageAndAMinuteHiddenIsNoGameTime) {
    ExpectFlightAsIfPlain([&] {
        // Minimised: the first hidden pass is the last frame of the game, then the clock stands still.
        for (int s = 0; s < 60; ++s) {
            EXPECT_EQ(Pass(s == 0 ? Script(kPauseAt) : Keys{}, true), s == 0);
            clock_.Advance(1000 - kFrameMs);
        }
        EXPECT_EQ(audio_.pauses, 1);
        // Shown again: the panel waits for the player.
        platform::PushWindowFocus(true);
        EXPECT_FALSE(Pass() || !pause_->PanelShown());
        platform::PushPauseKey();
    });
}

TEST_F(GamePauseTest, QuitToTitleLeavesAsGameOverDoesAndARecordingWithPausesAndTheQuitReplaysToTheSameState) {
    CommandLine record;
    record.recordPath = (workDir_->Path() / "run.kvj").string();
    ReplaySession recorder(record);
    Use(recorder);
    for (int i = 0; i < 160; ++i) Pass(i == 0 || i == 80 ? Keys{{DIK_Z}} : Script(i));
    ASSERT_EQ(IsSceneFlag(SceneFlag::kGame), 1);
    platform::PushPauseKey();
    Pass();
    for (int s = 0; s < 20; ++s) clock_.Advance(1000), Pass();
    platform::PushPauseKey();
    for (int i = 0; i < 30; ++i) Pass(Script(i));
    // A score over the record, given again at the same frame of the replay.
    const int scoreAt = gameFrames_;
    SetScore(987650);
    platform::PushPauseKey();
    Pass();
    for (int i = 0; i < 4; ++i) Press(DIK_DOWN);
    ASSERT_EQ(game_->Panel().Selected(), PanelItem::kQuit);
    // Fire acts when let go; the shutter closes over the still game, then the title.
    Pass(Keys{{DIK_Z}});
    audio_.Clear();
    Pass();
    EXPECT_TRUE(pause_->Quitting());
    EXPECT_EQ(audio_.Count(sound::kConfirm), 1);
    int stillFrames = 0;
    while (!Pass()) ++stillFrames;
    EXPECT_GE(stillFrames * kFrameMs, GamePause::kQuitShutterMs - kFrameMs);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kTitle) * 2 + IsSceneFlag(SceneFlag::kGame), 2);
    EXPECT_EQ(audio_.tracks, std::vector<int>{4}) << "the title's music, not the stage's again";
    EXPECT_EQ(audio_.resumes, 0);
    EXPECT_EQ(game_->Score().HighScore(), 987650);
    EXPECT_EQ(game_->GetShutter().Active(), 1) << "the title opens behind the shutter";
    for (int i = 0; i < 60; ++i) Pass();
    recorder.Finish(*game_, 0);
    std::string journal;
    ASSERT_TRUE(platform::ReadWholeFile(record.recordPath, &journal));
    const std::string recorded = ClosingLine("run", 0, *game_);

    Restart();
    CommandLine replay;
    replay.replayPath = (workDir_->Path() / "run.kvj").string();
    ASSERT_TRUE(platform::ReplaceFileAtomically(replay.replayPath, journal));
    ReplaySession replayer(replay);
    Use(replayer);
    // A replay listens to no pause key.
    pause_ = std::make_unique<GamePause>(*framework_, *game_, false);
    platform::PushPauseKey();
    while (!QuitPosted()) {
        if (gameFrames_ == scoreAt) SetScore(987650);
        Pass();
    }
    EXPECT_EQ(ClosingLine("run", 0, *game_), recorded);
}

TEST_F(GamePauseTest, OnTheTitleThePanelHoldsTheSettingsAndTheClockStandsStillWhileItOrTheFocusIsAway) {
    Pass();
    platform::PushPauseKey();
    Pass();
    ASSERT_TRUE(pause_->PanelShown());
    EXPECT_EQ(game_->Panel().ItemCount(), 3);
    EXPECT_EQ(audio_.pauses, 0) << "the title's music plays on";
    for (int i = 0; i < 2; ++i) Press(DIK_LEFT);
    EXPECT_EQ(MusicVolume(), kVolumeFull - 2);
    Press(DIK_DOWN);
    // Held, the value repeats after a delay.
    for (int i = 0; i < PausePanel::kRepeatDelayFrames + 2 * PausePanel::kRepeatFrames; ++i) Pass(Keys{{DIK_LEFT}});
    EXPECT_EQ(EffectsVolume(), kVolumeFull - 3);
    // Two minutes with the panel open: the title's idle minute has not run.
    const std::uint32_t elapsed = StageElapsed();
    for (int s = 0; s < 120; ++s) clock_.Advance(1000), Pass();
    // Fire closes the panel when let go, and the title does not take the press as GAME START.
    Press(DIK_Z);
    EXPECT_FALSE(pause_->Paused());
    for (int i = 0; i < 30; ++i) Pass();
    EXPECT_EQ(IsSceneFlag(SceneFlag::kTitle) + game_->GetShutter().Active(), 1);
    EXPECT_LT(StageElapsed(), elapsed + 2000);

    // Another window takes the focus: the title stands still, dimmed, without the panel, until it comes back.
    platform::PushWindowFocus(false);
    Pass();
    const std::uint64_t lit = Brightness(Screen());
    EXPECT_TRUE(pause_->Paused());
    EXPECT_FALSE(pause_->PanelShown());
    clock_.Advance(90000);
    EXPECT_FALSE(Pass());
    EXPECT_LT(Brightness(Screen()) * 2, lit) << "the title does not show that it stands still";
    platform::PushWindowFocus(true);
    EXPECT_TRUE(Pass());
    EXPECT_EQ(IsSceneFlag(SceneFlag::kTitle), 1) << "the story has not started behind the player's back";
}

TEST_F(GamePauseTest, TheWindowLostDuringTheStageCardPausesTheStageOnceItCanAndAMusicChangeThereIsHeard) {
    SetMusicVolume(kVolumeFull);
    int frame = 0;
    ToTheStage([&](bool fire) {
        // Away as the stage's card comes up, before the stage can pause.
        if (IsSceneFlag(SceneFlag::kStageTitle) && frame++ == 0) platform::PushWindowFocus(false);
        return fire ? Keys{{DIK_Z}} : Keys{};
    });
    ASSERT_GT(frame, 0);
    ASSERT_TRUE(pause_->PanelShown()) << "the stage ran on with the player away";
    EXPECT_EQ(IsSceneFlag(SceneFlag::kGame), 1);
    Press(DIK_DOWN);
    Press(DIK_LEFT);
    EXPECT_EQ(MusicVolume(), kVolumeFull - 1);
    EXPECT_EQ(audio_.auditions, 1) << "the new music volume is not heard while paused";
}

TEST_F(GamePauseTest, FullScreenOrAWindowIsKeptOnceTheChangeHasStood) {
    int kept = 0;
    pause_->settingsChanged = [&] { ++kept; };
    Pass();
    platform::PushWindowKey(platform::WindowKey::kF11);
    for (std::uint32_t t = 0; t < WindowShapeWatch::kSettleMs + 2 * kFrameMs; t += kFrameMs) Pass();
    EXPECT_EQ(kept, 1);
}

// The panels' keys, with a pad in use: the keyboard's arrows, Z, Enter, Space and Escape still work
// them, and Escape closes a panel rather than quitting.
class PanelKeysTest : public GamePauseTest {
protected:
    PanelKeysTest() { options_.joystick = true; }
};

TEST_F(PanelKeysTest, BesideAPadTheKeyboardWorksThePanelsAndEscapeClosesThemWithoutQuitting) {
    ASSERT_EQ(GetInputDeviceKind(), 1);
    SetMusicVolume(kVolumeFull);
    Pass();
    int level = kVolumeFull;
    for (int close : {DIK_RETURN, DIK_SPACE, DIK_Z, 0}) {
        platform::PushPauseKey();
        Pass();
        ASSERT_TRUE(pause_->PanelShown());
        Press(DIK_LEFT);
        EXPECT_EQ(MusicVolume(), --level);
        if (close) {
            Press(close);
        } else {
            platform::PushEscapeKey();
            Pass();
        }
        EXPECT_FALSE(pause_->Paused()) << "closed by " << close;
    }
    // In the stage's panel Escape resumes; outside the panels it quits as before.
    ToTheStage([](bool fire) {
        platform::JoystickState pad;
        pad.buttons[0] = fire ? platform::kButtonDownBit : 0;
        platform::SetSyntheticJoystickState(pad);
        return Keys{};
    });
    ASSERT_FALSE(pause_->Paused());
    ASSERT_EQ(IsSceneFlag(SceneFlag::kGame), 1);
    platform::PushPauseKey();
    Pass();
    ASSERT_TRUE(pause_->PanelShown());
    platform::PushEscapeKey();
    EXPECT_TRUE(Pass());
    EXPECT_EQ(audio_.resumes, 1);
    EXPECT_FALSE(quit_);
    platform::PushEscapeKey();
    Pass();
    EXPECT_TRUE(quit_);
}

}  // namespace
