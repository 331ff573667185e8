#pragma once
// The scenery of one stage: its meshes and pictures, the items placed along the flight axis that come
// towards the player, and the obstacles among them that the player's hit checks read. Each stage has
// its own kind; the game object owns all three for the whole run, resets them when a stage begins and
// steps and draws the current one every frame of play, before the enemies and the player.

#include <cstdint>

#include "core/keyframe_track.h"
#include "core/track_value.h"
#include "render/drawable.h"

class StageBackground : public Drawable {
public:
    StageBackground() = default;
    StageBackground(const StageBackground&) = delete;
    StageBackground& operator=(const StageBackground&) = delete;

    // Meshes and pictures. A missing file ends the program through the loaders' convention.
    virtual bool Load() = 0;
    // The stage begins: items back at their placement, every track restarted now.
    virtual void Reset(std::uint32_t now) = 0;
    // One frame's logic: moves the items on (the ship's hit tests read them) and keeps what the frame
    // shows. Never touches the device.
    virtual void Step(std::uint32_t now) = 0;
    // Draws what the last Step kept, whatever the frame's later logic has done to the items since.
    virtual void Draw() const = 0;

protected:
    // The length of the boss battle just won, handed out on the first frame that sees the battle's end
    // and 0 on every other frame: the flag stays up for several frames until the last object that
    // waited has caught up, and the tracks must be moved on once, not once a frame.
    std::uint32_t TakeBattleShift(std::uint32_t now);
    // Forgets a battle end already taken (the stage begins again).
    void ForgetBattleShift() { shiftTaken_ = 0; }

private:
    std::uint8_t shiftTaken_ = 0;
};

// Moves a track's start on by ms, so that it resumes where it stood.
inline void ShiftTrack(KeyframeTrack& track, std::uint32_t ms) { track.SetStart(track.Start() + ms); }

// A position from a play-once track. Read in the very tick it starts, a track gives its last key, and
// in the very tick it ends its first: an item read then would jump to the far end of its path for a
// frame (and a reset read in its own tick would retire everything). The ends hold their own keys here.
inline float TrackPosition(const KeyframeTrack& track, std::uint32_t now, float fallback) {
    if (track.Count() > 0 && track.Looping() == 0) {
        if (now == track.Start()) return track.KeyValue(0);
        if (now == track.Start() + track.Duration()) return track.KeyValue(track.Count() - 1);
    }
    return TrackValue(track, now, fallback);
}
