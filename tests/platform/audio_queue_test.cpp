#include <gtest/gtest.h>

#include <thread>

#include "platform/audio/counting_semaphore.h"
#include "platform/audio/midi_buffer.h"
#include "platform/audio/midi_event_queue.h"

namespace {

using platform::MidiEventQueue;

TEST(MidiEventQueue, KeepsOrderAcrossWrapAroundAndBlocksOfAnySize) {
    MidiEventQueue queue(1024);
    std::uint64_t written = 0;
    std::uint64_t read = 0;
    std::vector<std::uint8_t> block(100);
    for (int round = 0; round < 200; ++round) {
        // Mixed records so the wrap point falls inside records of every size.
        for (int i = 0; i < 3; ++i) {
            const bool isShort = (written % 3) != 0;
            for (std::size_t b = 0; b < block.size(); ++b) block[b] = static_cast<std::uint8_t>(written + b);
            const bool ok = isShort ? queue.PushShort(written, static_cast<std::uint32_t>(written * 7))
                                    : queue.PushBytes(written, block.data(), 1 + written % 100);
            ASSERT_TRUE(ok);
            ++written;
        }
        MidiEventQueue::View v;
        while (queue.Front(&v)) {
            ASSERT_EQ(v.time, read);
            ASSERT_EQ(v.shortMessage, (read % 3) != 0);
            if (v.shortMessage) {
                ASSERT_EQ(v.message, read * 7);
            } else {
                ASSERT_EQ(v.size, 1 + read % 100);
                for (std::size_t b = 0; b < v.size; ++b) ASSERT_EQ(v.bytes[b], static_cast<std::uint8_t>(read + b));
            }
            queue.Pop();
            ++read;
        }
    }
    EXPECT_EQ(read, written);
    EXPECT_EQ(queue.Dropped(), 0u);
}

TEST(MidiEventQueue, AFullQueueDropsInsteadOfWaiting) {
    MidiEventQueue queue(1024);
    int pushed = 0;
    while (queue.PushShort(static_cast<std::uint64_t>(pushed), 0x90)) ++pushed;
    EXPECT_EQ(pushed, 1024 / 16);
    EXPECT_EQ(queue.Dropped(), 1u);
    std::vector<std::uint8_t> huge(queue.MaxBlock() + 1);
    EXPECT_FALSE(queue.PushBytes(0, huge.data(), huge.size()));
    MidiEventQueue::View v;
    ASSERT_TRUE(queue.Front(&v));
    EXPECT_EQ(v.time, 0u);
    queue.Pop();
    EXPECT_TRUE(queue.PushShort(999, 0x80));
}

TEST(MidiEventQueue, OneProducerAndOneConsumerOnTwoThreads) {
    MidiEventQueue queue(4096);
    constexpr std::uint64_t kCount = 100000;
    std::thread producer([&] {
        for (std::uint64_t i = 0; i < kCount; ++i) {
            const std::uint8_t bytes[3] = {0xF0, static_cast<std::uint8_t>(i), 0xF7};
            while (!(i % 5 ? queue.PushShort(i, static_cast<std::uint32_t>(i)) : queue.PushBytes(i, bytes, 3))) {
                std::this_thread::yield();
            }
        }
    });
    std::uint64_t expected = 0;
    std::uint64_t wrong = 0;
    MidiEventQueue::View v;
    while (expected < kCount) {
        if (!queue.Front(&v)) continue;
        if (v.time != expected || (!v.shortMessage && v.bytes[1] != static_cast<std::uint8_t>(expected))) ++wrong;
        queue.Pop();
        ++expected;
    }
    producer.join();
    EXPECT_EQ(wrong, 0u);
}

TEST(MidiBuffer, RoomIsFixedAtCreation) {
    platform::MidiBuffer shortBuffer(24);
    EXPECT_TRUE(shortBuffer.PackStructured(5, 0, 0x403C90));
    EXPECT_FALSE(shortBuffer.PackStructured(6, 0, 0x403C90));  // one short message fills 24 bytes
    ASSERT_EQ(shortBuffer.EventCount(), 1u);
    EXPECT_EQ(shortBuffer.EventAt(0).message, 0x403C90u);
    EXPECT_EQ(shortBuffer.EventAt(0).time, 5u);
    shortBuffer.Flush();
    EXPECT_EQ(shortBuffer.EventCount(), 0u);
    EXPECT_TRUE(shortBuffer.PackStructured(7, 0, 0x80));

    const std::uint8_t block[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    platform::MidiBuffer sysex(sizeof block + 20);
    ASSERT_TRUE(sysex.PackUnstructured(9, 0, block, sizeof block));
    EXPECT_FALSE(sysex.EventAt(0).structured);
    EXPECT_EQ(std::vector<std::uint8_t>(sysex.BytesOf(sysex.EventAt(0)), sysex.BytesOf(sysex.EventAt(0)) + 6),
              std::vector<std::uint8_t>(block, block + 6));
    EXPECT_FALSE(sysex.PackUnstructured(9, 0, block, sizeof block));
}

TEST(CountingSemaphore, CountsReleasesUpToItsMaximum) {
    platform::CountingSemaphore sem(0, 5);
    sem.Release(3);
    sem.Release(10);
    EXPECT_EQ(sem.Count(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(sem.TryAcquire());
    EXPECT_FALSE(sem.TryAcquire());
    std::thread waiter([&] { sem.Acquire(); });
    sem.Release();
    waiter.join();
    EXPECT_EQ(sem.Count(), 0u);
}

}  // namespace
