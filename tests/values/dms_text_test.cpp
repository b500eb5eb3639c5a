// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/dms_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace solvara {
namespace {

TEST(ToDmsText, CutsDownToWholeSecondsAndShowsTheTenthsLeft) {
    const std::pair<double, const char*> cases[] = {
        {30, "30d 0m 0s "},
        {30.5, "30d 30m 0s "},
        {12.3456, "12d 20m 44s 0.2"},
        {123.456789, "123d 27m 24s 0.4"},
        {0.0001, "0d 0m 0s 0.4"},
        {1.9999999, "2d 0m 0s "},    // 0.95 s or more carries through seconds and minutes
        {359.99999, "360d 0m 0s "},  // and stops at the degrees
        {45.51, "45d 30m 36s "},     // the double lies just below 45.51
        {-10.5, "-11d 30m 0s "},     // floor keeps minutes and seconds positive
        {10 + 1.0 / 60 + 0.6 / 3600, "10d 1m 0s 0.6"},  // 0.6's full text is 0.6000000000000001
        {90, "90d 0m 0s "},
    };
    for (const auto& [angle, text] : cases)
        EXPECT_EQ(toDmsText(angle), text) << angle;
}

TEST(ToDmsParts, CutsIntoWholeDegreesMinutesSecondsAndTenths) {
    const struct {
        double angle;
        double degrees, minutes, seconds;
        int tenths;
    } cases[] = {
        {12.3456, 12, 20, 44, 2},
        {1.9999999, 2, 0, 0, 10},  // ten tenths carried into the seconds, and on
        {30, 30, 0, 0, 0},
        {-10.5, -11, 30, 0, 0},
    };
    for (const auto& c : cases) {
        const DmsParts p = toDmsParts(c.angle);
        EXPECT_EQ(p.degrees, c.degrees) << c.angle;
        EXPECT_EQ(p.minutes, c.minutes) << c.angle;
        EXPECT_EQ(p.seconds, c.seconds) << c.angle;
        EXPECT_EQ(p.tenths, c.tenths) << c.angle;
    }
}

TEST(ToDmsText, SurvivesValuesWithoutDigits) {
    EXPECT_EQ(toDmsText(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(toDmsParts(std::numeric_limits<double>::quiet_NaN()).degrees, 0);
    EXPECT_EQ(toDmsText(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(toDmsText(1e300), "1e+300d 0m 0s ");
}

TEST(FromDmsTemplate, AddsMinutesAndSecondsToTheDegrees) {
    const std::pair<const char*, double> cases[] = {
        {"00d 00m 00s", 0},
        {"90d 00m 00s", 90},
        {"10d 75m 00s", 11.25},  // no field is limited to 59
        {"00d 00m 36s", 0.01},
        {"99d 99m 99s", 99 + 99.0 / 60 + 99.0 / 3600},
        {"12d", 12},  // a short text has empty minutes and seconds
        {"", 0},
    };
    for (const auto& [text, angle] : cases)
        EXPECT_DOUBLE_EQ(fromDmsTemplate(text), angle) << text;
    // Exactly the sum the conversion forms, so typing 45d 30m 36s shows 45.51 again.
    EXPECT_EQ(fromDmsTemplate("45d 30m 36s"), 45 + 30.0 / 60 + 36.0 / 3600);
    EXPECT_EQ(toDmsText(fromDmsTemplate("45d 30m 36s")), "45d 30m 36s ");
}

}  // namespace
}  // namespace solvara
