// SPDX-License-Identifier: GPL-2.0-or-later
// Input at the edges of what the program takes: the editor's limits, a flood of keys, and
// numbers whose texts outgrow their field.
#include <gtest/gtest.h>

#include <string>

#include "support/harness.h"
#include "values/values_panel.h"

namespace solvara {
namespace {

using testing::Harness;

// Column 1 holds the frame; a character there is the tail of a text that ran past column 80.
void expectNoWrap(const Harness& h) {
    for (int row = 2; row <= 30; ++row) {
        const char c = h.text(row, 1, 1)[0];
        EXPECT_FALSE((c >= '0' && c <= '9') || c == '.' || c == '-')
            << "row " << row << " starts with '" << c << "'\n"
            << h.screen();
    }
}

TEST(EditorLimits, ValuesAtTheEdgesOfTheField) {
    const struct {
        const char* typed;
        double x;           // X after Enter
        const char* shown;  // X's row on the main screen afterwards
        bool marked;        // X's marker after the edit
    } cases[] = {
        {"99999999999", 99999999999, "99999999999.0", true},   // eleven nines
        {"999999999999", 99999999999, "99999999999.0", true},  // a twelfth is not taken
        {".00000001", 1e-8, ".00000001", true},
        {"1.2.3.4.5", 1.2, "1.2", true},  // the number ends at the second point
        {"....", 0, "0.0", false},        // points only: no number, the entry stays empty
        {".", 0, "0.0", false},
    };
    for (const auto& c : cases) {
        Harness h;
        h.start();
        h.type(std::string("x") + c.typed + "\r");
        h.settle();
        const TriangleValues& v = h.program.values();
        EXPECT_EQ(v.triangle.x, c.x) << c.typed;
        EXPECT_EQ(v.markers.on(Entry::X), c.marked) << c.typed;
        EXPECT_EQ(h.field(panel::rowOf(Entry::X)), c.shown) << c.typed << "\n" << h.screen();
        EXPECT_EQ(h.step(), Step::MainLoop) << c.typed;
        expectNoWrap(h);
    }
}

TEST(KeyFlood, TenThousandKeysAtOnceKeepTheNewestFifteen) {
    Harness h;
    h.start();
    // Escape ends the program, so a single one of the 9,985 kept would be seen.
    const std::uint64_t at = h.now() + 100;
    for (int i = 0; i < 9985; ++i)
        h.backend.keyAt(at, keys::kEscape);
    for (const char c : std::string("x1234567890123\r"))
        h.backend.keyAt(at, Key::character(static_cast<unsigned char>(c)));
    int most = 0;
    h.backend.onWait = [&](std::uint64_t) {
        most = std::max(most, h.program.input().keysWaiting());
    };
    h.settle();
    EXPECT_EQ(most, 15);
    ASSERT_FALSE(h.exited());
    // "x", eleven digits taken, two refused, Enter.
    EXPECT_EQ(h.program.values().triangle.x, 12345678901);
    EXPECT_EQ(h.step(), Step::MainLoop);
}

TEST(LongNumbers, TheTypedComplementStaysInsideTheValueField) {
    // 90 - 89.951 is 0.04900000000000659, nineteen characters as "%.16g": the panel blanks only
    // eighteen columns, so the last digit used to stay at column 80 through the results screen.
    // 90 - 90.00000001 is -1.000000082740371e-08, which ran onto the next row.
    // The complement is shown while an angle that already has a value is typed onto.
    const struct {
        const char* committed;
        const char* more;
    } cases[] = {{"89.95", "1"}, {"90", "0000001"}};
    for (const auto& c : cases) {
        const std::string typed = std::string(c.committed) + " then " + c.more;
        Harness h;
        h.start();
        h.type(std::string("a") + c.committed + "\ra" + c.more);
        h.settle();
        EXPECT_EQ(h.text(panel::rowOf(Entry::B), 80, 1), " ") << typed << "\n" << h.screen();
        expectNoWrap(h);
        h.type("\rx3\r");
        h.settle();
        EXPECT_EQ(h.text(panel::rowOf(Entry::B), 80, 1), " ") << typed << "\n" << h.screen();
        expectNoWrap(h);
    }
}

// An answer with ten or more digits before the point used to make a text of 20 characters
// ("77194209639.94282532" with eight decimals on the results screen, nine in the panel), which
// ran from column 62 past column 80 onto the next row, and a 19-character one left its last
// digit at column 80, which neither the panel nor the results screen blanks. Such values now
// drop decimals to fit their field.
TEST(LongNumbers, AnswersWithElevenDigitsFitTheirRows) {
    Harness h;
    h.start();
    h.type("y76996652901\ra85.9\r");
    h.settle();
    ASSERT_EQ(h.step(), Step::ResultsCycle);
    expectNoWrap(h);
    for (int row = panel::kFirstRow; row <= panel::kLastRow; ++row)
        EXPECT_EQ(h.text(row, 80, 1), " ") << row << "\n" << h.screen();
}

}  // namespace
}  // namespace solvara
