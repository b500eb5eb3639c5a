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

TEST(PaperSize, NamesOfThePapersizeFileAndOfTheSpooler) {
    struct Case {
        const char* name;
        std::optional<PaperSize> paper;
    };
    const Case cases[] = {
        {"A4", PaperSize{"iso_a4_210x297mm", 21000, 29700}},
        {"letter", PaperSize{"na_letter_8.5x11in", 21590, 27940}},
        {"11x17", PaperSize{"na_ledger_11x17in", 27940, 43180}},
        {"iso_a4_210x297mm", PaperSize{"iso_a4_210x297mm", 21000, 29700}},
        {"na_index-4x6_4x6in", PaperSize{"na_index-4x6_4x6in", 10160, 15240}},
        {"om_photo_100x148.5mm", PaperSize{"om_photo_100x148.5mm", 10000, 14850}},
        {"", std::nullopt},
        {"letterx", std::nullopt},
        {"iso_a4_210x297", std::nullopt},
        {"custom_x_0x100mm", std::nullopt},
        {"custom_x_1e3x100mm", std::nullopt},
        {"custom_x_99999999x100mm", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(paperNamed(c.name), c.paper) << '"' << c.name << '"';
}

// The user's paper as a session has it: real variables, real files and a real locale, made in a
// directory of the test's own (LOCPATH) under a name whose country says A4 while its paper is
// Letter, so that the answer shows which of the two was read. Each row leaves out what the rows
// above it chose by. (The printer's own paper comes first; the spooler's tests show that.)
TEST(PaperSize, UsersPaperFromTheEnvironmentFilesAndLocale) {
    const fs::path dir = fs::temp_directory_path() / ("solvara-paper-" + std::to_string(getpid()));
    fs::create_directories(dir / "locales");
    std::ofstream(dir / "letter.def") << "LC_PAPER\nheight 279\nwidth 216\nEND LC_PAPER\n";
    // localedef complains of the categories left out, in its words and its status.
    std::system(("localedef -c -i " + shellQuoted((dir / "letter.def").string()) + " " +
                 shellQuoted((dir / "locales" / "de_DE").string()) + " 2>/dev/null")
                    .c_str());
    ASSERT_TRUE(fs::exists(dir / "locales" / "de_DE" / "LC_PAPER"));
    std::ofstream(dir / "system") << "# chosen at install\n\n  Legal # US\na3\n";
    std::ofstream(dir / "mine") << "a5\n";
    ScopedEnv locpath("LOCPATH", (dir / "locales").string());

    using Env = std::optional<std::string>;
    struct Case {
        Env paperSize, paperConf, lcAll, lcPaper, lang;
        const char* paper;
        PaperSource source;
    };
    const std::string mine = (dir / "mine").string();
    const std::string missing = (dir / "missing").string();
    const Case cases[] = {
        {"letter", mine, {}, {}, "de_DE", "letter", PaperSource::Variable},
        {"bogus", mine, {}, {}, "de_DE", "a5", PaperSource::File},
        {{}, {}, {}, {}, "de_DE", "legal", PaperSource::File},
        {{}, missing, {}, {}, "de_DE", "letter", PaperSource::Locale},
        {{}, missing, {}, "de_DE", "C", "letter", PaperSource::Locale},
        {{}, missing, "fr_FR.UTF-8", "de_DE", {}, "a4", PaperSource::Territory},
        {{}, missing, {}, {}, "en_CA.UTF-8", "letter", PaperSource::Territory},
        {{}, missing, {}, {}, "C.UTF-8", "a4", PaperSource::Territory},
        {{}, missing, {}, {}, {}, "a4", PaperSource::Territory},
    };
    for (const Case& c : cases) {
        ScopedEnv paperSize("PAPERSIZE", c.paperSize), paperConf("PAPERCONF", c.paperConf),
            lcAll("LC_ALL", c.lcAll), lcPaper("LC_PAPER", c.lcPaper), lang("LANG", c.lang);
        const PaperChoice choice =
            choosePaper(std::nullopt, readPaperSettings((dir / "system").c_str()));
        EXPECT_EQ(choice, (PaperChoice{*paperNamed(c.paper), c.source}))
            << "row " << &c - cases << ": " << choice.paper.name;
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace solvara
