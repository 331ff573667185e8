#pragma once
// One class of enemy, flown as its row of the kinds table says: the drawing context, the class's model,
// its records and, one per record, the five motion tracks (x, y, z, angle, radius). The records and the
// tracks are appended while the timetable is built and never move afterwards: the player, the console
// and the bomb keep the records' addresses, and tracks can be neither copied nor moved.

#include <cstdint>
#include <deque>
#include <string_view>
#include <vector>

#include "core/angles.h"
#include "core/keyframe_track.h"
#include "collision/enemy_record.h"
#include "enemies/enemy_kinds.h"
#include "render/drawable.h"
#include "render/mesh_resource.h"

// Where a record is drawn, kept by a step for the draw.
struct EnemyPose {
    double x = 0.0, y = 0.0, z = 0.0;
    double yaw = 0.0, pitch = 0.0, roll = 0.0;
};

// The model at the pose, untextured (the enemies and their shots alike).
void DrawEnemyMesh(platform::Device* device, const MeshResource& mesh, const EnemyPose& pose);

class Enemy : public Drawable {
public:
    explicit Enemy(const EnemyKind& kind) : kind_(kind) {}
    Enemy(const Enemy&) = delete;
    Enemy& operator=(const Enemy&) = delete;

    // Moves every active enemy and keeps it as this frame shows it: one retired or shot down later in
    // the frame is still drawn, one brought in later is not.
    void Step(std::uint32_t now);
    // The enemies the last step kept.
    void Draw() const;
    // Give enemy `index` its movement, once, while the timetable is built.
    void Order(std::int32_t index, double x, double y, double z, std::int32_t durationMs);
    bool Load();
    const EnemyKind& Kind() const { return kind_; }

    // A new enemy with five empty tracks; only while the timetable is built.
    void AddRecord(const EnemyRecord& record);
    // Every track of enemy i starts at `tick`, the moment it was due.
    void StartTracks(std::size_t i, std::uint32_t tick);
    // Whether enemy i was given a movement order; one without never comes onto the field.
    bool HasPath(std::size_t i) const { return z_[i].Count() > 0; }
    // The enemy's path is over once its z track has run its whole duration.
    bool PathEnded(std::size_t i, std::uint32_t now) const;

    std::vector<EnemyRecord>& Records() { return records_; }
    const std::vector<EnemyRecord>& Records() const { return records_; }
    std::size_t Count() const { return records_.size(); }
    const KeyframeTrack& TrackX(std::size_t i) const { return x_[i]; }
    const KeyframeTrack& TrackY(std::size_t i) const { return y_[i]; }
    const KeyframeTrack& TrackZ(std::size_t i) const { return z_[i]; }
    const KeyframeTrack& TrackAngle(std::size_t i) const { return angle_[i]; }
    const KeyframeTrack& TrackRadius(std::size_t i) const { return radius_[i]; }

    // The value of a play-once flight at `now`. At the very tick a flight starts a track answers its
    // end value (its phase is 1 there), which would throw the object to the far end of its path for a
    // frame: until the flight has begun it keeps `current`.
    static double FlightValue(const KeyframeTrack& track, std::uint32_t now, double current);

private:
    // An order for an enemy the class does not have is ignored.
    bool HasIndex(std::int32_t index) const;
    // Straight line from the spawn point to (x, y, z); turned to face it when `face` is set.
    void OrderStraight(std::int32_t index, double x, double y, double z, std::int32_t durationMs, bool face);
    // A circle of radius 5 around the spawn point, once every 8 s, while z runs to its end point.
    void OrderCircling(std::int32_t index, double x, double y, double z, std::int32_t durationMs, bool face);
    void MoveStraight(EnemyRecord& e, std::size_t i, std::uint32_t now);
    void MoveCircling(EnemyRecord& e, std::size_t i, std::uint32_t now);

    const EnemyKind& kind_;
    MeshResource mesh_;
    std::vector<EnemyPose> shown_;
    std::vector<EnemyRecord> records_;
    std::deque<KeyframeTrack> x_;
    std::deque<KeyframeTrack> y_;
    std::deque<KeyframeTrack> z_;
    std::deque<KeyframeTrack> angle_;
    std::deque<KeyframeTrack> radius_;
};
