// SPDX-License-Identifier: GPL-2.0-or-later
// The solver against the 60-digit reference: random triangles in groups of a kind (acute,
// needles, validity boundaries, ...), taken apart into input sets, typed as doubles, solved by
// the real solver and compared figure by figure and display by display. `make accuracy` runs it
// at length; a test runs a few thousand rows of it.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "accuracy/reference.h"

namespace solvara::accuracy {

// A fixed seed gives the same rows on every machine: the engine is the standard's, the
// conversion to doubles is this class's own.
class Random {
  public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    double unit() { return static_cast<double>(engine_() >> 11) * 0x1p-53; }
    double uniform(double low, double high) { return low + (high - low) * unit(); }
    // Spread evenly over the orders of magnitude between low and high.
    double logUniform(double low, double high) {
        return std::pow(10.0, uniform(std::log10(low), std::log10(high)));
    }
    int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }

  private:
    std::mt19937_64 engine_;
};

struct Row {
    SolveMode mode = SolveMode::Oblique;
    int caseNumber = 0;  // in the order the mode's solver tries its cases, from 1
    std::vector<Given> inputs;
};

std::string describe(const Row& row);

// The figures of the triangle (solver/figures.h) in families: the perimeter, the three heights,
// the three medians, the three bisectors, the inradius and the circumradius.
inline constexpr std::array<const char*, 6> kFigureFamilies{
    "Perimeter", "Heights", "Medians", "Bisectors", "Inradius", "Circumradius"};

// How the figures of the triangle of one group's rows came out, judged as the other figures are
// but counted apart.
struct FigureStats {
    long wrongDigit = 0;             // rows with a figure's displayed text unlike the reference's
    long wrongSignificantDigit = 0;  // of them, a difference within the first 15 digits
    long beyondConditioning = 0;     // rows with a figure off by more than 8 (cond + 1) ulps
    // Per family, the largest error as a share of its allowance of 8 (cond + 1) ulps.
    std::array<double, kFigureFamilies.size()> familyWorstRatio{};
    std::string worstRow;  // the figure furthest beyond its conditioning
    double worstRatio = 0;
};

// What one group of rows came to.
struct GroupStats {
    std::string name;
    long rows = 0;
    long validRejected = 0;    // a triangle exists, the solver says it cannot do it
    long invalidAccepted = 0;  // no triangle exists, the solver shows one
    // Two sides and an angle opposite one of them where the two triangles all but touch: the
    // typed doubles alone decide between none, one and two answers there, so the decision is not
    // counted; the figures are, when both sides give a triangle.
    long tangentBand = 0;
    long falseSecond = 0;   // a second answer offered that does not exist
    long missedSecond = 0;  // a second answer that exists and is not offered
    long wrongDigit = 0;    // rows with a displayed text that differs from the reference's
    // Those of them with a difference within the first 15 significant digits: the digits after
    // those lie below the double's resolution for values of 1e7 and more.
    long wrongSignificantDigit = 0;
    long beyondConditioning = 0;         // rows with a figure off by more than 8 (cond + 1) ulps
    std::vector<double> relativeErrors;  // the largest of each compared row
    std::vector<std::string> examples;   // the first few faults
    std::string worstRow;                // the figure furthest beyond its conditioning
    double worstRatio = 0;
    FigureStats figures;  // the same of the figures of the triangle
};

// The distance from 1 of the sine of the swinging angle within which the decision is not
// counted: sixteen units of the last place, four times the solver's own tolerance.
inline constexpr double kTangentBand = 0x1p-49;

struct CaseGroup {
    const char* name;
    const char* description;
    // The rows made of `shapes` random triangles (or input sets).
    std::vector<Row> (*rows)(Random& random, int shapes);
};

const std::vector<CaseGroup>& caseGroups();

// Solves every row of the group with the real solver and with the reference.
GroupStats measureGroup(const CaseGroup& group, int shapes, std::uint64_t seed);
void measureRow(const Row& row, GroupStats& stats);

// The median, the 99th percentile and the largest of the rows' relative errors.
struct Spread {
    double median = 0, p99 = 0, worst = 0;
};
Spread spreadOf(std::vector<double> errors);

// One line per group and a line of totals.
std::string markdownTable(const std::vector<GroupStats>& groups);
// The same of the figures of the triangle: the share of the allowance per family.
std::string figuresTable(const std::vector<GroupStats>& groups);

}  // namespace solvara::accuracy
