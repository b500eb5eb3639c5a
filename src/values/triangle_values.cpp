// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/triangle_values.h"

namespace solvara {

namespace {

// Each entry's number and text, in the order of Entry; D, E and F stand for their angles.
constexpr std::array<double Triangle::*, 9> kNumberOf = {
    &Triangle::x, &Triangle::y, &Triangle::z, &Triangle::a, &Triangle::a,
    &Triangle::b, &Triangle::b, &Triangle::c, &Triangle::c,
};
constexpr std::array<std::string AnswerTexts::*, 9> kTextOf = {
    &AnswerTexts::x, &AnswerTexts::y, &AnswerTexts::z, &AnswerTexts::a, &AnswerTexts::d,
    &AnswerTexts::b, &AnswerTexts::e, &AnswerTexts::c, &AnswerTexts::f,
};

std::size_t slot(Entry e) {
    return static_cast<std::size_t>(indexOf(e));
}

}  // namespace

std::string& AnswerTexts::of(Entry entry) {
    return this->*kTextOf[slot(entry)];
}

const std::string& AnswerTexts::of(Entry entry) const {
    return this->*kTextOf[slot(entry)];
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
    return triangle.*kNumberOf[slot(e)];
}

double TriangleValues::number(Entry e) const {
    return triangle.*kNumberOf[slot(e)];
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
