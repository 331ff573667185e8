#pragma once
// Random hands on the keyboard: every game key (arrows, fire, dash, bomb) held and let go for random
// spells, from a seeded generator so that a run can be repeated. Escape is never pressed, and on the
// title the fire key is never pressed while the menu points at the way out.

#include <array>
#include <cstdint>
#include <random>
#include <vector>

class SoakPilot {
public:
    enum class Scene { kTitle, kGame, kOther };

    // What the pilot may look at this frame.
    struct View {
        Scene scene = Scene::kOther;
        // The title menu's choice: 0 starts a game, 1 leaves the program.
        std::int32_t menuChoice = 0;
        // In play: where the ship is and, when there is one, what it may steer for.
        bool hasAim = false;
        double shipX = 0.0, shipY = 0.0, aimX = 0.0, aimY = 0.0;
    };

    explicit SoakPilot(std::uint32_t seed);

    // The DirectInput codes held this frame.
    std::vector<int> Keys(const View& view);
    // A number from the pilot's generator in [0, n).
    std::uint32_t Roll(std::uint32_t n);

private:
    struct KeyHand {
        int code;
        // How likely a new spell holds the key, in percent, and how long a spell lasts at most (frames).
        std::uint32_t holdPercent;
        std::uint32_t maxFrames;
        bool held = false;
        std::uint32_t left = 0;
    };

    std::mt19937 random_;
    std::array<KeyHand, 7> hands_;
    // Frames left of the current spell of steering for the aim, or of ignoring it.
    std::uint32_t steerLeft_ = 0;
    bool steering_ = false;
};
