// SPDX-License-Identifier: GPL-2.0-or-later
// The steps of each kind of case, in the solver's order and with its choices: which side counts
// as the shorter, which angle comes from a sine and which from the angle sum. The sine or cosine
// of an angle found is worked from that angle, not from the textbook quotient, so that every line
// agrees with the page; the quotients of given figures are worked from them.
#include "results/explanation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>

#include "platform/text/number_format.h"
#include "solver/trig.h"
#include "values/values_panel.h"

namespace solvara {

namespace {

// A corner of the triangle: its angle and the side opposite it.
struct Corner {
    char angle = 'A';
    char side = 'Y';
    double Triangle::*angleOf = &Triangle::a;
    double Triangle::*sideOf = &Triangle::y;
    bool operator==(const Corner& other) const { return angle == other.angle; }
};
constexpr Corner kA{'A', 'Y', &Triangle::a, &Triangle::y};
constexpr Corner kB{'B', 'X', &Triangle::b, &Triangle::x};
constexpr Corner kC{'C', 'Z', &Triangle::c, &Triangle::z};

// The corners of the sides X, Y and Z, in that order.
constexpr std::array<Corner, 3> kBySide{kB, kA, kC};

// The two corners other than k, in the order of `corners`.
std::pair<Corner, Corner> othersOf(Corner k, const std::array<Corner, 3>& corners) {
    std::array<Corner, 2> others;
    std::size_t n = 0;
    for (const Corner c : corners)
        if (!(c == k)) others[n++] = c;
    return {others[0], others[1]};
}

// A sine, a cosine or a quotient: ten significant digits.
std::string value(double v) {
    char digits[32];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, v, std::chars_format::general, 10);
    return std::string(digits, end.ptr);
}

// A figure with the digits the page shows (eight decimals at most, nine for B and C), written
// as 3 rather than 3.0 and 0.5 rather than .5. A figure so small that those decimals would keep
// fewer than four of its digits gets ten significant digits instead: a tiny angle or side is not
// 0 in a formula.
std::string figure(double v, char letter) {
    const bool nine = letter == 'B' || letter == 'C';
    if (v != 0 && std::fabs(v) < (nine ? 1e-6 : 1e-5)) return value(v);
    std::string text = formatMaskedToFit(v, nine ? kMask9 : kMask8, panel::kValueFieldWidth);
    if (text.ends_with(".0")) text.resize(text.size() - 2);
    if (text.starts_with('.')) text.insert(0, "0");
    if (text.starts_with("-.")) text.insert(1, "0");
    return text;
}

// A number squared; one with an exponent goes in brackets.
std::string squared(const std::string& number) {
    return number.find('e') == std::string::npos ? number + "^2" : "(" + number + ")^2";
}

class Steps {
  public:
    explicit Steps(const Triangle& t) : t_(&t) {}

    // The answer that the steps from here on work out.
    void answer(const Triangle& t) { t_ = &t; }

    std::string angle(Corner k) const { return figure(t_->*k.angleOf, k.angle); }
    std::string side(Corner k) const { return figure(t_->*k.sideOf, k.side); }
    double angleValue(Corner k) const { return t_->*k.angleOf; }
    double sideValue(Corner k) const { return t_->*k.sideOf; }

    void heading(std::string text) { lines.push_back(std::move(text)); }
    void step(const std::string& text) { lines.push_back("  " + text); }
    // The form the program works, after the textbook one, and on a line of its own why.
    void computedAs(const std::string& form, const std::string& why = "") {
        lines.push_back("    computed as " + form + (why.empty() ? "" : ","));
        if (!why.empty()) lines.push_back("    " + why);
    }

    // The angle sum: 180 less the larger of the other two, then the smaller, the order in which
    // the solver subtracts them so that a small third angle keeps its digits.
    void angleSum(Corner rest, Corner p, Corner q) {
        if (angleValue(q) > angleValue(p)) std::swap(p, q);
        step(std::string{rest.angle} + " = 180 - " + p.angle + " - " + q.angle + " = 180 - " +
             angle(p) + " - " + angle(q) + " = " + angle(rest));
    }

    // The sine of an obtuse third angle is that of the sum of the other two, which the solver
    // takes because it keeps its digits where the angle nears 180.
    void obtuseSine(Corner rest, Corner p, Corner q) {
        if (angleValue(rest) <= 90) return;
        lines.push_back(std::string("    sin ") + rest.angle + " computed as sin(" + p.angle +
                        " + " + q.angle + "), as " + rest.angle + " is obtuse");
    }

    // A side by the law of sines from the known side: "X = Y*sin B / sin A = ...".
    void lawOfSines(Corner k, Corner known) {
        step(std::string{k.side} + " = " + known.side + "*sin " + k.angle + " / sin " +
             known.angle + " = " + side(known) + "*sin " + angle(k) + " / sin " + angle(known) +
             " = " + side(k));
    }

    std::vector<std::string> lines;

  private:
    const Triangle* t_;
};

// Three sides: the angle opposite the shortest side, then the one opposite the middle side, each
// by W. Kahan's half-angle form for needle-like triangles; the largest from the angle sum.
void threeSides(Steps& s) {
    std::array<Corner, 3> bySide = kBySide;  // ties keep the order X, Y, Z, as in the solver
    std::stable_sort(bySide.begin(), bySide.end(),
                     [&](Corner p, Corner q) { return s.sideValue(p) > s.sideValue(q); });
    const Corner longest = bySide[0];
    for (const auto& [k, other] : {std::pair{bySide[2], bySide[1]}, {bySide[1], bySide[2]}}) {
        const auto [u, v] = othersOf(k, kBySide);
        const std::string K{k.angle}, U{u.side}, V{v.side}, O{k.side};
        s.step("cos " + K + " = (" + U + "^2 + " + V + "^2 - " + O + "^2) / (2*" + U + "*" + V +
               ") = (" + squared(s.side(u)) + " + " + squared(s.side(v)) + " - " +
               squared(s.side(k)) + ") / (2*" + s.side(u) + "*" + s.side(v) +
               ") = " + value(cosDeg(s.angleValue(k))));
        s.step(K + " = acos(" + value(cosDeg(s.angleValue(k))) + ") = " + s.angle(k));
        // The angle opposite c, of the other sides a >= b.
        const std::string a{longest.side}, b{other.side}, c = O;
        const std::string mu = s.sideValue(other) >= s.sideValue(k)
                                   ? "(" + c + " - (" + a + " - " + b + "))"
                                   : "(" + b + " - (" + a + " - " + c + "))";
        s.computedAs(K + " = 2*atan(sqrt(((" + a + " - " + b + ") + " + c + ")*" + mu + " / ((" +
                         a + " + (" + b + " + " + c + "))*((" + a + " - " + c + ") + " + b + "))))",
                     "which keeps its digits in a needle-like triangle");
    }
    s.angleSum(longest, bySide[1], bySide[2]);
}

// Two sides and the angle of corner g between them: the third side, the angle opposite the
// shorter given side (acute, as it is not the largest), the other from the angle sum.
void twoSidesAndTheAngleBetween(Steps& s, Corner g) {
    const auto [k1, k2] = othersOf(g, {kA, kB, kC});
    const bool firstShorter = s.sideValue(k1) <= s.sideValue(k2);  // of equal sides, the first
    const Corner shorter = firstShorter ? k1 : k2;
    const Corner longer = firstShorter ? k2 : k1;
    const auto [u, v] = othersOf(g, kBySide);
    const std::string G{g.angle}, R{g.side}, U{u.side}, V{v.side}, P{shorter.side}, Q{longer.side},
        S{shorter.angle};
    s.step(R + "^2 = " + U + "^2 + " + V + "^2 - 2*" + U + "*" + V + "*cos " + G + ", so " + R +
           " = sqrt(" + squared(s.side(u)) + " + " + squared(s.side(v)) + " - 2*" + s.side(u) +
           "*" + s.side(v) + "*cos " + s.angle(g) + ") = " + s.side(g));
    s.computedAs(
        R + " = sqrt((" + P + " - " + Q + ")^2 + 4*" + P + "*" + Q + "*sin^2(" + G + "/2))",
        "which keeps its digits when " + G + " is small");
    const std::string sine = value(sinDeg(s.angleValue(shorter)));
    s.step("sin " + S + " = " + P + "*sin " + G + " / " + R + " = " + s.side(shorter) + "*sin " +
           s.angle(g) + " / " + s.side(g) + " = " + sine);
    s.step(S + " = asin(" + sine + ") = " + s.angle(shorter) +
           ", acute as it faces the shorter given side");
    s.computedAs(S + " = atan2(" + P + "*sin " + G + ", (" + Q + " - " + P + ") + 2*" + P +
                 "*sin^2(" + G + "/2))");
    s.angleSum(longer, g, shorter);
}

// Two sides and the angle of corner g opposite one of them. The sine of the angle of corner w,
// opposite the other given side, gives an acute angle and its supplement: the first answer
// takes the acute one, and the supplement is a second answer when it leaves a third angle.
void twoSidesAndAnAngleOpposite(Steps& s, const Marks& in, const Triangle* second) {
    const Corner g = in.a ? kA : in.b ? kB : kC;
    const auto [k1, k2] = othersOf(g, {kA, kB, kC});
    const bool k1Given = k1.side == 'X' ? in.x : k1.side == 'Y' ? in.y : in.z;
    const Corner w = k1Given ? k1 : k2;
    const Corner r = k1Given ? k2 : k1;
    const std::string G{g.angle}, W{w.angle}, P{g.side}, Q{w.side};
    const double theta = s.angleValue(g), phi = s.angleValue(w);
    const double sine = s.sideValue(w) / s.sideValue(g) * sinDeg(theta);
    s.step("sin " + W + " = " + Q + "*sin " + G + " / " + P + " = " + s.side(w) + "*sin " +
           s.angle(g) + " / " + s.side(g) + " = " + value(sine));

    const std::string acute = figure(phi, w.angle);
    const std::string obtuse = figure(180 - phi, w.angle);
    // The supplement leaves a third angle only when the given angle is acute and faces the
    // shorter given side.
    const bool supplementFits = theta < 90 && phi != 90 && s.sideValue(w) > s.sideValue(g);
    if (phi == 90) {
        s.step(W + " = asin(1) = 90: one answer, with its right angle at " + W);
    } else {
        s.step(W + " = asin(" + value(sine) + ") = " + acute + " or " + W + " = 180 - " + acute +
               " = " + obtuse);
        s.step([&]() -> std::string {
            if (second)
                return "Two answers: the sine gives both, and both leave a third angle above 0";
            if (!supplementFits) {
                const double larger = 180 - phi;
                const double rest = (180 - std::max(theta, larger)) - std::min(theta, larger);
                return "One answer: the larger leaves no third angle (180 - " + obtuse + " - " +
                       s.angle(g) + " = " + figure(rest, r.angle) + ")";
            }
            if (g == kC)
                return "One answer: with the angle C given, only the acute " + W + " is taken";
            return "One answer: the triangle with " + W + " = " + obtuse +
                   " has a figure beyond the range of the doubles";
        }());
    }

    if (second) s.heading("First answer: " + W + " = " + acute);
    s.angleSum(r, g, w);
    s.obtuseSine(r, g, w);
    s.lawOfSines(r, g);
    if (!second) return;

    s.answer(*second);
    s.heading("Second answer: " + W + " = " + s.angle(w));
    s.angleSum(r, g, w);
    s.computedAs(std::string{r.angle} + " = 2*asin(sin " + G + "*(" + Q + " - " + P + ") / (2*" +
                     P + "*cos((" + acute + " + " + G + ")/2)))",
                 "with the acute " + W + ", which keeps its digits when " + Q +
                     " is barely longer than " + P);
    s.lawOfSines(r, g);
}

// One side and two angles: the third angle from the angle sum, then the other sides by the law
// of sines, in the solver's order (C first of the given angles when it is one).
void twoAnglesAndASide(Steps& s, const Marks& in) {
    const Corner known = in.x ? kB : in.y ? kA : kC;
    const Corner g1 = in.c ? kC : kA;
    const Corner g2 = in.c ? (in.a ? kA : kB) : kB;
    const Corner rest = in.c ? (in.a ? kB : kA) : kC;
    s.angleSum(rest, g1, g2);
    s.obtuseSine(rest, g1, g2);
    for (const Corner k : {g1, g2, rest})
        if (!(k == known)) s.lawOfSines(k, known);
}

// The acute angles from the legs: the smaller from its tangent, the larger as its complement.
void anglesFromLegs(Steps& s) {
    const bool aSmaller = s.sideValue(kA) <= s.sideValue(kB);
    const Corner k = aSmaller ? kA : kB;
    const Corner other = aSmaller ? kB : kA;
    const std::string K{k.angle}, O{k.side}, J{other.side};
    const std::string tangent = value(s.sideValue(k) / s.sideValue(other));
    s.step("tan " + K + " = " + O + " / " + J + " = " + s.side(k) + " / " + s.side(other) + " = " +
           tangent + ", so " + K + " = atan(" + tangent + ") = " + s.angle(k));
    s.step(std::string{other.angle} + " = 90 - " + K + " = 90 - " + s.angle(k) + " = " +
           s.angle(other));
}

// A right triangle: the third side by Pythagoras, or the other two by the sine, cosine and
// tangent of the given angle K, with its opposite leg O, the leg J beside it and the hypotenuse.
void rightTriangle(Steps& s, const SolvedCase& c) {
    const Marks& in = c.inputs;
    s.step("C = 90, the right angle: X and Y are the legs, Z the hypotenuse");
    if (c.kind == CaseKind::TwoLegs) {
        s.step("Z^2 = X^2 + Y^2, so Z = sqrt(" + squared(s.side(kB)) + " + " + squared(s.side(kA)) +
               ") = " + s.side(kC));
        anglesFromLegs(s);
        return;
    }
    if (c.kind == CaseKind::HypotenuseAndALeg) {
        const Corner leg = in.x ? kB : kA;
        const Corner found = in.x ? kA : kB;
        const std::string L{leg.side}, F{found.side};
        s.step(F + "^2 = Z^2 - " + L + "^2, so " + F + " = sqrt(" + squared(s.side(kC)) + " - " +
               squared(s.side(leg)) + ") = " + s.side(found));
        s.computedAs(F + " = sqrt((Z - " + L + ")*(Z + " + L + "))",
                     "which keeps its digits when " + L + " is nearly Z");
        anglesFromLegs(s);
        return;
    }
    const Corner k = in.a ? kA : kB;
    const Corner other = in.a ? kB : kA;
    const std::string K{k.angle}, O{k.side}, J{other.side};
    const std::string a = s.angle(k), o = s.side(k), j = s.side(other), z = s.side(kC);
    auto relation = [&](const std::string& fn, const std::string& ratio, const std::string& found,
                        const std::string& formula, const std::string& numbers,
                        const std::string& result) {
        s.step(fn + " " + K + " = " + ratio + ", so " + found + " = " + formula + " = " + numbers +
               " = " + result);
    };
    const bool oppositeGiven = k.side == 'X' ? in.x : in.y;
    if (c.kind == CaseKind::HypotenuseAndAnAngle) {
        relation("sin", O + " / Z", O, "Z*sin " + K, z + "*sin " + a, o);
        relation("cos", J + " / Z", J, "Z*cos " + K, z + "*cos " + a, j);
    } else if (oppositeGiven) {
        relation("sin", O + " / Z", "Z", O + " / sin " + K, o + " / sin " + a, z);
        relation("tan", O + " / " + J, J, O + " / tan " + K, o + " / tan " + a, j);
    } else {
        relation("tan", O + " / " + J, O, J + "*tan " + K, j + "*tan " + a, o);
        relation("cos", J + " / Z", "Z", J + " / cos " + K, j + " / cos " + a, z);
    }
    s.step(std::string{other.angle} + " = 90 - " + K + " = 90 - " + a + " = " + s.angle(other));
}

}  // namespace

std::vector<std::string> explanationLines(const SolvedCase& solvedBy, const Triangle& first,
                                          const Triangle* second) {
    if (solvedBy.kind == CaseKind::None) return {};
    Steps s(first);
    s.heading(std::string("Case: ") + caseName(solvedBy.kind));
    const Marks& in = solvedBy.inputs;
    switch (solvedBy.kind) {
        case CaseKind::ThreeSides:
            threeSides(s);
            break;
        case CaseKind::TwoSidesAndTheAngleBetween:
            twoSidesAndTheAngleBetween(s, in.a ? kA : in.b ? kB : kC);
            break;
        case CaseKind::TwoSidesAndAnAngleOpposite:
            twoSidesAndAnAngleOpposite(s, in, second);
            break;
        case CaseKind::TwoAnglesAndASide:
            twoAnglesAndASide(s, in);
            break;
        default:
            rightTriangle(s, solvedBy);
            break;
    }
    return s.lines;
}

}  // namespace solvara
