#pragma once
// A buffer of timestamped MIDI events handed to a port in one call. Its room is fixed when it is made,
// so packing never allocates: each event takes 16 bytes of header and its message bytes.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

class MidiBuffer {
public:
    struct Event {
        std::uint64_t time;  // microseconds on the platform clock's line
        std::uint32_t channelGroup;
        bool structured;        // a short message in `message`, else bytes in the buffer
        std::uint32_t message;  // status in the low byte, then the two data bytes
        std::size_t offset;     // of an unstructured event's bytes
        std::size_t size;
    };

    static constexpr std::size_t kEventHeaderSize = 16;

    explicit MidiBuffer(std::size_t capacityBytes);

    bool PackStructured(std::uint64_t time, std::uint32_t channelGroup, std::uint32_t message);
    bool PackUnstructured(std::uint64_t time, std::uint32_t channelGroup, const std::uint8_t* data, std::size_t size);
    void Flush();

    std::size_t EventCount() const { return events_.size(); }
    const Event& EventAt(std::size_t index) const { return events_[index]; }
    const std::uint8_t* BytesOf(const Event& event) const { return bytes_.data() + event.offset; }
    std::size_t Capacity() const { return capacity_; }

private:
    std::size_t capacity_;
    std::size_t used_ = 0;
    std::vector<Event> events_;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace platform
