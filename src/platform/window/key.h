// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace solvara {

// One key as the keyboard ring holds it: a character (1 to 255), or an extended key (arrows,
// function keys, ...) by its PC scan code. The default Key is "no key".
class Key {
  public:
    constexpr Key() = default;
    static constexpr Key character(unsigned char c) { return Key(c); }
    static constexpr Key extended(int scanCode) { return Key(kExtendedBase + 256 * scanCode); }
    // The ring's code: 1..255 a character, 255 + 256 x scan code an extended key, 0 none.
    static constexpr Key fromCode(int code) { return code > 0 ? Key(code) : Key(); }

    constexpr int code() const { return code_; }
    constexpr bool isNone() const { return code_ == 0; }
    constexpr explicit operator bool() const { return code_ != 0; }
    constexpr bool isExtended() const { return code_ > kExtendedBase; }
    constexpr int scanCode() const { return isExtended() ? (code_ - kExtendedBase) / 256 : 0; }
    // The character of a character key, 0 for none or an extended key.
    constexpr unsigned char character() const {
        return isExtended() ? 0 : static_cast<unsigned char>(code_);
    }
    // A letter key in either case: isLetter('x') holds for "x" and "X".
    constexpr bool isLetter(char lower) const {
        return !isExtended() && (code_ == lower || code_ == lower - 'a' + 'A');
    }
    constexpr bool isDigit() const { return !isExtended() && code_ >= '0' && code_ <= '9'; }

    friend constexpr bool operator==(Key, Key) = default;

  private:
    static constexpr int kExtendedBase = 255;
    constexpr explicit Key(int code) : code_(code) {}
    int code_ = 0;
};

namespace keys {
inline constexpr Key kBackspace = Key::character(8);
inline constexpr Key kTab = Key::character(9);
inline constexpr Key kEnter = Key::character(13);
inline constexpr Key kEscape = Key::character(27);
inline constexpr Key kCtrlC = Key::character(3);
inline constexpr Key kUp = Key::extended(72);
inline constexpr Key kLeft = Key::extended(75);
inline constexpr Key kRight = Key::extended(77);
inline constexpr Key kDown = Key::extended(80);
inline constexpr Key kHome = Key::extended(71);
inline constexpr Key kEnd = Key::extended(79);
inline constexpr Key kPageUp = Key::extended(73);
inline constexpr Key kPageDown = Key::extended(81);
inline constexpr Key kInsert = Key::extended(82);
inline constexpr Key kDelete = Key::extended(83);
// F1 to F10 have the scan codes 59 to 68, F11 and F12 133 and 134.
constexpr Key function(int n) {
    return n <= 10 ? Key::extended(58 + n) : Key::extended(122 + n);
}
inline constexpr Key kF1 = function(1);
inline constexpr Key kF11 = function(11);
inline constexpr Key kF12 = function(12);
// The desktop asks the window to close.
inline constexpr Key kCloseRequest = Key::extended(107);
}  // namespace keys

}  // namespace solvara
