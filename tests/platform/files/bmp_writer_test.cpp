// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/bmp_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/display/display.h"
#include "support/scripted_backend.h"
#include "support/small_tmpfs.h"

namespace solvara {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileSize = 312130;
constexpr std::size_t kStride = 644;
constexpr std::size_t kPixelOffset = 1078;

std::vector<std::uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le(const std::vector<std::uint8_t>& b, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = v << 8 | b.at(at + i);
    return v;
}

// Just enough of a reader for an uncompressed 8-bit picture, to check the writer against.
struct Picture {
    int width = 0;
    int height = 0;
    std::array<Rgb, 256> palette{};
    std::vector<std::uint8_t> pixels;  // top row first

    static Picture read(const std::vector<std::uint8_t>& b) {
        Picture p;
        if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || le(b, 28, 2) != 8 || le(b, 30, 4) != 0)
            return p;
        const std::size_t dataAt = le(b, 10, 4);
        const std::size_t tableAt = 14 + le(b, 14, 4);
        p.width = static_cast<int>(le(b, 18, 4));
        p.height = static_cast<int>(le(b, 22, 4));
        for (int i = 0; i < 256; ++i)
            p.palette[i] =
                Rgb{b.at(tableAt + 4 * i + 2), b.at(tableAt + 4 * i + 1), b.at(tableAt + 4 * i)};
        const std::size_t stride = (p.width + 3) / 4 * 4;
        for (int y = 0; y < p.height; ++y) {
            const std::size_t row = dataAt + (p.height - 1 - y) * stride;
            for (int x = 0; x < p.width; ++x)
                p.pixels.push_back(b.at(row + x));
        }
        return p;
    }
};

class BmpWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "solvara-bmp-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        std::string error;
        ASSERT_TRUE(d.open(error));
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir / "locked", fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }

    std::vector<std::uint8_t> page(int n) const {
        const std::uint8_t* p = d.pageData(n);
        return {p, p + Display::kWidth * Display::kHeight};
    }

    fs::path dir;
    ScriptedBackend backend;
    Display d{backend};
};

TEST_F(BmpWriterTest, WritesTheHeadersTableAndBottomUpRows) {
    d.setPaletteEntry(2, 0x002801);
    d.segment(0, 0, 0, 0, Colour{2});  // top-left pixel
    d.segment(5, 482, 5, 482, Colour{7});
    const fs::path path = dir / "Solvara.bmp";
    ASSERT_EQ(BmpWriter::savePage(d, path.string()), BmpWriter::Result::Ok);

    const auto b = readFile(path);
    ASSERT_EQ(b.size(), kFileSize);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    const struct {
        std::size_t offset;
        int size;
        std::uint32_t value;
    } fields[] = {
        {2, 4, 312130},  {6, 2, 0},     {8, 2, 0},     {10, 4, 1078}, {14, 4, 40},
        {18, 4, 643},    {22, 4, 483},  {26, 2, 1},    {28, 2, 8},    {30, 4, 0},
        {34, 4, 311052}, {38, 4, 2834}, {42, 4, 2834}, {46, 4, 256},  {50, 4, 256},
    };
    for (const auto& f : fields)
        EXPECT_EQ(le(b, f.offset, f.size), f.value) << "field at offset " << f.offset;

    // Colour table entry 2: blue, green, red, 0.
    EXPECT_EQ(b[62], 0);
    EXPECT_EQ(b[63], 161);
    EXPECT_EQ(b[64], 4);
    EXPECT_EQ(b[65], 0);

    for (std::size_t row = 0; row < 483; ++row)
        EXPECT_EQ(b[kPixelOffset + row * kStride + 643], 0) << "padding of row " << row;
    EXPECT_EQ(b[kPixelOffset + 482 * kStride], 2);  // the top row comes last
    EXPECT_EQ(b[kPixelOffset + 5], 7);              // the bottom row first
}

TEST_F(BmpWriterTest, RoundTripGivesBackPageAndPalette) {
    d.setPaletteEntry(13, 0x1B280C);
    d.setTextGrid(80, 30);
    d.box(Rect{2, 2, 640, 480}, Colour{1});
    d.fillCircle(320, 240, 100, Colour{13});
    d.printAt(10, 10, "Solvara \x10 round trip");
    for (int i = 0; i < 256; ++i)
        d.segment(i, 400, i, 410, Colour{static_cast<std::uint8_t>(i)});
    const auto before = page(0);

    const fs::path path = dir / "trip.BMP";
    ASSERT_EQ(BmpWriter::savePage(d, path.string()), BmpWriter::Result::Ok);
    const Picture p = Picture::read(readFile(path));
    EXPECT_EQ(p.width, Display::kWidth);
    EXPECT_EQ(p.height, Display::kHeight);
    EXPECT_EQ(p.palette, d.palette());
    EXPECT_EQ(p.pixels, before);
    EXPECT_EQ(page(0), before);  // a save never changes the page
}

TEST_F(BmpWriterTest, SavesTheWorkPageOrTheOneAsked) {
    d.setPages(1, 0);
    d.fillBox(Rect{0, 0, 642, 482}, Colour{9});
    const fs::path work = dir / "work.bmp";
    const fs::path zero = dir / "zero.bmp";
    ASSERT_EQ(BmpWriter::savePage(d, work.string()), BmpWriter::Result::Ok);
    ASSERT_EQ(BmpWriter::savePage(d, 0, zero.string()), BmpWriter::Result::Ok);
    EXPECT_EQ(Picture::read(readFile(work)).pixels, page(1));
    EXPECT_EQ(Picture::read(readFile(zero)).pixels, page(0));
    EXPECT_EQ(BmpWriter::savePage(d, 4, (dir / "none.bmp").string()), BmpWriter::Result::BadPage);
    EXPECT_FALSE(fs::exists(dir / "none.bmp"));
}

TEST_F(BmpWriterTest, AFileThatCannotBeCreatedGivesTwoAndLeavesNothing) {
    std::ofstream(dir / "plain") << "a file, not a directory";
    std::vector<fs::path> paths = {dir / "missing" / "Solvara.bmp", dir / "plain" / "Solvara.bmp"};
    // A directory without write permission stops everyone but root.
    fs::create_directory(dir / "locked");
    fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    if (access((dir / "locked").c_str(), W_OK) != 0) paths.push_back(dir / "locked" / "x.bmp");

    d.fillBox(Rect{0, 0, 100, 100}, Colour{4});
    const auto before = page(0);
    for (const auto& path : paths) {
        EXPECT_EQ(BmpWriter::savePage(d, path.string()), BmpWriter::Result::CannotCreate) << path;
        EXPECT_FALSE(fs::exists(path)) << path;
    }
    EXPECT_TRUE(fs::is_empty(dir / "locked"));
    EXPECT_EQ(page(0), before);
}

TEST_F(BmpWriterTest, AFailedWriteGivesThreeAndKeepsTheOldPicture) {
    // A disk that fills up halfway through the picture.
    const testing::SmallTmpfs disk(400 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here: " << disk.error();
    const fs::path path = disk.path() / "Solvara.bmp";
    std::ofstream(path) << "an older picture";
    std::ofstream(disk.path() / "other") << std::string(250 * 1024, 'x');
    EXPECT_EQ(BmpWriter::savePage(d, path.string()), BmpWriter::Result::WriteFailed);
    const auto kept = readFile(path);
    EXPECT_TRUE(std::string(kept.begin(), kept.end()) == "an older picture")
        << "a file of " << kept.size() << " bytes, starting "
        << std::string(kept.begin(), kept.begin() + 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.path()), fs::directory_iterator()), 2)
        << "no temporary file is left";
}

TEST_F(BmpWriterTest, ASymbolicLinkOfThatNameIsReplacedNotWrittenThrough) {
    std::ofstream(dir / "elsewhere.bmp") << "not a picture of ours";
    fs::create_symlink(dir / "elsewhere.bmp", dir / "Solvara.bmp");
    ASSERT_EQ(BmpWriter::savePage(d, (dir / "Solvara.bmp").string()), BmpWriter::Result::Ok);
    EXPECT_FALSE(fs::is_symlink(dir / "Solvara.bmp"));
    EXPECT_EQ(fs::file_size(dir / "Solvara.bmp"), kFileSize);
    EXPECT_EQ(fs::file_size(dir / "elsewhere.bmp"), 21u);
}

TEST(BmpWriterClosed, AClosedDisplayGivesOneAndWritesNothing) {
    ScriptedBackend backend;
    Display d(backend);
    const fs::path path = fs::temp_directory_path() / "solvara-closed-display-test.bmp";
    std::error_code ec;
    fs::remove(path, ec);
    EXPECT_EQ(BmpWriter::savePage(d, path.string()), BmpWriter::Result::BadPage);
    EXPECT_FALSE(fs::exists(path));
}

}  // namespace
}  // namespace solvara
