#include "platform/audio/midi_buffer.h"

#include <cstring>

namespace platform {

MidiBuffer::MidiBuffer(std::size_t capacityBytes) : capacity_(capacityBytes) {
    events_.reserve(capacityBytes / (kEventHeaderSize + 1) + 1);
    bytes_.reserve(capacityBytes);
}

bool MidiBuffer::PackStructured(std::uint64_t time, std::uint32_t channelGroup, std::uint32_t message) {
    const std::size_t cost = kEventHeaderSize + sizeof message;
    if (capacity_ - used_ < cost) return false;
    used_ += cost;
    events_.push_back({time, channelGroup, true, message, 0, 0});
    return true;
}

bool MidiBuffer::PackUnstructured(std::uint64_t time, std::uint32_t channelGroup, const std::uint8_t* data,
                                  std::size_t size) {
    if (!data && size > 0) return false;
    if (capacity_ - used_ < kEventHeaderSize || capacity_ - used_ - kEventHeaderSize < size) return false;
    used_ += kEventHeaderSize + size;
    const std::size_t offset = bytes_.size();
    bytes_.resize(offset + size);
    if (size > 0) std::memcpy(bytes_.data() + offset, data, size);
    events_.push_back({time, channelGroup, false, 0, offset, size});
    return true;
}

void MidiBuffer::Flush() {
    events_.clear();
    bytes_.clear();
    used_ = 0;
}

}  // namespace platform
