#pragma once
// Records placed for the hit tests: every other field stays at its default.

#include "collision/collision_tests.h"

namespace collision_test {

struct Pos {
    double x, y, z;
    Pos operator+(Pos o) const { return {x + o.x, y + o.y, z + o.z}; }
};

template <class Record>
Record Place(Pos p) {
    Record r;
    r.x = p.x;
    r.y = p.y;
    r.z = p.z;
    return r;
}

template <class Record>
Record Place(Pos p, double rh, double rv) {
    Record r = Place<Record>(p);
    r.rh = rh;
    r.rv = rv;
    return r;
}

inline PlayerState PlayerAt(Pos p) { return Place<PlayerState>(p); }

}  // namespace collision_test
