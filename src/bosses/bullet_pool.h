#pragma once
// One bullet list of a boss. Its entries are made once, when the boss is built, and stay where they are
// for the rest of the run: play only switches them alive and dead and moves them, and a reset copies a
// saved list over this one entry by entry.

#include <cstddef>
#include <vector>

#include "collision/boss_bullet.h"

class BulletPool {
public:
    BulletPool() = default;
    BulletPool(const BulletPool&) = delete;
    BulletPool& operator=(const BulletPool&) = delete;

    // Fills an empty pool; a pool that already holds entries keeps them and false is returned.
    bool Build(std::size_t count, const BossBullet& entry);
    bool Build(const std::vector<BossBullet>& entries);

    // Copies the other pool's entries over this one's, as far as both reach; no entry moves.
    void CopyFrom(const BulletPool& other);

    std::size_t Size() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    BossBullet& operator[](std::size_t i) { return entries_[i]; }
    const BossBullet& operator[](std::size_t i) const { return entries_[i]; }
    BossBullet* begin() { return entries_.data(); }
    BossBullet* end() { return entries_.data() + entries_.size(); }
    const BossBullet* begin() const { return entries_.data(); }
    const BossBullet* end() const { return entries_.data() + entries_.size(); }

private:
    std::vector<BossBullet> entries_;
};
