// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace solvara {

// A sheet's size in hundredths of a millimetre, as the spooler measures media, under the
// spooler's name for it ("iso_a4_210x297mm", "na_letter_8.5x11in").
struct PaperSize {
    std::string name;
    int widthHmm = 0;
    int lengthHmm = 0;

    bool operator==(const PaperSize&) const = default;
};

// The size a paper name stands for: a name of the papersize file ("a4", "letter", "legal", ...,
// in any letter case) or a self-describing spooler name that ends in the size
// ("iso_a4_210x297mm", "na_letter_8.5x11in", "custom_card_100x150mm"). Nothing for a name it
// does not know.
std::optional<PaperSize> paperNamed(std::string_view name);

// The paper name in the text of a papersize file: its first word, blanks and everything from
// a '#' to the end of a line being ignored. Empty when there is none.
std::string firstPaperName(std::string_view fileText);

// What the user and the system say about paper, as readPaperSettings() finds it. Everything
// may be missing.
struct PaperSettings {
    std::string paperSizeVariable;  // PAPERSIZE
    std::string papersizeFileText;  // the file PAPERCONF names, else /etc/papersize
    std::string localeName;         // the locale that sets the paper (LC_ALL, LC_PAPER or LANG)
    struct Millimetres {
        int width = 0;
        int height = 0;
    };
    // The paper of that locale as the C library gives it, when the locale is installed and is
    // not the plain C one (whose paper stands for no country).
    std::optional<Millimetres> localePaper;
};

enum class PaperSource {
    Printer,    // the printer's own default media
    Variable,   // PAPERSIZE
    File,       // the papersize file
    Locale,     // the locale's paper
    Territory,  // the country in the locale's name: Letter in the Americas that use it, else A4
};

struct PaperChoice {
    PaperSize paper;
    PaperSource source = PaperSource::Territory;

    bool operator==(const PaperChoice&) const = default;
};

// The paper a page is laid out on: the printer's default when it names one, else the first that
// the user's settings name and this table knows, in the order PAPERSIZE, the papersize file, the
// locale's paper; else A4, or Letter for a locale of a country that uses Letter.
PaperChoice choosePaper(const std::optional<PaperSize>& printerDefault,
                        const PaperSettings& settings);

// Reads PAPERSIZE, the papersize file (the one PAPERCONF names, else `systemFile`) and the
// locale of the environment. Reads nothing else and changes no global state.
PaperSettings readPaperSettings(const char* systemFile = "/etc/papersize");

}  // namespace solvara
