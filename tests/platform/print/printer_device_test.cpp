// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/print/printer_device.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>

#include "support/private_spooler.h"

namespace solvara {
namespace {

using solvara::shellQuoted;
using testing::commandOutput;
using testing::PrivateSpooler;
using testing::ScopedEnv;
using testing::SilentServer;
using testing::words;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kDevice = "LPT:,TITLE = Solvara, EMU = TTY";

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<std::string> nonEmptyLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.find_first_not_of(" \f") != std::string::npos) lines.push_back(line);
    return lines;
}

struct WordBox {
    double x = 0;
    double y = 0;
    std::string text;
};

// The words of `pdftotext -bbox` output with their top-left corners, line by line from the top
// and left to right (pdftotext itself gives them block by block).
std::vector<WordBox> wordBoxes(const std::string& html) {
    static const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>([^<]*)</word>)re");
    std::vector<WordBox> boxes;
    for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it)
        boxes.push_back({std::stod((*it)[1]), std::stod((*it)[2]), (*it)[3]});
    std::ranges::sort(boxes, [](const WordBox& a, const WordBox& b) {
        return std::lround(a.y * 10) != std::lround(b.y * 10) ? a.y < b.y : a.x < b.x;
    });
    return boxes;
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class PrinterDeviceSpooler : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(spooler.start()) << spooler.error(); }

    // The one job the spooler got, finished.
    PrivateSpooler::Job onlyJob() {
        const auto all = spooler.jobs();
        EXPECT_EQ(all.size(), 1u);
        if (all.empty()) return {};
        const auto done = spooler.waitForJob(all.front().id);
        EXPECT_TRUE(done.has_value()) << spooler.log();
        return done.value_or(PrivateSpooler::Job{});
    }

    PrivateSpooler spooler;
};

TEST_F(PrinterDeviceSpooler, TextJobBecomesOnePdfPageInAFixedPitchFont) {
    ASSERT_TRUE(spooler.addPdfQueue("Desk", true)) << spooler.error();
    const std::vector<std::string> lines = {
        "",
        "",
        "           Solvara",
        "",
        "           X = Length           = 3.0",
        "           Y = Height           = 4.0",
        "           Z = Length of angle  = 5.0",
        "           A = Angle A decimal  = 36.869897",
        "           D = Angle A degrees  = 36d 52m 11.6s",
        "           B = Angle B decimal  = 53.1301024",
        "           E = Angle B degrees  = 53d 07m 48.4s",
        "           C = Angle C decimal  = 90.0",
        "           F = Angle C degrees  = 90d 00m 00s",
        "           Area of Triangle     = 6.0",
        "",
    };
    PrinterDevice printer;
    const auto start = Clock::now();
    ASSERT_EQ(printer.open(kDevice, 1), PrinterDevice::OpenResult::Ok) << spooler.log();
    EXPECT_TRUE(printer.isOpen(1));
    for (const auto& line : lines)
        printer.write(1, line + "\r\n");
    EXPECT_EQ(printer.close(1), PrinterDevice::CloseResult::Ok);
    const double seconds = secondsSince(start);
    EXPECT_FALSE(printer.isOpen(1));
    EXPECT_LT(seconds, 2.0);
    RecordProperty("submit_seconds", std::to_string(seconds));

    const auto job = onlyJob();
    EXPECT_EQ(job.title, "Solvara");
    EXPECT_EQ(job.printer, "Desk");
    EXPECT_EQ(job.format, "application/pdf");
    EXPECT_EQ(job.state, IPP_JSTATE_COMPLETED) << spooler.log();

    const std::string pdf = spooler.outputPdf("Desk").string();
    const auto text = nonEmptyLines(commandOutput("pdftotext -layout " + shellQuoted(pdf) + " -"));
    std::vector<std::string> expected;
    for (const auto& line : lines)
        if (!line.empty()) expected.push_back(line);
    ASSERT_EQ(text.size(), expected.size()) << commandOutput("pdftotext -layout " + pdf + " -");
    // pdftotext guesses the blanks between words from their positions; the words and their
    // order are what it reads for certain.
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(words(text[i]), words(expected[i]));
    EXPECT_EQ(words(commandOutput("pdfinfo " + shellQuoted(pdf) + " | grep '^Pages:'")),
              "Pages: 1");
    const std::string fonts = commandOutput("pdffonts " + shellQuoted(pdf));
    EXPECT_NE(fonts.find("Mono"), std::string::npos) << fonts;

    // Every glyph sits on the grid: lines one font height apart, columns 1/12 inch apart.
    const auto boxes = wordBoxes(commandOutput("pdftotext -bbox " + shellQuoted(pdf) + " -"));
    std::size_t wordCount = 0;
    for (const auto& line : expected)
        wordCount += std::ranges::count(words(line), ' ') + 1;
    ASSERT_EQ(boxes.size(), wordCount);
    ASSERT_EQ(boxes[0].text, "Solvara");
    const double left = boxes[0].x - 11 * 6.0;
    const double lineHeight = (boxes[1].y - boxes[0].y) / 2;  // heading, empty line, X line
    EXPECT_NEAR(lineHeight, 11.64, 0.5) << "about 1.16 x 10 points";
    EXPECT_GE(left, 0);
    EXPECT_LT(left, 36) << "the first column is at the left of the printable area";
    EXPECT_LT(boxes[0].y - 2 * lineHeight, 72) << "the first line is at its top";
    std::vector<int> linesSeen;
    std::vector<double> lastEquals;
    for (const WordBox& box : boxes) {
        SCOPED_TRACE(box.text);
        const double line = 2 + (box.y - boxes[0].y) / lineHeight;
        const double column = (box.x - left) / 6.0;
        EXPECT_NEAR(line, std::round(line), 0.01);
        EXPECT_NEAR(column, std::round(column), 0.01);
        if (linesSeen.empty() || linesSeen.back() != std::lround(line)) {
            linesSeen.push_back(std::lround(line));
            lastEquals.push_back(-1);
        }
        if (box.text == "=") lastEquals.back() = column;
    }
    EXPECT_EQ(linesSeen, (std::vector<int>{2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    for (std::size_t i = 1; i < lastEquals.size(); ++i)
        EXPECT_NEAR(lastEquals[i], 32, 0.01) << "line " << linesSeen[i];
}

// The page is the paper of the queue it goes to: the printer's own default when it names one,
// else the user's (PAPERSIZE here). Where the printer describes that paper, the text keeps to
// its printable area (the PDF queue's begins a quarter inch from the left edge).
TEST_F(PrinterDeviceSpooler, PageIsTheQueuesPaperElseTheUsers) {
    struct Case {
        const char* queue;
        bool pdf;
        const char* media;      // the queue's media-default; "" for none
        const char* paperSize;  // PAPERSIZE
        double widthPt;
        double heightPt;
        double leftPt;  // the left edge of the printable area
    };
    const Case cases[] = {
        {"A4", true, "iso_a4_210x297mm", "letter", 595.28, 841.89, 18},
        {"Letter", true, "na_letter_8.5x11in", "a4", 612, 792, 18},
        {"RawLetter", false, "na_letter_8.5x11in", "a4", 612, 792, 0},
        {"Raw", false, "", "legal", 612, 1008, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.queue);
        ASSERT_TRUE(c.pdf ? spooler.addPdfQueue(c.queue, false, c.media)
                          : spooler.addRawQueue(c.queue, false, c.media))
            << spooler.error();
        ScopedEnv paperSize("PAPERSIZE", c.paperSize);
        PrinterDevice printer;
        ASSERT_EQ(printer.open(std::string("LPT:,") + c.queue + ",EMU=TTY", 1),
                  PrinterDevice::OpenResult::Ok);
        printer.write(1, "\r\n\r\n           Solvara\r\n");
        ASSERT_EQ(printer.close(1), PrinterDevice::CloseResult::Ok);
        const auto jobs = spooler.jobs();
        ASSERT_FALSE(jobs.empty());
        ASSERT_TRUE(spooler.waitForJob(jobs.back().id).has_value()) << spooler.log();

        // The document as the spooler received it, before any filter could fit it to a sheet.
        const std::string pdf = shellQuoted(spooler.documentFile(jobs.back().id).string());
        const std::string info = commandOutput("pdfinfo " + pdf);
        std::smatch size;
        ASSERT_TRUE(
            std::regex_search(info, size, std::regex(R"(Page size: +([0-9.]+) x ([0-9.]+))")))
            << info;
        EXPECT_NEAR(std::stod(size[1]), c.widthPt, 1) << info;
        EXPECT_NEAR(std::stod(size[2]), c.heightPt, 1) << info;
        const auto boxes = wordBoxes(commandOutput("pdftotext -bbox " + pdf + " -"));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NEAR(boxes[0].x, c.leftPt + 11 * 6.0, 0.05);
    }
}

TEST_F(PrinterDeviceSpooler, RawJobCarriesTheBytesUnchanged) {
    ASSERT_TRUE(spooler.addPdfQueue("Desk", true)) << spooler.error();
    PrinterDevice printer;
    ASSERT_EQ(printer.open("LPT:,TITLE=Raw bytes", 7), PrinterDevice::OpenResult::Ok);
    printer.write(7, "plain\r\n");
    printer.write(7, std::string("\x1b\x40\xF8", 3));
    printer.close(7);
    const auto job = onlyJob();
    EXPECT_EQ(job.title, "Raw bytes");
    EXPECT_EQ(job.format, "application/vnd.cups-raw");
    EXPECT_EQ(fileText(spooler.documentFile(job.id)), std::string("plain\r\n\x1b\x40\xF8", 10));
}

TEST_F(PrinterDeviceSpooler, NamedPrinterAndPortNumbersChooseTheQueue) {
    ASSERT_TRUE(spooler.addPdfQueue("Home", true)) << spooler.error();
    ASSERT_TRUE(spooler.addPdfQueue("Office", false)) << spooler.error();
    struct Case {
        const char* device;
        const char* printer;
    };
    const Case cases[] = {
        {"LPT:, Office ,EMU=TTY,TITLE=a", "Office"}, {"LPT:,EMU=TTY,TITLE=b", "Home"},
        {"LPT1:,EMU=TTY,TITLE=c", "Home"},           {"PRN:,EMU=TTY,TITLE=d", "Home"},
        {"LPT128:,EMU=TTY,TITLE=e", "Office"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.device);
        PrinterDevice printer;
        ASSERT_EQ(printer.open(c.device, 1), PrinterDevice::OpenResult::Ok);
        printer.write(1, "x\r\n");
        printer.close(1);
    }
    const auto jobs = spooler.jobs();
    ASSERT_EQ(jobs.size(), std::size(cases));
    for (std::size_t i = 0; i < jobs.size(); ++i)
        EXPECT_EQ(jobs[i].printer, cases[i].printer) << cases[i].device;

    PrinterDevice printer;
    EXPECT_EQ(printer.open("LPT2:,EMU=TTY", 1), PrinterDevice::OpenResult::NoPrinter);
    EXPECT_EQ(printer.open("LPT:,Nobody,EMU=TTY", 1), PrinterDevice::OpenResult::NoPrinter);
    EXPECT_FALSE(printer.isOpen(1));
}

TEST_F(PrinterDeviceSpooler, WithoutADefaultOnlyANamedPrinterIsFound) {
    ASSERT_TRUE(spooler.addPdfQueue("Office", false)) << spooler.error();
    PrinterDevice printer;
    EXPECT_EQ(printer.open(kDevice, 1), PrinterDevice::OpenResult::NoPrinter);
    EXPECT_EQ(printer.open("LPT1:,EMU=TTY", 1), PrinterDevice::OpenResult::NoPrinter);
    ASSERT_EQ(printer.open("LPT:,Office,EMU=TTY", 1), PrinterDevice::OpenResult::Ok);
    printer.close(1);
    EXPECT_EQ(printer.open("LPT128:,EMU=TTY", 1), PrinterDevice::OpenResult::Ok);
    printer.close(1);
}

TEST_F(PrinterDeviceSpooler, PrinterEnvironmentVariableNamesTheDefault) {
    ASSERT_TRUE(spooler.addPdfQueue("Home", true)) << spooler.error();
    ASSERT_TRUE(spooler.addPdfQueue("Office", false)) << spooler.error();
    ScopedEnv printerVar("PRINTER", "Office");
    PrinterDevice printer;
    ASSERT_EQ(printer.open(kDevice, 1), PrinterDevice::OpenResult::Ok);
    printer.write(1, "x\r\n");
    printer.close(1);
    EXPECT_EQ(onlyJob().printer, "Office");
}

TEST_F(PrinterDeviceSpooler, NothingWrittenLeavesNoJob) {
    ASSERT_TRUE(spooler.addPdfQueue("Desk", true)) << spooler.error();
    PrinterDevice printer;
    ASSERT_EQ(printer.open(kDevice, 1), PrinterDevice::OpenResult::Ok);
    printer.write(1, "\r\n\r\n");
    printer.close(1);
    for (const auto& job : spooler.jobs())
        EXPECT_NE(job.state, IPP_JSTATE_COMPLETED) << "job " << job.id << " printed nothing";
}

TEST_F(PrinterDeviceSpooler, SpoolerWithoutPrintersGivesCodeTwo) {
    PrinterDevice printer;
    EXPECT_EQ(printer.open(kDevice, 1), PrinterDevice::OpenResult::NoPrinter);
    EXPECT_EQ(printer.open("LPT1:,EMU=TTY", 1), PrinterDevice::OpenResult::NoPrinter);
    // Writes and closes of a device that did not open are ignored.
    printer.write(1, "lost\r\n");
    EXPECT_EQ(printer.close(1), PrinterDevice::CloseResult::NotOpen);
    EXPECT_TRUE(spooler.jobs().empty());
}

TEST(PrinterDevice, UnknownEmulationGivesCodeOneWithoutASpooler) {
    ScopedEnv server("CUPS_SERVER", "/nonexistent/solvara/cups.sock");
    PrinterDevice printer;
    EXPECT_EQ(printer.open("LPT:,TITLE = Solvara, EMU = PCL", 1),
              PrinterDevice::OpenResult::BadDeviceString);
    EXPECT_EQ(printer.open("COM1:", 1), PrinterDevice::OpenResult::BadDeviceString);
    EXPECT_FALSE(printer.isOpen(1));
}

TEST(PrinterDevice, NoSpoolerGivesCodeTwoAtOnce) {
    ScopedEnv server("CUPS_SERVER", "/nonexistent/solvara/cups.sock");
    PrinterDevice printer;
    const auto start = Clock::now();
    EXPECT_EQ(printer.open(kDevice, 1), PrinterDevice::OpenResult::NoPrinter);
    EXPECT_LT(secondsSince(start), 0.5);
    printer.write(1, "lost\r\n");
    printer.close(1);
    EXPECT_FALSE(printer.isOpen(1));
}

TEST(PrinterDevice, SpoolerThatNeverAnswersIsGivenUpWithinSeconds) {
    SilentServer silent;
    ASSERT_TRUE(silent.ok());
    ScopedEnv server("CUPS_SERVER", silent.socket().string());
    PrinterDevice printer;
    const auto start = Clock::now();
    const auto code = printer.open(kDevice, 1);
    const double seconds = secondsSince(start);
    EXPECT_TRUE(code == PrinterDevice::OpenResult::NoPrinter ||
                code == PrinterDevice::OpenResult::JobNotStarted)
        << static_cast<int>(code);
    EXPECT_LT(seconds, 5.0);
    EXPECT_FALSE(printer.isOpen(1));
}

}  // namespace
}  // namespace solvara
