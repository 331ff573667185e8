#include "stages/scenery_turn.h"

void SceneryTurn::Step() {
    if (!input_ || !player_) return;
    if (player_->alive == 0 || player_->hit != 0) return;
    if (dashing_ && *dashing_ != 0) return;
    // Against the ship's motion: a climb tips the far scenery down, a move right swings it left.
    if (input_->up == kInputUp) pitch_ += kDegreesPerFrame;
    if (input_->down == kInputDown) pitch_ -= kDegreesPerFrame;
    if (input_->right == kInputRight) yaw_ -= kDegreesPerFrame;
    if (input_->left == kInputLeft) yaw_ += kDegreesPerFrame;
}

void SceneryTurn::Clear() {
    yaw_ = 0.0;
    pitch_ = 0.0;
}
