// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/triangle_values.h"

namespace solvara {

namespace {

template <class Numbers>
auto& numberIn(Numbers& t, Entry e) {
    switch (decimalAngleOf(e)) {
        case Entry::X:
            return t.x;
        case Entry::Y:
            return t.y;
        case Entry::Z:
            return t.z;
        case Entry::A:
            return t.a;
        case Entry::B:
            return t.b;
        default:
            return t.c;
    }
}

template <class Texts>
auto& textIn(Texts& t, Entry e) {
    switch (e) {
        case Entry::X:
            return t.x;
        case Entry::Y:
            return t.y;
        case Entry::Z:
            return t.z;
        case Entry::A:
            return t.a;
        case Entry::D:
            return t.d;
        case Entry::B:
            return t.b;
        case Entry::E:
            return t.e;
        case Entry::C:
            return t.c;
        default:
            return t.f;
    }
}

}  // namespace

std::string& AnswerTexts::of(Entry entry) {
    return textIn(*this, entry);
}

const std::string& AnswerTexts::of(Entry entry) const {
    return textIn(*this, entry);
}

const char* entryLabel(Entry e) {
    switch (e) {
        case Entry::X:
            return "X = Length           = ";
        case Entry::Y:
            return "Y = Height           = ";
        case Entry::Z:
            return "Z = Length of angle  = ";
        case Entry::A:
            return "A = Angle A decimal  = ";
        case Entry::D:
            return "D = Angle A degrees  = ";
        case Entry::B:
            return "B = Angle B decimal  = ";
        case Entry::E:
            return "E = Angle B degrees  = ";
        case Entry::C:
            return "C = Angle C decimal  = ";
        default:
            return "F = Angle C degrees  = ";
    }
}

double& TriangleValues::number(Entry e) {
    return numberIn(triangle, e);
}

double TriangleValues::number(Entry e) const {
    return numberIn(triangle, e);
}

Marks TriangleValues::marks() const {
    return Marks{markers.on(Entry::X), markers.on(Entry::Y), markers.on(Entry::Z),
                 markers.on(Entry::A), markers.on(Entry::B), markers.on(Entry::C)};
}

void TriangleValues::reset() {
    const SolveMode mode = solveMode;
    *this = TriangleValues{};
    solveMode = mode;
}

}  // namespace solvara
