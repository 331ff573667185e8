#pragma once
// A 64-bit fingerprint of the game state that play changes: the ship, its shots and bomb, every enemy
// and enemy shot, the bosses' bodies, extra bodies and bullets, the pickups, and the program-wide state
// (scene flags, stage, score, stage clock, battle state). Two runs that played alike give the same value;
// a replay compares it with the recorded run's. Doubles are folded by their bit patterns, so a change in
// the last bit shows.

#include <cstdint>
#include <cstring>
#include <type_traits>

class GameApp;

// FNV-1a, 64-bit.
class StateDigest {
public:
    void Bytes(const void* data, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            value_ ^= p[i];
            value_ *= 0x100000001B3ull;
        }
    }
    template <typename T>
    requires std::is_arithmetic_v<T>
    void Add(T v) {
        // Through a fixed-width copy: the value's bytes, never a struct's padding.
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &v, sizeof(T));
        Bytes(bytes, sizeof(T));
    }
    std::uint64_t Value() const { return value_; }

private:
    std::uint64_t value_ = 0xCBF29CE484222325ull;
};

std::uint64_t GameStateDigest(GameApp& game);
