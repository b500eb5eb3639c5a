// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/input_devices.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/display/display.h"
#include "support/scripted_backend.h"

namespace solvara {
namespace {

struct Devices {
    ScriptedBackend backend;
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
        d.input.pushKey(Key::character(static_cast<unsigned char>('a' + i)));
    std::string read;
    for (Key k = d.input.readKey(); k; k = d.input.readKey())
        read += static_cast<char>(k.character());
    EXPECT_EQ(read, "bcdefghijklmnop");
}

TEST(Keys, CharactersAndExtendedKeysKeepApart) {
    const struct {
        Key key;
        int code;  // as the ring holds it
        unsigned char character;
        int scanCode;
        bool letterK, digit;
    } cases[] = {
        {Key::character('K'), 'K', 'K', 0, true, false},
        {Key::character('k'), 'k', 'k', 0, true, false},
        {keys::kLeft, 255 + 256 * 75, 0, 75, false, false},  // scan code 75 is "K"
        {keys::kRight, 255 + 256 * 77, 0, 77, false, false},
        {keys::kCloseRequest, 255 + 256 * 107, 0, 107, false, false},
        {keys::kEnter, 13, 13, 0, false, false},
        {Key::character('0'), '0', '0', 0, false, true},
        {Key::character('9'), '9', '9', 0, false, true},
        {Key::character(':'), ':', ':', 0, false, false},
        {Key::character('/'), '/', '/', 0, false, false},
    };
    Devices d;
    for (const auto& c : cases) {
        EXPECT_EQ(c.key.code(), c.code);
        EXPECT_EQ(c.key.character(), c.character) << c.code;
        EXPECT_EQ(c.key.scanCode(), c.scanCode) << c.code;
        EXPECT_EQ(c.key.isLetter('k'), c.letterK) << c.code;
        EXPECT_EQ(c.key.isDigit(), c.digit) << c.code;
        d.input.pushKey(c.key);
        EXPECT_EQ(d.input.readKey(), c.key) << c.code;
    }
    EXPECT_TRUE(d.input.readKey().isNone());
    EXPECT_EQ(Key::fromCode(0), Key());
}

TEST(InputDevices, LongPauseReturnsAtOnceForAWaitingKeyAndKeepsIt) {
    Devices d;
    d.input.pushKey(Key::character('x'));
    const auto before = d.backend.nowMs();
    d.input.pause(200);
    EXPECT_EQ(d.backend.nowMs(), before);
    EXPECT_EQ(d.input.readKey(), Key::character('x'));
}

TEST(InputDevices, LongPauseEndsBeforeTheSliceAfterAKeyArrives) {
    Devices d;
    d.backend.keyAt(70, Key::character('x'));  // arrives during the second 50 ms slice
    d.input.pause(900);
    EXPECT_EQ(d.backend.nowMs(), 100u);
    EXPECT_EQ(d.input.readKey(), Key::character('x'));
}

TEST(InputDevices, ShortPausesAreNeverCutShort) {
    Devices d;
    d.input.pushKey(Key::character('x'));
    d.input.pause(99);
    EXPECT_EQ(d.backend.nowMs(), 99u);
    d.input.pause(0);
    EXPECT_EQ(d.backend.nowMs(), 99u);
}

TEST(InputDevices, KeyReadClearsTheArrivalSoTheNextLongPauseRunsItsCourse) {
    Devices d;
    d.input.pushKey(Key::character('x'));
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
    d.input.movePointer(Point{9999, -5});
    p = d.input.readPointer();
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.x, 642);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(d.backend.warps().back(), (Point{642, 0}));
    d.input.showPointer();
    EXPECT_TRUE(d.backend.pointerVisible());
}

TEST(InputDevices, APressIsReadOnceWhereItWasMadeEvenWhenReleasedBeforeTheRead) {
    Devices d;
    d.input.pointerMoved(100, 200);
    d.input.pointerButtons(1);
    d.input.pointerButtons(0);
    d.input.pointerMoved(300, 400);
    d.input.pointerLeft();
    const PointerReading peeked = d.input.peekPointer();
    const PointerReading pressed = d.input.readPointer();
    for (const PointerReading& p : {peeked, pressed}) {
        EXPECT_TRUE(p.ok);
        EXPECT_EQ((Point{p.x, p.y}), (Point{100, 200}));
        EXPECT_EQ(p.buttons, 1);
    }
    EXPECT_FALSE(d.input.readPointer().ok) << "read once; the pointer has left since";

    // A press still held reads as held; the next read sees the pointer as it is.
    d.input.pointerMoved(10, 20);
    d.input.pointerButtons(2);
    d.input.pointerMoved(30, 40);
    EXPECT_EQ(d.input.readPointer().x, 10);
    const PointerReading held = d.input.readPointer();
    EXPECT_EQ(held.x, 30);
    EXPECT_EQ(held.buttons, 2);
}

}  // namespace
}  // namespace solvara
