// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <string>

namespace solvara {

// Right triangles need two inputs, oblique ones three. The numbers are the ones the program has
// always stored for them.
enum class SolveMode : int { Right = 2, Oblique = 3 };

// An entry is named by the text row on which the values panel shows it.
using EntryId = int;
namespace entry {
constexpr EntryId kNone = 0;
constexpr EntryId X = 20;  // side between the vertices of A and C, opposite B
constexpr EntryId Y = 21;  // side between B and C, opposite A
constexpr EntryId Z = 22;  // side between A and B, opposite C
constexpr EntryId A = 23;  // angle between X and Z, decimal degrees
constexpr EntryId D = 24;  // A as degrees/minutes/seconds
constexpr EntryId B = 25;
constexpr EntryId E = 26;  // B as degrees/minutes/seconds
constexpr EntryId C = 27;
constexpr EntryId F = 28;  // C as degrees/minutes/seconds
constexpr EntryId kFirst = X;
constexpr EntryId kLast = F;
}  // namespace entry

// Zero angle, and the template the degrees/minutes/seconds editor types into.
inline constexpr const char* kZeroDms = "00d 00m 00s";

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kRadPerDeg = kPi / 180;
inline constexpr double kDegPerRad = 180 / kPi;

// Working values of one decimal-to-DMS conversion.
struct DmsParts {
    double degrees = 0;
    double degreeFraction = 0;
    double minutes = 0;
    double minuteFraction = 0;
    double seconds = 0;
    double tenths = 0;
};

// The second triangle of a side-side-angle input.
struct AlternateSolution {
    bool otherAnswerAvailable = false;
    bool otherAnswerShown = false;
    double x = 0;
    double y = 0;
    double z = 0;
    double a = 0;
    double b = 0;
    double c = 0;
};

// The one record of the triangle that entry, solving and every screen share.
struct TriangleValues {
    SolveMode solveMode = SolveMode::Right;

    // Sides in the user's unit, angles in decimal degrees; 0 means an empty entry.
    double x = 0;
    double y = 0;
    double z = 0;
    double a = 0;
    double b = 0;
    double c = 0;

    std::string xText, yText, zText, aText, bText, cText;
    std::string dText = kZeroDms, eText = kZeroDms, fText = kZeroDms;

    DmsParts aParts, bParts, cParts;
    std::string aTenthsText, bTenthsText, cTenthsText;

    // One marker per entry, kept as the entry's id when on and 0 when off (index id - 20).
    std::array<int, 9> markers{};

    EntryId selectedEntry = entry::kNone;
    std::string editText;
    int editColumn = 62;
    int dmsCursorColumn = 62;
    int inputCount = 0;

    // Derived quantities of the answer(s) shown.
    double area = 0;
    std::string areaText;
    double secondArea = 0;
    std::string secondAreaText;
    std::string heightText;
    std::string widthText;

    AlternateSolution alternate;
    // Editing is refused while the second answer is on the results screen.
    bool editBlocked = false;

    bool markerOn(EntryId id) const { return markers[id - entry::kFirst] != 0; }
    void setMarker(EntryId id, bool on) { markers[id - entry::kFirst] = on ? id : 0; }

    // The number and text of X, Y, Z, A, B, C (and, for text(), D, E, F).
    double& number(EntryId id);
    double number(EntryId id) const;
    std::string& text(EntryId id);

    // Clears numbers, texts, markers, the selection and the two-answer flags; keeps solveMode.
    void reset();
};

bool isSide(EntryId id);
bool isDecimalAngle(EntryId id);
bool isDmsAngle(EntryId id);
// The label the values panel and the results screen print at column 39 (23 characters).
const char* entryLabel(EntryId id);

// D -> A, E -> B, F -> C; other entries map to themselves.
EntryId decimalAngleOf(EntryId id);
// A -> D, B -> E, C -> F; other entries map to themselves.
EntryId dmsAngleOf(EntryId id);

}  // namespace solvara
