#include "bosses/bullet_pool.h"

#include <algorithm>

bool BulletPool::Build(std::size_t count, const BossBullet& entry) {
    if (!entries_.empty()) return false;
    entries_.assign(count, entry);
    return true;
}

bool BulletPool::Build(const std::vector<BossBullet>& entries) {
    if (!entries_.empty()) return false;
    entries_ = entries;
    return true;
}

void BulletPool::CopyFrom(const BulletPool& other) {
    const std::size_t n = std::min(entries_.size(), other.entries_.size());
    for (std::size_t i = 0; i < n; ++i) entries_[i] = other.entries_[i];
}
