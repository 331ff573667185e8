#pragma once
// A boss whose own class has not joined yet: its body alone, swaying on the shared track and drawn the
// standard way. It has no attacks and no bullets, so its battle is won by shooting it down, and every
// stage can be played to its end.

#include <string>

#include "bosses/boss.h"

class StandInBoss : public Boss {
public:
    // The body's mesh, the height it sways at, and the text shown if the mesh is missing (by default the
    // file's short name followed by the loaders' suffix).
    StandInBoss(std::string meshPath, float swayY);
    StandInBoss(std::string meshPath, float swayY, std::string lostText);

    void Update() override;
    bool Load() override;
    // Enters unshielded: the shields belong to the boss's own class, and without them nothing could ever
    // lift the shield.
    void Start(int set) override;
    void Reset() override;

    const std::string& MeshPath() const { return meshPath_; }

private:
    std::string meshPath_;
    std::string lostText_;
};
