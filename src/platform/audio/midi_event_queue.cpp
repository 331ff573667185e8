#include "platform/audio/midi_event_queue.h"

#include <bit>
#include <cstring>

namespace platform {

// Record layout: time (8 bytes), kind-and-size word (4), short message (4), then the block bytes, the
// whole padded to 16 bytes. A record never wraps: when it does not fit before the end, a padding record
// fills the rest and the record starts again at the beginning.
namespace {

constexpr std::uint32_t kShortFlag = 0x80000000u;

std::size_t Padded(std::size_t n, std::size_t align) { return (n + align - 1) & ~(align - 1); }

}  // namespace

MidiEventQueue::MidiEventQueue(std::size_t capacityBytes)
    : capacity_(std::bit_ceil(capacityBytes < 1024 ? std::size_t{1024} : capacityBytes)),
      mask_(capacity_ - 1),
      ring_(capacity_) {}

bool MidiEventQueue::PushShort(std::uint64_t time, std::uint32_t message) {
    return Push(time, true, message, nullptr, 0);
}

bool MidiEventQueue::PushBytes(std::uint64_t time, const std::uint8_t* data, std::size_t size) {
    if (size > MaxBlock() || (!data && size > 0)) {
        dropped_.fetch_add(1, std::memory_order_relaxed);
        return false;
    }
    return Push(time, false, 0, data, size);
}

void MidiEventQueue::WriteHeader(std::size_t at, std::uint64_t time, std::uint32_t word0, std::uint32_t word1) {
    std::memcpy(&ring_[at], &time, 8);
    std::memcpy(&ring_[at + 8], &word0, 4);
    std::memcpy(&ring_[at + 12], &word1, 4);
}

bool MidiEventQueue::Push(std::uint64_t time, bool shortMessage, std::uint32_t message, const std::uint8_t* data,
                          std::size_t size) {
    const std::size_t need = kHeader + Padded(size, kAlign);
    const std::uint64_t tail = tail_.load(std::memory_order_relaxed);
    const std::uint64_t head = head_.load(std::memory_order_acquire);
    const std::size_t at = static_cast<std::size_t>(tail & mask_);
    const std::size_t untilEnd = capacity_ - at;
    const std::size_t padding = untilEnd < need ? untilEnd : 0;
    if (capacity_ - (tail - head) < padding + need) {
        dropped_.fetch_add(1, std::memory_order_relaxed);
        return false;
    }
    std::uint64_t write = tail;
    if (padding > 0) {
        WriteHeader(at, 0, kPadding, 0);
        write += padding;
    }
    const std::size_t pos = static_cast<std::size_t>(write & mask_);
    const std::uint32_t word0 = shortMessage ? kShortFlag : static_cast<std::uint32_t>(size);
    WriteHeader(pos, time, word0, message);
    if (size > 0) std::memcpy(&ring_[pos + kHeader], data, size);
    tail_.store(write + need, std::memory_order_release);
    return true;
}

bool MidiEventQueue::Front(View* view) {
    for (;;) {
        const std::uint64_t head = head_.load(std::memory_order_relaxed);
        const std::uint64_t tail = tail_.load(std::memory_order_acquire);
        if (head == tail) return false;
        const std::size_t at = static_cast<std::size_t>(head & mask_);
        std::uint32_t word0;
        std::memcpy(&word0, &ring_[at + 8], 4);
        if (word0 == kPadding) {
            head_.store(head + (capacity_ - at), std::memory_order_release);
            continue;
        }
        std::memcpy(&view->time, &ring_[at], 8);
        view->shortMessage = (word0 & kShortFlag) != 0;
        std::memcpy(&view->message, &ring_[at + 12], 4);
        view->size = view->shortMessage ? 0 : word0;
        view->bytes = view->shortMessage ? nullptr : &ring_[at + kHeader];
        return true;
    }
}

void MidiEventQueue::Pop() {
    View view;
    if (!Front(&view)) return;
    const std::uint64_t head = head_.load(std::memory_order_relaxed);
    head_.store(head + kHeader + Padded(view.size, kAlign), std::memory_order_release);
}

}  // namespace platform
