#pragma once
// The burst of the player's bomb: a growing, fading sphere of scrolling lava with a swirl of sparks
// around it for 2500 ms, and a faint energy shell that one boss fight shows the same way.

#include <array>
#include <cstdint>

#include "core/keyframe_track.h"
#include "collision/effect_record.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_buffer.h"
#include "render/asset_ref.h"
#include "render/drawable.h"
#include "render/mesh_resource.h"
#include "render/textured_mesh.h"

struct BlastParticle {
    double x = 0.0, y = 0.0, z = 0.0;
};

class BombBlast : public Drawable {
public:
    static constexpr int kParticleCount = 30;
    static constexpr std::uint32_t kDuration = 2500;
    static constexpr std::int32_t kStepInterval = 20;
    static constexpr double kStartAlpha = 0.6;

    // The lava sphere and its picture, the shell, the sparks' picture.
    static constexpr std::array<AssetRef, 4> kAssets{MeshAsset("x\\explosion03.x"), PictureAsset("t\\yougan001.png"),
                                                     MeshAsset("x\\explosion04.x"), PictureAsset("t\\bom.png")};

    // Builds every particle's tracks from the random generator.
    BombBlast();
    bool Load();
    // Starts a blast at the point unless one is running.
    void Spawn(std::uint32_t now, double x, double y, double z);
    void SpawnShell(std::uint32_t now, double x, double y, double z);
    void Reset();
    // Once a frame each: grow, fade and retire the record, the lava's sparks circling it, and keep what
    // this frame shows. A blast started after its step first shows at the next.
    void StepLava(std::uint32_t now);
    void StepShell(std::uint32_t now);
    // What the last steps kept, inside the 3D pass.
    void DrawLava() const;
    void DrawShell() const;

    const EffectRecord& LavaRecord() const { return lava_; }
    const EffectRecord& ShellRecord() const { return shell_; }
    double LavaAlpha() const { return lavaAlpha_; }
    double ShellAlpha() const { return shellAlpha_; }
    const BlastParticle& Particle(int i) const { return particles_[static_cast<std::size_t>(i)]; }
    const KeyframeTrack& AngleTrack(int i) const { return angle_[i]; }
    const KeyframeTrack& RadiusTrack(int i) const { return radius_[i]; }
    const KeyframeTrack& DriftTrack(int i) const { return drift_[i]; }
    const KeyframeTrack& HeightTrack(int i) const { return height_[i]; }

    static EffectRecord FreeRecord();

private:
    void Activate(std::uint32_t now, EffectRecord& r, double x, double y, double z, double* alpha);
    // Grows and fades the record every 20 ms and frees it once its time is over.
    static void Advance(EffectRecord& r, double* alpha);
    void PlaceParticles(std::uint32_t now);

    // A record as its step found it, before growing it, with its fade.
    struct Shown {
        bool shown = false;
        EffectRecord record;
        double alpha = 0.0;
    };
    // Keeps what the record shows this frame, then grows it; false when it is not active.
    bool StepRecord(std::uint32_t now, EffectRecord& r, double* alpha, Shown* shown);

    EffectRecord lava_;
    EffectRecord shell_;
    std::array<BlastParticle, kParticleCount> particles_;
    MeshResource lavaMesh_;
    MeshResource shellMesh_;
    MaterialTextures lavaTextures_;
    platform::TexturePtr sparkPicture_;
    platform::VertexBufferPtr sparkQuad_;
    // Never moved: they live as long as the blast.
    KeyframeTrack angle_[kParticleCount];
    KeyframeTrack radius_[kParticleCount];
    KeyframeTrack height_[kParticleCount];
    KeyframeTrack drift_[kParticleCount];
    double lavaAlpha_ = kStartAlpha;
    double shellAlpha_ = kStartAlpha;
    Shown lavaShown_;
    Shown shellShown_;
};
