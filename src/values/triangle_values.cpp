// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/triangle_values.h"

namespace solvara {

namespace {
double& numberRef(TriangleValues& v, EntryId id) {
    switch (decimalAngleOf(id)) {
        case entry::X:
            return v.x;
        case entry::Y:
            return v.y;
        case entry::Z:
            return v.z;
        case entry::A:
            return v.a;
        case entry::B:
            return v.b;
        default:
            return v.c;
    }
}
}  // namespace

double& TriangleValues::number(EntryId id) {
    return numberRef(*this, id);
}

double TriangleValues::number(EntryId id) const {
    return numberRef(const_cast<TriangleValues&>(*this), id);
}

std::string& TriangleValues::text(EntryId id) {
    switch (id) {
        case entry::X:
            return xText;
        case entry::Y:
            return yText;
        case entry::Z:
            return zText;
        case entry::A:
            return aText;
        case entry::D:
            return dText;
        case entry::B:
            return bText;
        case entry::E:
            return eText;
        case entry::C:
            return cText;
        default:
            return fText;
    }
}

void TriangleValues::reset() {
    const SolveMode mode = solveMode;
    *this = TriangleValues{};
    solveMode = mode;
}

bool isSide(EntryId id) {
    return id == entry::X || id == entry::Y || id == entry::Z;
}
bool isDecimalAngle(EntryId id) {
    return id == entry::A || id == entry::B || id == entry::C;
}
bool isDmsAngle(EntryId id) {
    return id == entry::D || id == entry::E || id == entry::F;
}

const char* entryLabel(EntryId id) {
    switch (id) {
        case entry::X:
            return "X = Length           = ";
        case entry::Y:
            return "Y = Height           = ";
        case entry::Z:
            return "Z = Length of angle  = ";
        case entry::A:
            return "A = Angle A decimal  = ";
        case entry::D:
            return "D = Angle A degrees  = ";
        case entry::B:
            return "B = Angle B decimal  = ";
        case entry::E:
            return "E = Angle B degrees  = ";
        case entry::C:
            return "C = Angle C decimal  = ";
        default:
            return "F = Angle C degrees  = ";
    }
}

EntryId decimalAngleOf(EntryId id) {
    switch (id) {
        case entry::D:
            return entry::A;
        case entry::E:
            return entry::B;
        case entry::F:
            return entry::C;
        default:
            return id;
    }
}

EntryId dmsAngleOf(EntryId id) {
    switch (id) {
        case entry::A:
            return entry::D;
        case entry::B:
            return entry::E;
        case entry::C:
            return entry::F;
        default:
            return id;
    }
}

}  // namespace solvara
