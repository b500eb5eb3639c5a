// SPDX-License-Identifier: GPL-2.0-or-later
// `make accuracy`: every case group at length, written to docs/accuracy.md. It prints figures and
// judges nothing; the solver tests run a short version of the same comparison with thresholds.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "accuracy/accuracy.h"

using namespace solvara::accuracy;

namespace {

constexpr std::uint64_t kSeed = 20261208;

// Figures of earlier solvers kept by hand at the end of the file, from this heading on, survive
// a new run.
constexpr const char* kEarlierFigures = "\n## Earlier figures";

std::string earlierFigures(const std::string& path) {
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t at = text.find(kEarlierFigures);
    return at == std::string::npos ? "" : text.substr(at);
}

std::string document(const std::vector<GroupStats>& groups, int shapes) {
    std::string text =
        "# Solver accuracy\n\n"
        "Written by `make accuracy` (bench/accuracy). Each group draws " +
        std::to_string(shapes) + " random triangles (seed " + std::to_string(kSeed) +
        ") and takes each apart into the input sets both solvers know: the nineteen oblique sets, "
        "the nine right-triangle sets where the triangle has C = 90, or only the six sets of two "
        "sides and an angle opposite one of them. Sides are scaled from 1e-6 to 1e9, in the range "
        "group from 1e-300 to 1e300. The inputs are typed as the nearest doubles (or as short "
        "decimals), solved by the program's solver and, taking those doubles as exact, by a "
        "60-digit reference worked out from the geometry (MPFR). An answer with a figure beyond "
        "the largest double or below the smallest normal one is no triangle to either.\n\n"
        "- *Valid rejected* / *invalid accepted*: the solver says \"CAN NOT DO IT !\" where a "
        "triangle exists, or shows one where none does. The solver takes three sides whose "
        "shorter two exceed the longest by no more than four units of its rounding, and two "
        "angles that leave no more than 2^-46 degrees, for no triangle: such inputs, typed as "
        "decimals, mean a segment.\n"
        "- *Tangent band*: two sides and an acute angle opposite one of them with the sine of the "
        "other angle within 2^-49 of 1; there the doubles alone decide between none, one and two "
        "triangles, and the decision is not counted.\n"
        "- *False* / *missed second*: a second answer offered that does not exist, or one that "
        "exists and is not offered (the angle C opposite Z never offers one).\n"
        "- *Relative error*: the largest over the figures the solver computes (sides, angles, "
        "area, an oblique triangle's height and width) of each row that both sides solve.\n"
        "- *Wrong displayed digit*: rows where a figure's text on the results screen (eight "
        "decimals, nine for B and C) differs from the text of the reference's value rounded to a "
        "double; *in the first 15 digits* those where the difference lies within the first 15 "
        "significant digits (from 1e7 on the eight decimals go past what a double holds, and a "
        "single unit in the last place can change the last one).\n"
        "- *Beyond 8 (cond + 1) ulps*: rows with a figure further from the reference than eight "
        "times one more than its conditioning, in units in the last place; the conditioning is "
        "the sum over the inputs of how far the exact figure moves when that input moves by one "
        "unit in the last place (infinite where such a move changes whether there is a "
        "triangle).\n\n";
    text += markdownTable(groups);
    text +=
        "\n## The figures of the triangle\n\n"
        "The perimeter, the heights onto X, Y and Z, the medians to X, Y and Z, the bisectors of "
        "A, B and C, the inradius and the circumradius of every answer the table above compares, "
        "judged the same way and counted apart; the reference works them from its sides and "
        "angles by the textbook formulas. An answer with one of them beyond the largest double "
        "or below the smallest normal one is no triangle to either side, as for the figures "
        "above. Each family's column gives its largest error as a share of its allowance of "
        "8 (cond + 1) ulps, over every row of the group (below 1 is within its conditioning); "
        "the displayed text is the figure's with eight decimals.\n\n";
    text += figuresTable(groups);
    text += "\n## Groups\n\n";
    for (const CaseGroup& g : caseGroups())
        text += std::string("- **") + g.name + "**: " + g.description + ".\n";
    text += "\n## Furthest beyond conditioning, and the first faults\n\n";
    for (const GroupStats& g : groups) {
        if (g.worstRow.empty() && g.examples.empty()) continue;
        text += "**" + g.name + "**\n\n";
        char ratio[40];
        std::snprintf(ratio, sizeof ratio, "%.3g", g.worstRatio);
        if (!g.worstRow.empty())
            text += "- " + std::string(ratio) + " of the allowance: " + g.worstRow + "\n";
        std::snprintf(ratio, sizeof ratio, "%.3g", g.figures.worstRatio);
        if (!g.figures.worstRow.empty())
            text += "- figures of the triangle, " + std::string(ratio) +
                    " of the allowance: " + g.figures.worstRow + "\n";
        for (const std::string& e : g.examples)
            text += "- " + e + "\n";
        text += "\n";
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    int shapes = 1000;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--shapes") == 0 && i + 1 < argc) {
            shapes = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
            out = argv[++i];
        } else {
            std::cerr << "usage: solvara_accuracy [--shapes N] [--out FILE]\n";
            return 2;
        }
    }
    std::vector<GroupStats> groups;
    std::uint64_t seed = kSeed;
    for (const CaseGroup& g : caseGroups()) {
        groups.push_back(measureGroup(g, shapes, seed++));
        std::cerr << g.name << ": " << groups.back().rows << " rows\n";
    }
    const std::string text = document(groups, shapes);
    if (out.empty()) {
        std::cout << text;
    } else {
        const std::string kept = earlierFigures(out);
        std::ofstream(out) << text << kept;
        std::cout << markdownTable(groups) << "\n" << figuresTable(groups);
    }
    return 0;
}
