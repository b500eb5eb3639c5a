// Temporary stand-ins until the solver core lands; delete this file then.
#include "platform/number_format.h"
#include "solver/solver.h"
#include "solver/trig.h"
#include "values/dms_text.h"
#include "values/marker_rules.h"

namespace solvara {
std::string formatMasked(double, std::string_view) {
    return "0.0";
}
std::string plainNumberText(double) {
    return "0";
}
double parseNumber(std::string_view) {
    return 0;
}
std::string toDmsText(double, DmsParts&, std::string&) {
    return kZeroDms;
}
std::string toDmsText(double) {
    return kZeroDms;
}
double fromDmsTemplate(std::string_view) {
    return 0;
}
void applySelectionMarkerRules(TriangleValues&) {}
void applyEmptyEntryMarkerRules(TriangleValues&) {}
void toggleMarker(TriangleValues&, EntryId) {}
void selectEntry(TriangleValues& v, EntryId id) {
    v.selectedEntry = id;
}
int countInputs(TriangleValues&) {
    return 0;
}
void completeRightAngles(TriangleValues&) {}
void alignWithMode(TriangleValues&) {}
bool enoughInputsToSolve(const TriangleValues&) {
    return false;
}
double sinDeg(double) {
    return 0;
}
double cosDeg(double) {
    return 0;
}
double tanDeg(double) {
    return 0;
}
double atanDeg(double) {
    return 0;
}
double atan2Deg(double, double) {
    return 0;
}
double asinDeg(double) {
    return 0;
}
double acosDeg(double) {
    return 0;
}
SolveOutcome solveRight(TriangleValues&) {
    return SolveOutcome::NoCaseApplies;
}
SolveOutcome solveOblique(TriangleValues&) {
    return SolveOutcome::NoCaseApplies;
}
SolutionCheck checkSolution(const TriangleValues&) {
    return {};
}
double rightTriangleArea(double, double) {
    return 0;
}
double obliqueTriangleArea(double, double, double) {
    return 0;
}
HeightAndWidth obliqueHeightAndWidth(double, double, double) {
    return {};
}
}  // namespace solvara
