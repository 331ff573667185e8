#pragma once
// The hand-over of timestamped MIDI messages from the senders to the audio callback: a single-producer,
// single-consumer ring of variable-length records that neither side ever waits on. Senders serialise
// among themselves before pushing; the callback alone pops. A full ring drops the message.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

class MidiEventQueue {
public:
    struct View {
        std::uint64_t time;
        bool shortMessage;
        std::uint32_t message;      // a short message
        const std::uint8_t* bytes;  // a system-exclusive block
        std::size_t size;
    };

    // `capacityBytes` is rounded up to a power of two.
    explicit MidiEventQueue(std::size_t capacityBytes);

    // Producer side.
    bool PushShort(std::uint64_t time, std::uint32_t message);
    bool PushBytes(std::uint64_t time, const std::uint8_t* data, std::size_t size);
    std::uint64_t Dropped() const { return dropped_.load(std::memory_order_relaxed); }
    // The largest block PushBytes accepts.
    std::size_t MaxBlock() const { return capacity_ / 4 - kHeader; }

    // Consumer side: the oldest record, valid until Pop.
    bool Front(View* view);
    void Pop();

private:
    static constexpr std::size_t kHeader = 16;
    static constexpr std::size_t kAlign = 16;
    static constexpr std::uint32_t kPadding = 0xFFFFFFFFu;

    bool Push(std::uint64_t time, bool shortMessage, std::uint32_t message, const std::uint8_t* data, std::size_t size);
    void WriteHeader(std::size_t at, std::uint64_t time, std::uint32_t word0, std::uint32_t word1);

    std::size_t capacity_;
    std::size_t mask_;
    std::vector<std::uint8_t> ring_;
    alignas(64) std::atomic<std::uint64_t> head_{0};  // consumer position
    alignas(64) std::atomic<std::uint64_t> tail_{0};  // producer position
    std::atomic<std::uint64_t> dropped_{0};
};

}  // namespace platform
