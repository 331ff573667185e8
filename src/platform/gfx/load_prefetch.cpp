#include "platform/gfx/load_prefetch.h"

#include <algorithm>
#include <utility>

#include "platform/core/game_path.h"
#include "platform/core/startup_times.h"
#include "platform/gfx/texture_file.h"

namespace platform {

namespace {

LoadPrefetch* activePrefetch = nullptr;

bool SameItem(const PrefetchItem& a, PrefetchItem::Kind kind, std::string_view gameName, std::uint32_t colourKey) {
    return a.kind == kind && a.gameName == gameName && (kind == PrefetchItem::Kind::kMesh || a.colourKey == colourKey);
}

}  // namespace

LoadPrefetch::LoadPrefetch(std::vector<PrefetchItem> items, std::size_t heldBytesCap, int threads)
    : cap_(heldBytesCap) {
    for (PrefetchItem& item : items) {
        auto same = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
            return SameItem(e.item, item.kind, item.gameName, item.colourKey);
        });
        if (same != entries_.end()) {
            ++same->uses;
            continue;
        }
        Entry entry;
        entry.item = std::move(item);
        entries_.push_back(std::move(entry));
    }
    // The entries are complete before the threads start and never move while they run.
    for (int i = 0; i < std::max(1, threads); ++i) workers_.emplace_back([this, i] { Run(i); });
}

LoadPrefetch::~LoadPrefetch() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
    if (activePrefetch == this) activePrefetch = nullptr;
}

void LoadPrefetch::RetireHelpers() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        helpersRetired_ = true;
    }
    changed_.notify_all();
}

void LoadPrefetch::Run(int index) {
    std::unique_lock<std::mutex> lock(mutex_);
    const auto leaving = [this, index] { return stopping_ || (index > 0 && helpersRetired_); };
    for (Entry& entry : entries_) {
        changed_.wait(lock, [&] { return leaving() || held_ < cap_; });
        if (leaving()) return;
        if (entry.state != State::kPending) continue;
        Make(entry, lock, true);
        ++madeByThread_;
    }
}

void LoadPrefetch::Make(Entry& entry, std::unique_lock<std::mutex>& lock, bool onThread) {
    entry.state = State::kMaking;
    const PrefetchItem& item = entry.item;  // never changes once listed
    lock.unlock();
    PictureLevels levels;
    MeshDataPtr mesh;
    std::size_t bytes = 0;
    bool ok = false;
    if (item.kind == PrefetchItem::Kind::kPicture) {
        auto made = std::make_shared<std::vector<Image>>();
        ok = LoadTextureLevels(item.gameName, item.colourKey, made.get(),
                               onThread ? StartupPhase::kDecodeWorker : StartupPhase::kDecodeMain);
        for (const Image& level : *made) bytes += level.argb.size() * sizeof(std::uint32_t);
        if (ok) levels = std::move(made);
    } else {
        StartupTimer timer(onThread ? StartupPhase::kMeshParseWorker : StartupPhase::kMeshes);
        auto made = std::make_shared<MeshData>();
        ok = LoadXMesh(ResolveGamePath(item.gameName), made.get());
        bytes = made->vertices.size() * sizeof(MeshVertex) + made->indices.size() * sizeof(std::uint32_t);
        if (ok) mesh = std::move(made);
    }
    lock.lock();
    entry.ok = ok;
    entry.levels = std::move(levels);
    entry.mesh = std::move(mesh);
    entry.bytes = ok ? bytes : 0;
    held_ += entry.bytes;
    peakHeld_ = std::max(peakHeld_, held_);
    entry.state = State::kDone;
    changed_.notify_all();
}

LoadPrefetch::Entry* LoadPrefetch::Ready(PrefetchItem::Kind kind, std::string_view gameName, std::uint32_t colourKey,
                                         std::unique_lock<std::mutex>& lock) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const Entry& e) { return e.uses > 0 && SameItem(e.item, kind, gameName, colourKey); });
    if (it == entries_.end()) {
        ++misses_;
        return nullptr;
    }
    Entry& entry = *it;
    if (entry.state == State::kPending) Make(entry, lock, false);
    // While the thread finishes the wanted item, this core makes the next one nobody has begun rather
    // than wait; the thread then skips it.
    while (entry.state == State::kMaking) {
        auto next = std::find_if(it + 1, entries_.end(), [](const Entry& e) { return e.state == State::kPending; });
        if (next != entries_.end() && held_ < cap_) {
            Make(*next, lock, false);
            continue;
        }
        StartupTimer timer(StartupPhase::kDecodeWait);
        changed_.wait(lock, [&] { return entry.state == State::kDone; });
    }
    return &entry;
}

void LoadPrefetch::Taken(Entry& entry) {
    if (--entry.uses > 0) return;
    held_ -= entry.bytes;
    entry.bytes = 0;
    entry.levels.reset();
    entry.mesh.reset();
    changed_.notify_all();
}

PictureLevels LoadPrefetch::TakePicture(std::string_view gameName, std::uint32_t colourKey) {
    std::unique_lock<std::mutex> lock(mutex_);
    Entry* entry = Ready(PrefetchItem::Kind::kPicture, gameName, colourKey, lock);
    if (!entry) return nullptr;
    PictureLevels levels = entry->levels;
    Taken(*entry);
    return levels;
}

MeshDataPtr LoadPrefetch::TakeMesh(std::string_view gameName) {
    std::unique_lock<std::mutex> lock(mutex_);
    Entry* entry = Ready(PrefetchItem::Kind::kMesh, gameName, kNoColourKey, lock);
    if (!entry) return nullptr;
    MeshDataPtr mesh = entry->mesh;
    Taken(*entry);
    return mesh;
}

int LoadPrefetch::Misses() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return misses_;
}

int LoadPrefetch::Untaken() const {
    std::lock_guard<std::mutex> lock(mutex_);
    int n = 0;
    for (const Entry& e : entries_) n += e.uses;
    return n;
}

int LoadPrefetch::MadeByThread() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return madeByThread_;
}

std::size_t LoadPrefetch::PeakHeldBytes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return peakHeld_;
}

void SetActiveLoadPrefetch(LoadPrefetch* prefetch) { activePrefetch = prefetch; }

LoadPrefetch* ActiveLoadPrefetch() { return activePrefetch; }

}  // namespace platform
