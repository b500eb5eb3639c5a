#include <gtest/gtest.h>

#include "support/harness.h"

namespace solvara {
namespace {

using testing::Harness;

TEST(Startup, EscapeEndsTheProgramWithStatusZero) {
    Harness h;
    h.start();
    ASSERT_EQ(h.step(), Step::MainLoop);
    h.key(keys::kEscape);
    h.settle();
    EXPECT_TRUE(h.exited());
    EXPECT_EQ(h.program.exitStatus(), 0);
}

}  // namespace
}  // namespace solvara
