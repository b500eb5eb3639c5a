// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/print/private/paper_size.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>

namespace solvara {

namespace {

struct KnownPaper {
    std::string_view alias;  // as a papersize file names it
    std::string_view name;
    int widthHmm;
    int lengthHmm;
};

// The papersize file's common names. Ledger and note are left out: the first is tabloid turned
// on its side, the second a Letter sheet under another name.
constexpr std::array<KnownPaper, 13> kKnownPapers = {{
    {"a4", "iso_a4_210x297mm", 21000, 29700},
    {"letter", "na_letter_8.5x11in", 21590, 27940},
    {"a3", "iso_a3_297x420mm", 29700, 42000},
    {"a5", "iso_a5_148x210mm", 14800, 21000},
    {"a6", "iso_a6_105x148mm", 10500, 14800},
    {"b4", "iso_b4_250x353mm", 25000, 35300},
    {"b5", "iso_b5_176x250mm", 17600, 25000},
    {"legal", "na_legal_8.5x14in", 21590, 35560},
    {"executive", "na_executive_7.25x10.5in", 18415, 26670},
    {"tabloid", "na_ledger_11x17in", 27940, 43180},
    {"11x17", "na_ledger_11x17in", 27940, 43180},
    {"statement", "na_invoice_5.5x8.5in", 13970, 21590},
    {"halfletter", "na_invoice_5.5x8.5in", 13970, 21590},
}};

PaperSize paperOf(const KnownPaper& known) {
    return {std::string(known.name), known.widthHmm, known.lengthHmm};
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// A length such as "8.5" in `unitHmm` hundredths of a millimetre per unit; nothing unless it is
// a plain positive decimal of a sheet's size (up to ten metres).
std::optional<int> lengthHmm(std::string_view text, int unitHmm) {
    if (text.empty() ||
        !std::ranges::all_of(text, [](char c) { return (c >= '0' && c <= '9') || c == '.'; }))
        return std::nullopt;
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    const double hmm = std::round(value * unitHmm);
    if (!(hmm >= 1 && hmm <= 1'000'000)) return std::nullopt;
    return static_cast<int>(hmm);
}

// "iso_a4_210x297mm": the size after the last underscore, in millimetres or inches.
std::optional<PaperSize> selfDescribingPaper(std::string_view name) {
    const auto underscore = name.rfind('_');
    if (underscore == std::string_view::npos) return std::nullopt;
    std::string_view size = name.substr(underscore + 1);
    int unitHmm = 0;
    if (size.ends_with("mm"))
        unitHmm = 100;
    else if (size.ends_with("in"))
        unitHmm = 2540;
    else
        return std::nullopt;
    size.remove_suffix(2);
    const auto x = size.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    const auto width = lengthHmm(size.substr(0, x), unitHmm);
    const auto length = lengthHmm(size.substr(x + 1), unitHmm);
    if (!width || !length) return std::nullopt;
    return PaperSize{std::string(name), *width, *length};
}

// The locale's paper in whole millimetres: a known sheet within a millimetre of it (the C library
// rounds Letter to 216 x 279), else a sheet of just that size.
std::optional<PaperSize> paperOfMillimetres(const PaperSettings::Millimetres& mm) {
    if (mm.width <= 0 || mm.height <= 0 || mm.width > 10'000 || mm.height > 10'000)
        return std::nullopt;
    for (const KnownPaper& known : kKnownPapers)
        if (std::abs(known.widthHmm - mm.width * 100) <= 100 &&
            std::abs(known.lengthHmm - mm.height * 100) <= 100)
            return paperOf(known);
    return PaperSize{
        "custom_locale_" + std::to_string(mm.width) + "x" + std::to_string(mm.height) + "mm",
        mm.width * 100, mm.height * 100};
}

// The countries whose locales print on Letter (those whose paper the C library takes from the
// United States'); everywhere else A4 is the sheet in the tray.
bool territoryUsesLetter(std::string_view localeName) {
    const auto underscore = localeName.find('_');
    if (underscore == std::string_view::npos) return false;
    std::string_view territory = localeName.substr(underscore + 1);
    territory = territory.substr(0, territory.find_first_of(".@"));
    static constexpr std::array<std::string_view, 14> kLetter = {
        "US", "CA", "MX", "PR", "PH", "BO", "CL", "CO", "CR", "GT", "NI", "PA", "SV", "VE"};
    return std::ranges::find(kLetter, territory) != kLetter.end();
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The start of a file, enough for a papersize file; empty when it cannot be read.
std::string fileStart(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::string text(4096, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

// The C locale and its aliases say nothing of the country, and so nothing of its paper.
bool countryless(std::string_view localeName) {
    return localeName.empty() || localeName == "C" || localeName == "POSIX" ||
           localeName.starts_with("C.") || localeName.starts_with("C@");
}

}  // namespace

std::optional<PaperSize> paperNamed(std::string_view name) {
    for (const KnownPaper& known : kKnownPapers)
        if (sameIgnoringCase(name, known.alias) || name == known.name) return paperOf(known);
    return selfDescribingPaper(name);
}

std::string firstPaperName(std::string_view fileText) {
    bool comment = false;
    std::string word;
    for (char c : fileText) {
        if (c == '\n') comment = false;
        if (c == '#') comment = true;
        const bool blank =
            c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
        if (comment || blank) {
            if (!word.empty()) return word;
            continue;
        }
        word += c;
    }
    return word;
}

PaperChoice choosePaper(const std::optional<PaperSize>& printerDefault,
                        const PaperSettings& settings) {
    if (printerDefault) return {*printerDefault, PaperSource::Printer};
    // PAPERSIZE is one word, read as the file's.
    if (auto paper = paperNamed(firstPaperName(settings.paperSizeVariable)))
        return {*paper, PaperSource::Variable};
    if (auto paper = paperNamed(firstPaperName(settings.papersizeFileText)))
        return {*paper, PaperSource::File};
    if (settings.localePaper)
        if (auto paper = paperOfMillimetres(*settings.localePaper))
            return {*paper, PaperSource::Locale};
    return {paperOf(kKnownPapers[territoryUsesLetter(settings.localeName) ? 1 : 0]),
            PaperSource::Territory};
}

PaperSettings readPaperSettings(const char* systemFile) {
    PaperSettings settings;
    settings.paperSizeVariable = environment("PAPERSIZE");
    const std::string conf = environment("PAPERCONF");
    settings.papersizeFileText = fileStart(conf.empty() ? systemFile : conf.c_str());
    // The category's own order: LC_ALL overrides LC_PAPER, which overrides LANG.
    for (const char* name : {"LC_ALL", "LC_PAPER", "LANG"}) {
        settings.localeName = environment(name);
        if (!settings.localeName.empty()) break;
    }
    if (countryless(settings.localeName)) return settings;
    // A locale object of the paper category alone: the program's own locale stays as it is.
    const locale_t locale = newlocale(LC_PAPER_MASK, settings.localeName.c_str(), locale_t{});
    if (locale == locale_t{}) return settings;  // not installed: its name still tells the country
    // These two items are numbers (millimetres) that the C library hands over as the pointer.
    const auto word = [&](nl_item item) {
        return static_cast<int>(
            static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(nl_langinfo_l(item, locale))));
    };
    settings.localePaper =
        PaperSettings::Millimetres{word(_NL_PAPER_WIDTH), word(_NL_PAPER_HEIGHT)};
    freelocale(locale);
    return settings;
}

}  // namespace solvara
