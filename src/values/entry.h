// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <optional>

namespace solvara {

// The nine entries of the values panel, in the order of its rows: three sides, the three angles
// in decimal degrees, each followed by the same angle as degrees/minutes/seconds text (D shows A,
// E shows B, F shows C).
enum class Entry { X, Y, Z, A, D, B, E, C, F };

inline constexpr std::array<Entry, 9> kAllEntries = {
    Entry::X, Entry::Y, Entry::Z, Entry::A, Entry::D, Entry::B, Entry::E, Entry::C, Entry::F};
// The entries that hold a number of their own.
inline constexpr std::array<Entry, 6> kNumberEntries = {Entry::X, Entry::Y, Entry::Z,
                                                        Entry::A, Entry::B, Entry::C};

constexpr int indexOf(Entry e) {
    return static_cast<int>(e);
}
constexpr bool isSide(Entry e) {
    return e == Entry::X || e == Entry::Y || e == Entry::Z;
}
constexpr bool isDecimalAngle(Entry e) {
    return e == Entry::A || e == Entry::B || e == Entry::C;
}
constexpr bool isDmsAngle(Entry e) {
    return e == Entry::D || e == Entry::E || e == Entry::F;
}
// D -> A, E -> B, F -> C; any other entry is itself.
constexpr Entry decimalAngleOf(Entry e) {
    return e == Entry::D ? Entry::A : e == Entry::E ? Entry::B : e == Entry::F ? Entry::C : e;
}
// A -> D, B -> E, C -> F; any other entry is itself.
constexpr Entry dmsAngleOf(Entry e) {
    return e == Entry::A ? Entry::D : e == Entry::B ? Entry::E : e == Entry::C ? Entry::F : e;
}

// The entry's label as the panel, the results screen and the printed page show it
// ("X = Length           = ", 23 characters).
const char* entryLabel(Entry e);

}  // namespace solvara
