#include "soak/soak_pilot.h"

#include <algorithm>

#include "platform/input/dik_codes.h"

using namespace platform;

namespace {
constexpr double kSteerSlack = 2.0;
}  // namespace

SoakPilot::SoakPilot(std::uint32_t seed)
    : random_(seed),
      hands_{{{DIK_LEFT, 35, 45},
              {DIK_RIGHT, 35, 45},
              {DIK_UP, 35, 45},
              {DIK_DOWN, 35, 45},
              {DIK_Z, 65, 90},
              {DIK_X, 8, 12},
              {DIK_C, 5, 4}}} {}

std::uint32_t SoakPilot::Roll(std::uint32_t n) {
    return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(random_);
}

std::vector<int> SoakPilot::Keys(const View& view) {
    std::vector<int> keys;
    for (KeyHand& hand : hands_) {
        if (hand.left == 0) {
            hand.held = Roll(100) < hand.holdPercent;
            hand.left = 1 + Roll(hand.maxFrames);
        }
        --hand.left;
        if (hand.held) keys.push_back(hand.code);
    }
    if (view.scene == Scene::kTitle && std::find(keys.begin(), keys.end(), DIK_Z) != keys.end()) {
        // Confirming the way out would end the program: a press comes only with the menu on the start
        // and no move down beside it; otherwise the menu moves back up.
        std::erase(keys, DIK_DOWN);
        if (view.menuChoice != 0) std::replace(keys.begin(), keys.end(), DIK_Z, DIK_UP);
    }
    if (view.scene == Scene::kGame && view.hasAim) {
        if (steerLeft_ == 0) {
            steering_ = Roll(2) == 0;
            steerLeft_ = 1 + Roll(60);
        }
        --steerLeft_;
        if (steering_) {
            std::erase_if(keys, [](int k) { return k == DIK_LEFT || k == DIK_RIGHT || k == DIK_UP || k == DIK_DOWN; });
            if (view.aimX > view.shipX + kSteerSlack) keys.push_back(DIK_RIGHT);
            if (view.aimX < view.shipX - kSteerSlack) keys.push_back(DIK_LEFT);
            if (view.aimY > view.shipY + kSteerSlack) keys.push_back(DIK_UP);
            if (view.aimY < view.shipY - kSteerSlack) keys.push_back(DIK_DOWN);
        }
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}
