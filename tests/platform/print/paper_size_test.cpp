// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/print/private/paper_size.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/private_spooler.h"

namespace solvara {
namespace {

namespace fs = std::filesystem;
using testing::ScopedEnv;

const PaperSize kA4{"iso_a4_210x297mm", 21000, 29700};
const PaperSize kLetter{"na_letter_8.5x11in", 21590, 27940};
const PaperSize kLegal{"na_legal_8.5x14in", 21590, 35560};

TEST(PaperSize, NamesOfTheFileAndOfTheSpooler) {
    struct Case {
        const char* name;
        std::optional<PaperSize> paper;
    };
    const Case cases[] = {
        {"a4", kA4},
        {"A4", kA4},
        {"Letter", kLetter},
        {"LEGAL", kLegal},
        {"11x17", PaperSize{"na_ledger_11x17in", 27940, 43180}},
        {"iso_a4_210x297mm", kA4},
        {"na_letter_8.5x11in", kLetter},
        {"iso_a5_148x210mm", PaperSize{"iso_a5_148x210mm", 14800, 21000}},
        {"custom_card_100x150mm", PaperSize{"custom_card_100x150mm", 10000, 15000}},
        {"na_index-4x6_4x6in", PaperSize{"na_index-4x6_4x6in", 10160, 15240}},
        {"om_small-photo_100x148.5mm", PaperSize{"om_small-photo_100x148.5mm", 10000, 14850}},
        {"", std::nullopt},
        {"a 4", std::nullopt},
        {"letterx", std::nullopt},
        {"iso_a4_", std::nullopt},
        {"iso_a4_210x297", std::nullopt},
        {"custom_x_0x100mm", std::nullopt},
        {"custom_x_-5x100mm", std::nullopt},
        {"custom_x_1e3x100mm", std::nullopt},
        {"custom_x_99999999x100mm", std::nullopt},
        {"custom_x_10x", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(paperNamed(c.name), c.paper) << '"' << c.name << '"';
}

TEST(PaperSize, FirstWordOfAPapersizeFile) {
    EXPECT_EQ(firstPaperName("a4\n"), "a4");
    EXPECT_EQ(firstPaperName("# set by the installer\n\n\t letter  # US\nlegal\n"), "letter");
    EXPECT_EQ(firstPaperName("a5#no blank before the comment"), "a5");
    EXPECT_EQ(firstPaperName("# only a comment\n   \n"), "");
    EXPECT_EQ(firstPaperName(""), "");
}

// Each row leaves out what the rows above it chose by, so the table reads as the order.
TEST(PaperSize, ChoiceFallsFromThePrinterToTheUserToTheCountry) {
    using Mm = PaperSettings::Millimetres;
    struct Case {
        const char* what;
        std::optional<PaperSize> printer;
        PaperSettings settings;
        PaperChoice expected;
    };
    const PaperSettings everything{"a5", "legal", "en_US.UTF-8", Mm{216, 279}};
    const Case cases[] = {
        {"the printer's paper first", kA4, everything, {kA4, PaperSource::Printer}},
        {"then PAPERSIZE", std::nullopt, everything, {*paperNamed("a5"), PaperSource::Variable}},
        {"a PAPERSIZE it does not know is passed over",
         std::nullopt,
         {"bogus", "legal", "de_DE", Mm{210, 297}},
         {kLegal, PaperSource::File}},
        {"then the papersize file",
         std::nullopt,
         {"", "# chosen at install\nLegal\n", "de_DE", Mm{210, 297}},
         {kLegal, PaperSource::File}},
        {"then the locale's paper",
         std::nullopt,
         {"", "# nothing\n", "de_DE", Mm{216, 279}},
         {kLetter, PaperSource::Locale}},
        {"a locale paper of no common size",
         std::nullopt,
         {"", "", "xx_XX", Mm{100, 150}},
         {{"custom_locale_100x150mm", 10000, 15000}, PaperSource::Locale}},
        {"then the country: Letter in the United States",
         std::nullopt,
         {"", "", "en_US.UTF-8", std::nullopt},
         {kLetter, PaperSource::Territory}},
        {"and in Canada",
         std::nullopt,
         {"", "", "fr_CA", std::nullopt},
         {kLetter, PaperSource::Territory}},
        {"and in Mexico",
         std::nullopt,
         {"", "", "es_MX.UTF-8@euro", std::nullopt},
         {kLetter, PaperSource::Territory}},
        {"A4 in Germany",
         std::nullopt,
         {"", "", "de_DE.UTF-8", std::nullopt},
         {kA4, PaperSource::Territory}},
        {"A4 for the C locale",
         std::nullopt,
         {"", "", "C.UTF-8", std::nullopt},
         {kA4, PaperSource::Territory}},
        {"A4 with no locale at all", std::nullopt, {}, {kA4, PaperSource::Territory}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(choosePaper(c.printer, c.settings), c.expected) << c.what;
}

// The settings as a user's session has them: real variables, real files and a real locale,
// made in a directory of the test's own (LOCPATH) under a name whose country says A4 while its
// paper is Letter, so that the answer shows which of the two was read.
TEST(PaperSize, SettingsAreReadFromTheEnvironmentFilesAndLocale) {
    const fs::path dir = fs::temp_directory_path() / ("solvara-paper-" + std::to_string(getpid()));
    fs::create_directories(dir / "locales");
    std::ofstream(dir / "letter.def") << "LC_PAPER\nheight 279\nwidth 216\nEND LC_PAPER\n";
    // localedef warns of the categories the definition leaves out and says so in its status.
    std::system(("localedef -c -i " + shellQuoted((dir / "letter.def").string()) + " " +
                 shellQuoted((dir / "locales" / "de_DE").string()) + " 2>/dev/null")
                    .c_str());
    ASSERT_TRUE(fs::exists(dir / "locales" / "de_DE" / "LC_PAPER"));
    std::ofstream(dir / "system") << "# the system's\nlegal\n";
    std::ofstream(dir / "mine") << "a5\n";
    ScopedEnv locpath("LOCPATH", (dir / "locales").string());

    struct Case {
        const char* what;
        std::optional<std::string> paperSize, paperConf, lcAll, lcPaper, lang;
        const char* paper;
        PaperSource source;
    };
    const std::string mine = (dir / "mine").string();
    const std::string missing = (dir / "missing").string();
    const Case cases[] = {
        {"PAPERSIZE", "letter", mine, {}, {}, "de_DE", "letter", PaperSource::Variable},
        {"PAPERCONF's file", {}, mine, {}, {}, "de_DE", "a5", PaperSource::File},
        {"the system file", {}, {}, {}, {}, "de_DE", "legal", PaperSource::File},
        {"PAPERCONF's file stands for the system file",
         {},
         missing,
         {},
         {},
         "de_DE",
         "letter",
         PaperSource::Locale},
        {"LC_PAPER", {}, missing, {}, "de_DE", "C", "letter", PaperSource::Locale},
        {"LC_ALL over LC_PAPER",
         {},
         missing,
         "fr_FR.UTF-8",
         "de_DE",
         {},
         "a4",
         PaperSource::Territory},
        {"an uninstalled locale by its country",
         {},
         missing,
         {},
         {},
         "en_CA.UTF-8",
         "letter",
         PaperSource::Territory},
        {"the C locale", {}, missing, {}, {}, "C", "a4", PaperSource::Territory},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedEnv paperSize("PAPERSIZE", c.paperSize);
        ScopedEnv paperConf("PAPERCONF", c.paperConf);
        ScopedEnv lcAll("LC_ALL", c.lcAll);
        ScopedEnv lcPaper("LC_PAPER", c.lcPaper);
        ScopedEnv lang("LANG", c.lang);
        const PaperChoice choice =
            choosePaper(std::nullopt, readPaperSettings((dir / "system").c_str()));
        EXPECT_EQ(choice.paper, *paperNamed(c.paper));
        EXPECT_EQ(choice.source, c.source);
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace solvara
