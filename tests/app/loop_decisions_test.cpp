// SPDX-License-Identifier: GPL-2.0-or-later
// The loops' tables as one matrix each: every key and every region, in each state that changes
// what it does.
#include "app/loop_decisions.h"

#include <gtest/gtest.h>

#include "support/table_names.h"

namespace solvara {
namespace {

using testing::O;
using testing::R;

Decision none() {
    return {};
}
Decision cmd(Command c) {
    return Decision{c};
}
Decision sel(Entry e) {
    return Decision{Command::Select, e};
}
Decision marker(Entry e) {
    return Decision{Command::ToggleMarker, e};
}
Decision place(Target t) {
    return Decision{Command::Place, Entry::X, t};
}
Key ch(char c) {
    return Key::character(static_cast<unsigned char>(c));
}

TEST(LoopDecisions, MainKeys) {
    const struct {
        Key key;
        SolveMode mode;
        Decision decision;
    } table[] = {
        {ch('x'), R, sel(Entry::X)},
        {ch('X'), O, sel(Entry::X)},
        {ch('y'), R, sel(Entry::Y)},
        {ch('Z'), R, sel(Entry::Z)},
        {ch('a'), R, sel(Entry::A)},
        {ch('d'), R, sel(Entry::D)},
        {ch('B'), R, sel(Entry::B)},
        {ch('e'), R, sel(Entry::E)},
        {ch('c'), R, none()},
        {ch('C'), O, sel(Entry::C)},
        {ch('f'), R, none()},
        {ch('F'), O, sel(Entry::F)},
        {ch('r'), O, cmd(Command::Right)},
        {ch('O'), R, cmd(Command::Oblique)},
        {ch('h'), R, cmd(Command::Help)},
        {keys::kEscape, R, cmd(Command::ExitClearing)},
        {ch('@'), R, place(Target::Home)},
        {ch('p'), R, none()},
        {ch('s'), O, none()},
        {keys::kCtrlC, R, none()},
        {keys::kEnter, R, none()},
        {keys::kLeft, R, none()},  // "K" as a scan code
        {Key::extended('x'), R, none()},
        {keys::kCloseRequest, R, none()},
    };
    for (const auto& row : table)
        EXPECT_EQ(decideMainKey(row.key, row.mode), row.decision) << row.key.code();
}

TEST(LoopDecisions, MainClicks) {
    const struct {
        Point click;
        SolveMode mode;
        Decision decision;
    } table[] = {
        {{620, 8}, R, cmd(Command::Exit)},  // " X " of the title bar
        {{575, 8}, R, cmd(Command::Exit)},  // " Exit "
        {{300, 8}, R, none()},              // the drag area
        {{70, 198}, R, cmd(Command::Exit)},
        {{43, 198}, R, none()},  // on EXIT's frame: outside
        {{140, 198}, R, cmd(Command::Clear)},
        {{210, 198}, O, cmd(Command::Right)},
        {{290, 198}, R, cmd(Command::Oblique)},
        {{70, 230}, R, cmd(Command::Help)},
        {{70, 218}, R, none()},   // HELP's top edge
        {{200, 230}, R, none()},  // EDIT has no action here
        {{136, 230}, R, place(Target::Home)},
        {{144, 238}, R, place(Target::BottomRight)},
        {{128, 222}, R, place(Target::TopLeft)},
        {{128, 238}, R, place(Target::BottomLeft)},
        {{144, 222}, R, place(Target::TopRight)},
        {{133, 230}, R, none()},  // between the squares
        {{400, 312}, R, sel(Entry::X)},
        {{636, 328}, R, sel(Entry::Y)},  // column 80
        {{308, 376}, R, sel(Entry::D)},  // column 39
        {{300, 376}, R, none()},         // column 38
        {{400, 424}, R, none()},         // C only in Oblique mode
        {{400, 424}, O, sel(Entry::C)},
        {{400, 440}, R, none()},
        {{400, 440}, O, sel(Entry::F)},
        {{400, 456}, O, none()},  // row 29
        {{292, 312}, R, marker(Entry::X)},
        {{292, 376}, R, marker(Entry::D)},  // toggles nothing, redraws
        {{292, 424}, R, marker(Entry::C)},  // the same in Right mode
        {{292, 296}, R, none()},            // row 19
        {{0, 0}, R, none()},
        {{-1, -1}, R, none()},  // a failed read
    };
    for (const auto& row : table)
        EXPECT_EQ(decideMainClick(row.click, row.mode), row.decision)
            << row.click.x << "," << row.click.y;
}

TEST(LoopDecisions, ResultsKeys) {
    const ResultsState first{false, true};
    const ResultsState second{true, true};
    const ResultsState single{false, false};
    const struct {
        Key key;
        ResultsState state;
        Decision decision;
    } table[] = {
        {keys::kEscape, first, cmd(Command::ExitClearing)},
        {ch('p'), second, cmd(Command::Print)},
        {ch('C'), first, cmd(Command::Clear)},
        {ch('r'), first, cmd(Command::Right)},
        {ch('O'), single, cmd(Command::Oblique)},
        {ch('i'), first, cmd(Command::Edit)},
        {ch('I'), second, none()},  // not while the second answer is shown
        {ch('H'), first, cmd(Command::Help)},
        {ch('m'), second, cmd(Command::Figures)},
        {ch('s'), first, cmd(Command::SwitchAnswer)},
        {ch('S'), second, cmd(Command::SwitchAnswer)},
        {ch('s'), single, none()},
        {ch('@'), first, place(Target::Home)},
        {keys::kCtrlC, first, cmd(Command::Copy)},
        {ch('x'), first, none()},  // no entry is edited from here
        {ch('3'), first, none()},
    };
    for (const auto& row : table)
        EXPECT_EQ(decideResultsKey(row.key, row.state), row.decision) << row.key.code();
}

TEST(LoopDecisions, ResultsClicks) {
    const ResultsState first{false, true};
    const ResultsState second{true, true};
    const ResultsState single{false, false};
    const struct {
        Point click;
        ResultsState state;
        Decision decision;
    } table[] = {
        {{620, 8}, first, cmd(Command::Exit)},
        {{70, 198}, first, cmd(Command::Exit)},
        {{75, 440}, first, cmd(Command::Print)},
        {{46, 440}, first, cmd(Command::Print)},  // on the drawn frame: inside
        {{45, 440}, first, none()},
        {{140, 198}, first, cmd(Command::Clear)},
        {{210, 198}, first, cmd(Command::Right)},
        {{290, 198}, first, cmd(Command::Oblique)},
        {{200, 230}, first, cmd(Command::Edit)},
        {{173, 218}, first, cmd(Command::Edit)},  // the frame's corner
        {{200, 230}, second, none()},
        {{70, 230}, first, cmd(Command::Help)},
        {{70, 218}, first, cmd(Command::Help)},  // one pixel wider than main
        {{625, 295}, first, cmd(Command::SwitchAnswer)},
        {{625, 295}, second, cmd(Command::SwitchAnswer)},
        {{625, 295}, single, none()},
        {{136, 230}, first, place(Target::Home)},
        {{144, 222}, second, place(Target::TopRight)},
        {{400, 312}, first, none()},  // value rows are not edited here
        {{292, 312}, first, none()},  // nor markers toggled
    };
    for (const auto& row : table)
        EXPECT_EQ(decideResultsClick(row.click, row.state), row.decision)
            << row.click.x << "," << row.click.y;
}

TEST(LoopDecisions, HelpKeys) {
    EXPECT_EQ(decideHelpKey(ch('b')), HelpKey::Leave);
    EXPECT_EQ(decideHelpKey(ch('B')), HelpKey::Leave);
    EXPECT_EQ(decideHelpKey(keys::kEscape), HelpKey::Leave);
    EXPECT_EQ(decideHelpKey(ch('@')), HelpKey::Home);
    EXPECT_EQ(decideHelpKey(ch('h')), HelpKey::None);
    EXPECT_EQ(decideHelpKey(Key()), HelpKey::None);
}

TEST(LoopDecisions, TitleBarAreas) {
    const struct {
        Point p;
        bool drag, close;
    } table[] = {
        {{300, 8}, true, false},
        {{12, 8}, true, false},  // column 2
        {{4, 8}, false, false},
        {{548, 8}, true, false},  // column 1, column 69
        {{556, 8}, false, false},
        {{572, 8}, false, true},  // column 70, column 72
        {{636, 8}, false, true},
        {{300, 24}, false, false},
        {{300, -8}, false, false},
        // The drag area's edges, where cellOf rounds halves to the even cell.
        {{7, 8}, false, false},
        {{8, 8}, true, false},
        {{551, 8}, true, false},
        {{552, 8}, false, false},
        {{300, 0}, false, false},
        {{300, 1}, true, false},
        {{300, 15}, true, false},
        {{300, 16}, false, false},
    };
    for (const auto& row : table) {
        EXPECT_EQ(onDragArea(row.p), row.drag) << row.p.x << "," << row.p.y;
        EXPECT_EQ(onCloseBlocks(row.p), row.close) << row.p.x << "," << row.p.y;
    }
}

}  // namespace
}  // namespace solvara
