#pragma once
// Files made ready for the loaders on threads of their own while the main thread creates the window and
// uploads: each listed picture is decoded, colour-keyed, scaled and given its levels exactly as the
// texture loader would, each listed mesh read from its X file, and handed over when the loader asks.
// An item no thread has reached yet is made by the asking thread itself, and while a thread is on the
// wanted item the asking thread makes the next one nobody has begun, so every core works. The
// results are the loaders' own: an item that is missing, fails or was never listed is answered with
// nothing, and the loader then reads the file itself and reports what it reports without the prefetch.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/gfx/image.h"
#include "platform/gfx/mesh_data.h"

namespace platform {

// One load the game will make: a picture (with its loader's colour key) or a mesh, by its game name.
struct PrefetchItem {
    enum class Kind { kPicture, kMesh };
    Kind kind = Kind::kPicture;
    std::string gameName;
    std::uint32_t colourKey = kNoColourKey;
};

using PictureLevels = std::shared_ptr<const std::vector<Image>>;
using MeshDataPtr = std::shared_ptr<const MeshData>;

class LoadPrefetch {
public:
    // Made items that wait for their loader are held up to about this many bytes; the thread pauses
    // beyond it, so that pictures are not held here and in the device at once for long.
    static constexpr std::size_t kDefaultHeldBytes = std::size_t{48} << 20;

    // Starts `threads` threads on the items in their order (the order the game loads them), each taking the
    // next item nobody has begun. An item listed more than once is made once and handed out as often as it
    // is listed.
    explicit LoadPrefetch(std::vector<PrefetchItem> items, std::size_t heldBytesCap = kDefaultHeldBytes,
                          int threads = 1);
    // Stops the threads after the items they are making, and frees everything not taken.
    ~LoadPrefetch();

    // Every thread but the first stops after the item it is making: for when the asking thread, idle
    // while the window opened, has work of its own again and the cores would otherwise be shared by three.
    void RetireHelpers();
    LoadPrefetch(const LoadPrefetch&) = delete;
    LoadPrefetch& operator=(const LoadPrefetch&) = delete;

    // The levels of a listed picture, or null when it is not listed (or already taken as often as
    // listed) or could not be made. Every take of an item listed more than once shares the one result.
    PictureLevels TakePicture(std::string_view gameName, std::uint32_t colourKey);
    MeshDataPtr TakeMesh(std::string_view gameName);

    // Takes that found nothing listed; listed loads never taken; items the second thread made.
    int Misses() const;
    int Untaken() const;
    int MadeByThread() const;
    // The largest number of bytes of made items waiting for their loaders.
    std::size_t PeakHeldBytes() const;

private:
    enum class State { kPending, kMaking, kDone };
    struct Entry {
        PrefetchItem item;
        int uses = 1;
        State state = State::kPending;
        bool ok = false;
        PictureLevels levels;
        MeshDataPtr mesh;
        std::size_t bytes = 0;
    };

    void Run(int index);
    // Makes the entry with the lock released; called with the lock held and returns with it held.
    void Make(Entry& entry, std::unique_lock<std::mutex>& lock, bool onThread);
    // The entry for the next take of the item, made and done; null when none is listed.
    Entry* Ready(PrefetchItem::Kind kind, std::string_view gameName, std::uint32_t colourKey,
                 std::unique_lock<std::mutex>& lock);
    // Counts the take; the entry lets go of its result after the last one.
    void Taken(Entry& entry);

    std::vector<Entry> entries_;
    std::size_t cap_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t held_ = 0;
    std::size_t peakHeld_ = 0;
    int misses_ = 0;
    int madeByThread_ = 0;
    bool stopping_ = false;
    bool helpersRetired_ = false;
    std::vector<std::thread> workers_;
};

// The prefetch the texture and mesh loaders ask first; null (the default) when there is none.
void SetActiveLoadPrefetch(LoadPrefetch* prefetch);
LoadPrefetch* ActiveLoadPrefetch();

}  // namespace platform
