#pragma once
// The base of the five enemy classes and of the shot pool: the drawing context, the class's model, its
// records and, one per record, the five motion tracks (x, y, z, angle, radius). The records and the
// tracks are appended while the timetable is built and never move afterwards: the player, the console
// and the bomb keep the records' addresses, and tracks can be neither copied nor moved.

#include <cstdint>
#include <deque>
#include <string_view>
#include <vector>

#include "core/angles.h"
#include "core/keyframe_track.h"
#include "collision/enemy_record.h"
#include "render/drawable.h"
#include "render/mesh_resource.h"

class Enemy : public Drawable {
public:
    // Degrees to radians as the circling classes turn their angle track.

    Enemy() = default;
    Enemy(const Enemy&) = delete;
    Enemy& operator=(const Enemy&) = delete;

    // Move every active enemy and draw it.
    virtual void UpdateAndDraw(std::uint32_t /*now*/) {}
    // Give enemy `index` its movement, once, while the timetable is built.
    virtual void Order(std::int32_t index, double x, double y, double z, std::int32_t durationMs) {
        (void)index, (void)x, (void)y, (void)z, (void)durationMs;
    }
    virtual bool Load() { return true; }

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

protected:
    bool LoadModel(std::string_view path, std::string_view lostText);
    // An order for an enemy the class does not have is ignored.
    bool HasIndex(std::int32_t index) const;
    // Straight line from the spawn point to (x, y, z); turned to face it when `face` is set.
    void OrderStraight(std::int32_t index, double x, double y, double z, std::int32_t durationMs, bool face);
    // A circle of radius 5 around the spawn point, once every 8 s, while z runs to its end point.
    void OrderCircling(std::int32_t index, double x, double y, double z, std::int32_t durationMs);
    void MoveStraight(std::uint32_t now);
    void MoveCircling(std::uint32_t now);
    void DrawAt(double x, double y, double z, double yaw, double pitch, double roll);

    MeshResource mesh_;
    std::vector<EnemyRecord> records_;
    std::deque<KeyframeTrack> x_;
    std::deque<KeyframeTrack> y_;
    std::deque<KeyframeTrack> z_;
    std::deque<KeyframeTrack> angle_;
    std::deque<KeyframeTrack> radius_;
};
