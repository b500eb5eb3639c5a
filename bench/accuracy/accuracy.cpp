// SPDX-License-Identifier: GPL-2.0-or-later
#include "accuracy/accuracy.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <span>

#include "platform/text/number_format.h"
#include "solver/solver.h"
#include "values/values_panel.h"

namespace solvara::accuracy {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr const char* kNumberNames[kFirstTriangleFigure] = {"X", "Y",    "Z",      "A",    "B",
                                                            "C", "area", "height", "width"};

// The family of each figure of the triangle, in the order of figures.h.
std::size_t familyOf(int figure) {
    static constexpr std::array<std::size_t, kFigureCount> kFamily{0, 1, 1, 1, 2, 2,
                                                                   2, 3, 3, 3, 4, 5};
    return kFamily[static_cast<std::size_t>(figure)];
}

const char* nameOf(int figure) {
    if (figure < kFirstTriangleFigure) return kNumberNames[figure];
    return kFigureNames[static_cast<std::size_t>(figure - kFirstTriangleFigure)].key;
}

// The input sets in the order each solver tries them.
constexpr std::array<std::array<Letter, 3>, 19> kObliqueSets{{
    {X, Y, Z}, {X, Y, A}, {X, Z, A}, {Y, Z, A}, {X, Y, B}, {Y, Z, B}, {X, Z, B},
    {Y, A, B}, {X, A, B}, {Z, A, B}, {X, Y, C}, {X, Z, C}, {Y, Z, C}, {Z, C, A},
    {Y, C, A}, {X, C, A}, {Z, C, B}, {Y, C, B}, {X, C, B},
}};
constexpr std::array<std::array<Letter, 2>, 9> kRightSets{{
    {X, Y},
    {Y, Z},
    {X, Z},
    {Z, A},
    {X, A},
    {Y, A},
    {Z, B},
    {X, B},
    {Y, B},
}};
constexpr std::array<int, 19> kAllObliqueCases{1,  2,  3,  4,  5,  6,  7,  8,  9, 10,
                                               11, 12, 13, 14, 15, 16, 17, 18, 19};
// Two sides and an angle opposite one of them.
constexpr std::array<int, 6> kSideSideAngleCases{2, 4, 5, 7, 12, 13};
constexpr std::array<int, 9> kOneSideTwoAnglesCases{8, 9, 10, 14, 15, 16, 17, 18, 19};
constexpr std::array<int, 3> kAngleBetweenCases{3, 6, 11};

bool isSide(Letter l) {
    return l <= Z;
}
Letter oppositeOf(Letter l) {
    static constexpr Letter kOpposite[] = {B, A, C, Y, X, Z};
    return kOpposite[l];
}

std::span<const Letter> lettersOf(SolveMode mode, int caseNumber) {
    if (mode == SolveMode::Right) return kRightSets[caseNumber - 1];
    return kObliqueSets[caseNumber - 1];
}

// ---- Making rows ----

// A triangle by its angles A, B and C, adding up to 180 exactly, and the diameter of its
// circumscribed circle, which scales it.
struct Shape {
    std::array<Real, 3> angles;
    Real diameter;

    Real value(Letter l) const {
        if (!isSide(l)) return angles[l - A];
        return diameter * sinDegrees(angles[oppositeOf(l) - A]);
    }
};

Real randomScale(Random& random) {
    return Real(random.logUniform(1e-6, 1e9));
}

// The angles p, q and the rest of 180, at vertices chosen at random.
Shape shuffled(Random& random, double p, double q) {
    std::array<Real, 3> angles{Real(p), Real(q), 180 - Real(p) - Real(q)};
    for (int i = 2; i > 0; --i)
        std::swap(angles[i], angles[random.below(i + 1)]);
    return Shape{angles, randomScale(random)};
}

// A right triangle (C = 90) with the angle `a` at A or at B.
Shape rightShape(Random& random, double a) {
    const Real other = 90 - Real(a);
    if (random.below(2) == 0) return Shape{{Real(a), other, Real(90)}, randomScale(random)};
    return Shape{{other, Real(a), Real(90)}, randomScale(random)};
}

// How a value is typed: as the nearest double, or as a short decimal the way a person types it.
using Typist = double (*)(Random&, Letter, const Real&);

double nearest(Random&, Letter, const Real& value) {
    return static_cast<double>(value);
}

double shortDecimal(Random& random, Letter l, const Real& value) {
    char text[64];
    const double v = static_cast<double>(value);
    if (isSide(l)) {
        std::snprintf(text, sizeof text, "%.*g", 3 + random.below(3), v);
    } else {
        std::snprintf(text, sizeof text, "%.*f", random.below(3), v);
    }
    return std::strtod(text, nullptr);
}

// `v` moved by `units` units in the last place.
double nudged(double v, int units) {
    for (; units > 0; --units)
        v = std::nextafter(v, kInf);
    for (; units < 0; ++units)
        v = std::nextafter(v, -kInf);
    return v;
}

int fewUnits(Random& random) {
    return random.below(9) - 4;
}

void addRow(std::vector<Row>& rows, Row row) {
    // A marked entry of 0 is no input: such a row would test nothing.
    for (const Given& g : row.inputs)
        if (g.value == 0) return;
    rows.push_back(std::move(row));
}

void addRows(std::vector<Row>& rows, Random& random, const Shape& shape, Typist type,
             std::span<const int> obliqueCases, bool alsoRight = false) {
    for (const int n : obliqueCases) {
        Row row{SolveMode::Oblique, n, {}};
        for (const Letter l : lettersOf(SolveMode::Oblique, n))
            row.inputs.push_back({l, type(random, l, shape.value(l))});
        addRow(rows, std::move(row));
    }
    if (!alsoRight) return;
    for (int n = 1; n <= static_cast<int>(kRightSets.size()); ++n) {
        Row row{SolveMode::Right, n, {}};
        for (const Letter l : lettersOf(SolveMode::Right, n))
            row.inputs.push_back({l, type(random, l, shape.value(l))});
        addRow(rows, std::move(row));
    }
}

Shape acuteShape(Random& random) {
    const double p = random.uniform(1, 89);
    return shuffled(random, p, random.uniform(std::max(1.0, 91 - p), 89));
}

Shape obtuseShape(Random& random) {
    const double p = random.uniform(90.5, 178);
    return shuffled(random, p, random.uniform(0.05, 180 - p - 0.05));
}

Shape nearRightShape(Random& random) {
    const double off = random.logUniform(1e-9, 1e-3) * (random.below(2) ? 1 : -1);
    return shuffled(random, 90 + off, random.uniform(0.5, 89.5));
}

// `shapes` triangles made by `shape`, each taken apart into the input sets of `cases`.
std::vector<Row> rowsOf(Random& random, int shapes, Shape (*shape)(Random&),
                        std::span<const int> cases) {
    std::vector<Row> rows;
    for (int i = 0; i < shapes; ++i)
        addRows(rows, random, shape(random), nearest, cases);
    return rows;
}

std::vector<Row> exactRightRows(Random& random, int shapes) {
    std::vector<Row> rows;
    for (int i = 0; i < shapes; ++i) {
        const Shape shape = rightShape(random, random.uniform(0.05, 89.95));
        addRows(rows, random, shape, nearest, kAllObliqueCases, true);
    }
    return rows;
}

// One angle between `low` and `high` degrees; every other one a right triangle.
std::vector<Row> thinRows(Random& random, int shapes, double low, double high) {
    std::vector<Row> rows;
    for (int i = 0; i < shapes; ++i) {
        const double tiny = random.logUniform(low, high);
        if (i % 2 == 0) {
            addRows(rows, random, rightShape(random, tiny), nearest, kAllObliqueCases, true);
        } else {
            const Shape shape = shuffled(random, tiny, random.uniform(0.05, 179.9));
            addRows(rows, random, shape, nearest, kAllObliqueCases);
        }
    }
    return rows;
}

std::vector<Row> needleRows(Random& random, int shapes) {
    return thinRows(random, shapes, 1e-6, 1e-3);
}

std::vector<Row> extremeRows(Random& random, int shapes) {
    return thinRows(random, shapes, 1e-12, 1e-6);
}

std::vector<Row> capRows(Random& random, int shapes) {
    std::vector<Row> rows;
    for (int i = 0; i < shapes; ++i) {
        const double p = random.logUniform(1e-6, 1e-3);
        const Shape shape = shuffled(random, p, random.logUniform(1e-6, 1e-3));
        addRows(rows, random, shape, nearest, kAllObliqueCases);
    }
    return rows;
}

std::vector<Row> shortDecimalRows(Random& random, int shapes) {
    std::vector<Row> rows;
    for (int i = 0; i < shapes; ++i) {
        switch (i % 3) {
            case 0:
                addRows(rows, random, acuteShape(random), shortDecimal, kAllObliqueCases);
                break;
            case 1:
                addRows(rows, random, obtuseShape(random), shortDecimal, kAllObliqueCases);
                break;
            default:
                addRows(rows, random, rightShape(random, random.uniform(1, 89)), shortDecimal,
                        kAllObliqueCases, true);
                break;
        }
    }
    return rows;
}

// Inputs a few units in the last place either side of where a triangle stops existing: three
// sides of which one is the sum of the others, two angles adding up to 180, an angle between two
// sides of 180, an angle opposite a side not longer than the other with the angle 90 or obtuse, a
// leg as long as the hypotenuse or a right angle beside the right angle.
std::vector<Row> boundaryRows(Random& random, int shapes) {
    std::vector<Row> rows;
    for (int i = 0; i < shapes; ++i) {
        const double scale = random.logUniform(1e-6, 1e9);
        switch (i % 5) {
            case 0: {
                std::array<double, 3> sides{scale, scale * random.logUniform(1e-3, 1), 0};
                sides[2] = sides[0] + sides[1];
                for (int k = 2; k > 0; --k)
                    std::swap(sides[k], sides[random.below(k + 1)]);
                Row row{SolveMode::Oblique, 1, {}};
                for (const Letter l : {X, Y, Z})
                    row.inputs.push_back({l, nudged(sides[l], fewUnits(random))});
                addRow(rows, std::move(row));
                break;
            }
            case 1: {
                const double u = random.uniform(0.05, 179.95);
                for (const int n : kOneSideTwoAnglesCases) {
                    Row row{SolveMode::Oblique, n, {}};
                    bool first = true;
                    for (const Letter l : lettersOf(SolveMode::Oblique, n)) {
                        double v = scale;
                        if (!isSide(l)) v = nudged(first ? u : 180 - u, fewUnits(random));
                        if (!isSide(l)) first = false;
                        row.inputs.push_back({l, v});
                    }
                    addRow(rows, std::move(row));
                }
                break;
            }
            case 2: {
                const double other = scale * random.logUniform(1e-3, 1e3);
                for (const int n : kAngleBetweenCases) {
                    Row row{SolveMode::Oblique, n, {}};
                    bool first = true;
                    for (const Letter l : lettersOf(SolveMode::Oblique, n)) {
                        double v = nudged(180, fewUnits(random));
                        if (isSide(l)) v = first ? scale : other;
                        if (isSide(l)) first = false;
                        row.inputs.push_back({l, v});
                    }
                    addRow(rows, std::move(row));
                }
                break;
            }
            case 3: {
                const double theta =
                    random.below(2) ? nudged(90, fewUnits(random)) : random.uniform(90.5, 179);
                for (const int n : kSideSideAngleCases) {
                    Row row{SolveMode::Oblique, n, {}};
                    const std::span<const Letter> letters = lettersOf(SolveMode::Oblique, n);
                    const Letter angle = *std::find_if(letters.begin(), letters.end(),
                                                       [](Letter l) { return !isSide(l); });
                    for (const Letter l : letters) {
                        double v = theta;
                        if (l == oppositeOf(angle)) v = nudged(scale, fewUnits(random));
                        if (isSide(l) && l != oppositeOf(angle)) v = scale;
                        row.inputs.push_back({l, v});
                    }
                    addRow(rows, std::move(row));
                }
                break;
            }
            default: {
                for (int n = 1; n <= static_cast<int>(kRightSets.size()); ++n) {
                    Row row{SolveMode::Right, n, {}};
                    for (const Letter l : lettersOf(SolveMode::Right, n)) {
                        const double v = isSide(l) ? scale : 90;
                        row.inputs.push_back({l, nudged(v, fewUnits(random))});
                    }
                    addRow(rows, std::move(row));
                }
                break;
            }
        }
    }
    return rows;
}

// Triangles of every size the doubles hold: acute, obtuse, right (for both solvers) and needles
// with one angle of 1e-6 to 1e-3 degrees, their sides from 1e-300 to 1e300. Beyond about 1e154
// the area, and below about 1e-154 it or the height, leaves the range, and the answer is none.
std::vector<Row> rangeRows(Random& random, int shapes) {
    std::vector<Row> rows;
    for (int i = 0; i < shapes; ++i) {
        const bool right = i % 4 == 2;
        Shape shape;
        switch (i % 4) {
            case 0:
                shape = acuteShape(random);
                break;
            case 1:
                shape = obtuseShape(random);
                break;
            case 2:
                shape = rightShape(random, random.uniform(0.05, 89.95));
                break;
            default:
                shape =
                    shuffled(random, random.logUniform(1e-6, 1e-3), random.uniform(0.05, 179.9));
                break;
        }
        shape.diameter = Real(random.logUniform(1e-300, 1e300));
        addRows(rows, random, shape, nearest, kAllObliqueCases, right);
    }
    return rows;
}

// Two equal angles, so two equal sides; in a third of the rows one input side moved by a unit
// in the last place.
std::vector<Row> isoscelesRows(Random& random, int shapes) {
    std::vector<Row> rows;
    for (int i = 0; i < shapes; ++i) {
        const double theta = random.uniform(0.5, 89.5);
        const std::size_t first = rows.size();
        addRows(rows, random, shuffled(random, theta, theta), nearest, kSideSideAngleCases);
        for (std::size_t r = first; r < rows.size(); ++r) {
            if (random.below(3) != 0) continue;
            for (Given& g : rows[r].inputs) {
                if (isSide(g.letter)) {
                    g.value = nudged(g.value, random.below(2) ? 1 : -1);
                    break;
                }
            }
        }
    }
    return rows;
}

// ---- Comparing ----

using Numbers = std::array<double, kFigures>;

// The record as the program hands it to the solver: in Right mode the marker rules have made
// C 90 and, with B marked, A the complement of B.
SolveOutcome solveRow(const Row& row) {
    Triangle t;
    Marks marks;
    double* numbers[] = {&t.x, &t.y, &t.z, &t.a, &t.b, &t.c};
    bool* marked[] = {&marks.x, &marks.y, &marks.z, &marks.a, &marks.b, &marks.c};
    for (const Given& g : row.inputs) {
        *numbers[g.letter] = g.value;
        *marked[g.letter] = true;
    }
    if (row.mode == SolveMode::Right) {
        t.c = 90;
        if (marks.b) t.a = 90 - t.b;
    }
    return solve(row.mode, t, marks);
}

// The figures the results screen shows of an answer, and those of figuresOf.
Numbers shownNumbers(SolveMode mode, const Triangle& t) {
    Numbers f{t.x, t.y, t.z, t.a, t.b, t.c};
    if (mode == SolveMode::Right) {
        f[kArea] = rightTriangleArea(t.x, t.y);
        f[kHeight] = t.y;
        f[kWidth] = t.x;
    } else {
        f[kArea] = obliqueTriangleArea(t);
        const HeightAndWidth hw = obliqueHeightAndWidth(t);
        f[kHeight] = hw.height;
        f[kWidth] = hw.width;
    }
    const TriangleFigures figures = figuresOf(mode, t);
    std::copy(figures.values.begin(), figures.values.end(), f.begin() + kFirstTriangleFigure);
    return f;
}

// What the solver computes of a row: the six numbers but the inputs (and a right triangle's C),
// the area, and an oblique triangle's height and width (a right one's are its legs).
std::vector<int> computedFigures(const Row& row) {
    std::vector<int> figures;
    for (int l = X; l <= C; ++l) {
        const bool input = std::any_of(row.inputs.begin(), row.inputs.end(),
                                       [&](const Given& g) { return g.letter == l; });
        if (!input && !(row.mode == SolveMode::Right && l == C)) figures.push_back(l);
    }
    figures.push_back(kArea);
    if (row.mode == SolveMode::Oblique) {
        figures.push_back(kHeight);
        figures.push_back(kWidth);
    }
    return figures;
}

// The results screen writes B and C with nine decimals, everything else with eight.
std::string displayed(int figure, double value) {
    const char* mask = figure == B || figure == C ? kMask9 : kMask8;
    return formatMaskedToFit(value, mask, panel::kValueFieldWidth);
}

Real unitInTheLastPlace(const Real& exact) {
    const double v = std::fabs(static_cast<double>(exact));
    return Real(std::nextafter(v, kInf) - v);
}

// How many units in the last place a figure moves when one input moves by one: the sum over the
// inputs of the larger move, up or down. Infinite where a move changes whether there is a
// triangle, or a second one.
struct Conditioning {
    Numbers first{}, second{};
};

Conditioning conditioningOf(const Row& row, const ExactAnswer& exact) {
    Conditioning cond;
    for (std::size_t i = 0; i < row.inputs.size(); ++i) {
        Conditioning worst;
        for (const double direction : {kInf, -kInf}) {
            std::vector<Given> moved = row.inputs;
            moved[i].value = std::nextafter(moved[i].value, direction);
            const ExactAnswer m = solveExactly(row.mode, moved);
            if (!m.exists || m.second.has_value() != exact.second.has_value()) {
                cond.first.fill(kInf);
                cond.second.fill(kInf);
                return cond;
            }
            for (int f = 0; f < kFigures; ++f) {
                const Real& e = exact.first[f];
                worst.first[f] =
                    std::max(worst.first[f],
                             static_cast<double>(abs(m.first[f] - e) / unitInTheLastPlace(e)));
                if (!exact.second) continue;
                const Real& s = (*exact.second)[f];
                worst.second[f] =
                    std::max(worst.second[f],
                             static_cast<double>(abs((*m.second)[f] - s) / unitInTheLastPlace(s)));
            }
        }
        for (int f = 0; f < kFigures; ++f) {
            cond.first[f] += worst.first[f];
            cond.second[f] += worst.second[f];
        }
    }
    return cond;
}

// The significant digit of `reference` at which `got` first differs from it; 0 when they agree.
int firstDifferingDigit(const std::string& got, const std::string& reference) {
    if (got == reference) return 0;
    int significant = 0;
    for (std::size_t i = 0; i < reference.size(); ++i) {
        const char c = reference[i];
        if ((c >= '1' && c <= '9') || (significant > 0 && c == '0')) ++significant;
        if (i >= got.size() || got[i] != c) return std::max(significant, 1);
    }
    return significant + 1;
}

struct AnswerVerdict {
    double relativeError = 0;
    bool wrongDigit = false;
    bool wrongSignificantDigit = false;
    bool beyondConditioning = false;
};

AnswerVerdict& operator|=(AnswerVerdict& v, const AnswerVerdict& w) {
    v.relativeError = std::max(v.relativeError, w.relativeError);
    v.wrongDigit = v.wrongDigit || w.wrongDigit;
    v.wrongSignificantDigit = v.wrongSignificantDigit || w.wrongSignificantDigit;
    v.beyondConditioning = v.beyondConditioning || w.beyondConditioning;
    return v;
}

// The sides, angles, area, height and width the solver computes, and apart from them the
// figures of the triangle.
struct AnswerVerdicts {
    AnswerVerdict numbers, figures;
};

// The first nine figures are judged for `stats`, the figures of the triangle for
// `stats.figures`, each keeping the row furthest beyond its allowance.
AnswerVerdicts compareAnswer(const Row& row, const char* which, const Numbers& got,
                             const Figures& exact, const Numbers& cond, GroupStats& stats) {
    AnswerVerdicts verdicts;
    std::vector<int> judged = computedFigures(row);
    for (int f = kFirstTriangleFigure; f < kFigures; ++f)
        judged.push_back(f);
    for (const int f : judged) {
        const bool triangleFigure = f >= kFirstTriangleFigure;
        AnswerVerdict& verdict = triangleFigure ? verdicts.figures : verdicts.numbers;
        double& worstRatio = triangleFigure ? stats.figures.worstRatio : stats.worstRatio;
        std::string& worstRow = triangleFigure ? stats.figures.worstRow : stats.worstRow;
        const Real error = abs(Real(got[f]) - exact[f]);
        const double relative = static_cast<double>(error / abs(exact[f]));
        verdict.relativeError = std::max(verdict.relativeError, relative);
        const double exactDouble = static_cast<double>(exact[f]);
        const int differs = firstDifferingDigit(displayed(f, got[f]), displayed(f, exactDouble));
        if (differs > 0) verdict.wrongDigit = true;
        if (differs > 0 && differs <= 15) verdict.wrongSignificantDigit = true;
        const double ulps = static_cast<double>(error / unitInTheLastPlace(exact[f]));
        const double allowed = 8 * (cond[f] + 1);
        if (!(ulps <= allowed)) verdict.beyondConditioning = true;
        const double ratio = std::isnan(ulps / allowed) ? kInf : ulps / allowed;
        if (triangleFigure) {
            double& family = stats.figures.familyWorstRatio[familyOf(f - kFirstTriangleFigure)];
            family = std::max(family, ratio);
        }
        if (!(ratio <= worstRatio)) {
            worstRatio = ratio;
            char text[200];
            std::snprintf(text, sizeof text, "%s %s: %.17g, exactly %.17g (%.3g ulps, cond %.3g)",
                          which, nameOf(f), got[f], exactDouble, ulps, cond[f]);
            worstRow = describe(row) + " gives " + text;
        }
    }
    return verdicts;
}

void addExample(GroupStats& stats, const Row& row, const char* fault) {
    if (stats.examples.size() < 6)
        stats.examples.push_back(std::string(fault) + ": " + describe(row));
}

}  // namespace

std::string describe(const Row& row) {
    std::string text = row.mode == SolveMode::Right ? "right case " : "oblique case ";
    text += std::to_string(row.caseNumber) + ",";
    for (const Given& g : row.inputs) {
        char value[40];
        std::snprintf(value, sizeof value, " %c=%.17g", "XYZABC"[g.letter], g.value);
        text += value;
    }
    return text;
}

void measureRow(const Row& row, GroupStats& stats) {
    ++stats.rows;
    const ExactAnswer exact = solveExactly(row.mode, row.inputs);
    const SolveOutcome got = solveRow(row);
    const bool accepted = got.kind == SolveOutcome::Kind::Solved;
    if (exact.tangentDistance && *exact.tangentDistance <= Real(kTangentBand)) {
        ++stats.tangentBand;
    } else {
        if (exact.exists && !accepted) {
            ++stats.validRejected;
            addExample(stats, row, "valid rejected");
        }
        if (!exact.exists && accepted) {
            ++stats.invalidAccepted;
            addExample(stats, row, "invalid accepted");
        }
        if (exact.second && !got.second) {
            ++stats.missedSecond;
            addExample(stats, row, "second answer missed");
        }
        if (!exact.second && got.second) {
            ++stats.falseSecond;
            addExample(stats, row, "false second answer");
        }
    }
    if (!exact.exists || !accepted) return;

    const Conditioning cond = conditioningOf(row, exact);
    AnswerVerdicts verdicts = compareAnswer(row, "first", shownNumbers(row.mode, got.first),
                                            exact.first, cond.first, stats);
    if (exact.second && got.second) {
        const AnswerVerdicts second = compareAnswer(
            row, "second", shownNumbers(row.mode, *got.second), *exact.second, cond.second, stats);
        verdicts.numbers |= second.numbers;
        verdicts.figures |= second.figures;
    }
    const AnswerVerdict& figures = verdicts.figures;
    if (figures.wrongDigit) ++stats.figures.wrongDigit;
    if (figures.wrongSignificantDigit) ++stats.figures.wrongSignificantDigit;
    if (figures.beyondConditioning) {
        ++stats.figures.beyondConditioning;
        addExample(stats, row, "a figure of the triangle beyond conditioning");
    }
    const AnswerVerdict& verdict = verdicts.numbers;
    stats.relativeErrors.push_back(verdict.relativeError);
    if (verdict.wrongDigit) ++stats.wrongDigit;
    if (verdict.wrongSignificantDigit) ++stats.wrongSignificantDigit;
    if (verdict.beyondConditioning) {
        ++stats.beyondConditioning;
        addExample(stats, row, "beyond conditioning");
    }
}

const std::vector<CaseGroup>& caseGroups() {
    static const std::vector<CaseGroup> groups{
        {"acute", "all angles between 1 and 89 degrees",
         [](Random& r, int n) { return rowsOf(r, n, acuteShape, kAllObliqueCases); }},
        {"obtuse", "one angle between 90.5 and 178 degrees",
         [](Random& r, int n) { return rowsOf(r, n, obtuseShape, kAllObliqueCases); }},
        {"exact right", "C = 90, both solvers", exactRightRows},
        {"near-right", "one angle 90 +- 1e-9...1e-3 degrees",
         [](Random& r, int n) { return rowsOf(r, n, nearRightShape, kAllObliqueCases); }},
        {"needles", "one angle 1e-6...1e-3 degrees, every other one right", needleRows},
        {"caps", "two angles 1e-6...1e-3 degrees", capRows},
        {"extreme", "one angle 1e-12...1e-6 degrees, every other one right", extremeRows},
        {"typed short decimals", "sides of 3-5 digits, angles of 0-2 decimals", shortDecimalRows},
        {"validity boundaries", "a few units in the last place either side of no triangle",
         boundaryRows},
        {"SSA tangent", "two sides and an angle opposite one, the other angle 90 +- 1e-9...1e-3",
         [](Random& r, int n) { return rowsOf(r, n, nearRightShape, kSideSideAngleCases); }},
        {"SSA isosceles", "the two sides equal, or one unit in the last place apart",
         isoscelesRows},
        {"SSA two answers", "two sides and an angle opposite one, from obtuse triangles",
         [](Random& r, int n) { return rowsOf(r, n, obtuseShape, kSideSideAngleCases); }},
        {"range", "sides from 1e-300 to 1e300: acute, obtuse, right and needles", rangeRows},
    };
    return groups;
}

GroupStats measureGroup(const CaseGroup& group, int shapes, std::uint64_t seed) {
    Random random(seed);
    GroupStats stats;
    stats.name = group.name;
    for (const Row& row : group.rows(random, shapes))
        measureRow(row, stats);
    return stats;
}

Spread spreadOf(std::vector<double> errors) {
    Spread spread;
    if (errors.empty()) return spread;
    std::sort(errors.begin(), errors.end());
    const std::size_t n = errors.size();
    spread.median = errors[n / 2];
    spread.p99 = errors[std::min(n - 1, (n * 99 + 99) / 100 - 1)];
    spread.worst = errors.back();
    return spread;
}

namespace {
std::string scientific(double v) {
    if (v == 0) return "0";
    char text[32];
    std::snprintf(text, sizeof text, "%.1e", v);
    return text;
}

std::string line(const GroupStats& g) {
    const Spread s = spreadOf(g.relativeErrors);
    std::string text = "| " + g.name;
    for (const long n : {g.rows, g.validRejected, g.invalidAccepted, g.tangentBand, g.falseSecond,
                         g.missedSecond}) {
        text += " | " + std::to_string(n);
    }
    text += " | " + scientific(s.median) + " | " + scientific(s.p99) + " | " + scientific(s.worst);
    for (const long n : {g.wrongDigit, g.wrongSignificantDigit, g.beyondConditioning})
        text += " | " + std::to_string(n);
    return text + " |\n";
}
}  // namespace

std::string markdownTable(const std::vector<GroupStats>& groups) {
    std::string table =
        "| Group | Rows | Valid rejected | Invalid accepted | Tangent band | False second | "
        "Missed second | Median rel. error | p99 | Worst | Wrong displayed digit | In the first 15 "
        "digits | Beyond 8 (cond + 1) ulps |\n"
        "|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n";
    GroupStats total;
    total.name = "**all**";
    for (const GroupStats& g : groups) {
        table += line(g);
        total.rows += g.rows;
        total.validRejected += g.validRejected;
        total.invalidAccepted += g.invalidAccepted;
        total.tangentBand += g.tangentBand;
        total.falseSecond += g.falseSecond;
        total.missedSecond += g.missedSecond;
        total.wrongDigit += g.wrongDigit;
        total.wrongSignificantDigit += g.wrongSignificantDigit;
        total.beyondConditioning += g.beyondConditioning;
        total.relativeErrors.insert(total.relativeErrors.end(), g.relativeErrors.begin(),
                                    g.relativeErrors.end());
    }
    return table + line(total);
}

namespace {
std::string figuresLine(const std::string& name, long rows, const FigureStats& f) {
    std::string text = "| " + name + " | " + std::to_string(rows);
    for (const double ratio : f.familyWorstRatio) {
        char share[32];
        std::snprintf(share, sizeof share, "%.3f", ratio);
        text += std::string(" | ") + share;
    }
    for (const long n : {f.wrongDigit, f.wrongSignificantDigit, f.beyondConditioning})
        text += " | " + std::to_string(n);
    return text + " |\n";
}
}  // namespace

std::string figuresTable(const std::vector<GroupStats>& groups) {
    std::string table = "| Group | Rows compared";
    for (const char* family : kFigureFamilies)
        table += std::string(" | ") + family;
    table +=
        " | Wrong displayed digit | In the first 15 digits | Beyond 8 (cond + 1) ulps |\n"
        "|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n";
    FigureStats total;
    long rows = 0;
    for (const GroupStats& g : groups) {
        const auto compared = static_cast<long>(g.relativeErrors.size());
        table += figuresLine(g.name, compared, g.figures);
        rows += compared;
        total.wrongDigit += g.figures.wrongDigit;
        total.wrongSignificantDigit += g.figures.wrongSignificantDigit;
        total.beyondConditioning += g.figures.beyondConditioning;
        for (std::size_t i = 0; i < kFigureFamilies.size(); ++i)
            total.familyWorstRatio[i] =
                std::max(total.familyWorstRatio[i], g.figures.familyWorstRatio[i]);
    }
    return table + figuresLine("**all**", rows, total);
}

}  // namespace solvara::accuracy
