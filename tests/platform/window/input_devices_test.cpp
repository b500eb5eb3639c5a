// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/input_devices.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/display/display.h"
#include "platform/window/headless_backend.h"

namespace solvara {
namespace {

struct Devices {
    HeadlessBackend backend;
    Display display{backend};
    InputDevices input{backend, display};
    Devices() {
        std::string error;
        display.open(error);
    }
};

TEST(InputDevices, SixteenKeysBeforeTheFirstReadLoseTheFirst) {
    Devices d;
    for (int i = 0; i < 16; ++i)
        d.input.pushKey('a' + i);
    std::string read;
    for (std::string k = d.input.readKey(); !k.empty(); k = d.input.readKey())
        read += k;
    EXPECT_EQ(read, "bcdefghijklmnop");
}

TEST(InputDevices, KeyTexts) {
    const struct {
        int code;
        std::string text;
    } cases[] = {
        {'K', "K"},
        {keys::kLeft, std::string("\xff") + "K"},
        {keys::kRight, std::string("\xff") + "M"},
        {keys::kUp, std::string("\xff") + "H"},
        {keys::kDown, std::string("\xff") + "P"},
        {keys::kCloseRequest, std::string("\xff") + "k"},
        {keys::kEnter, "\r"},
        {keys::kEscape, "\x1b"},
    };
    Devices d;
    for (const auto& c : cases) {
        d.input.pushKey(c.code);
        EXPECT_EQ(d.input.readKey(), c.text) << c.code;
    }
    EXPECT_EQ(d.input.readKey(), "");
}

TEST(InputDevices, LongPauseReturnsAtOnceForAWaitingKeyAndKeepsIt) {
    Devices d;
    d.input.pushKey('x');
    const auto before = d.backend.nowMs();
    d.input.pause(200);
    EXPECT_EQ(d.backend.nowMs(), before);
    EXPECT_EQ(d.input.readKey(), "x");
}

TEST(InputDevices, LongPauseEndsBeforeTheSliceAfterAKeyArrives) {
    Devices d;
    d.backend.keyAt(70, 'x');  // arrives during the second 50 ms slice
    d.input.pause(900);
    EXPECT_EQ(d.backend.nowMs(), 100u);
    EXPECT_EQ(d.input.readKey(), "x");
}

TEST(InputDevices, ShortPausesAreNeverCutShort) {
    Devices d;
    d.input.pushKey('x');
    d.input.pause(99);
    EXPECT_EQ(d.backend.nowMs(), 99u);
    d.input.pause(0);
    EXPECT_EQ(d.backend.nowMs(), 99u);
}

TEST(InputDevices, KeyReadClearsTheArrivalSoTheNextLongPauseRunsItsCourse) {
    Devices d;
    d.input.pushKey('x');
    d.input.readKey();
    d.input.pause(200);
    EXPECT_EQ(d.backend.nowMs(), 200u);
}

TEST(InputDevices, CloseRequestEndsLongPausesAtOnce) {
    Devices d;
    d.input.requestClose();
    d.input.readKey();  // the close key itself is read; the request stands
    d.input.pause(900);
    EXPECT_EQ(d.backend.nowMs(), 0u);
    EXPECT_TRUE(d.input.closeRequested());
}

TEST(InputDevices, PointerReadsAndWarps) {
    Devices d;
    PointerReading p = d.input.readPointer();
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.x, -1);
    EXPECT_EQ(p.y, -1);
    EXPECT_EQ(p.wheel, -1);
    EXPECT_EQ(p.buttons, -1);

    d.input.pointerMoved(10, 20);
    d.input.pointerButtons(2);
    p = d.input.readPointer();
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.buttons, 2);

    d.input.pointerLeft();
    EXPECT_FALSE(d.input.readPointer().ok);
    // A move puts the pointer inside again, clamped to the surface.
    d.input.setPointer(9999, -5, std::nullopt);
    p = d.input.readPointer();
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.x, 642);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(d.backend.warps().back(), (Point{642, 0}));
    d.input.setPointer(std::nullopt, std::nullopt, false);
    EXPECT_FALSE(d.backend.pointerVisible());
}

}  // namespace
}  // namespace solvara
