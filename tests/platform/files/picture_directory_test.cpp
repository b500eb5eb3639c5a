// SPDX-License-Identifier: GPL-2.0-or-later
// Where the picture goes: user-dirs.dirs read as its format defines (and as xdg-user-dir reads
// it), and the choice between the program's directory, the pictures directory and home.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <string>

#include "platform/files/environment.h"
#include "platform/files/shell_quote.h"
#include "support/private_spooler.h"
#include "support/read_only_directory.h"

namespace solvara {
namespace {

namespace fs = std::filesystem;
using testing::ReadOnlyDirectory;

constexpr const char* kHome = "/home/ann";

const struct UserDirsCase {
    const char* text;
    std::optional<std::string> pictures;
    // Whether a shell reads the text the same way, so that xdg-user-dir (which sources the
    // file) must report the same; a CR, blanks around '=', an unquoted value or $HOMEWORK mean
    // something else to a shell.
    bool shellAgrees;
} kUserDirs[] = {
    {"XDG_PICTURES_DIR=\"$HOME/Pictures\"\n", "/home/ann/Pictures", true},
    {"XDG_PICTURES_DIR=\"/srv/pictures\"\n", "/srv/pictures", true},
    {"XDG_PICTURES_DIR=\"$HOME\"\n", "/home/ann", true},
    {"XDG_PICTURES_DIR=\"$HOME/\"\n", "/home/ann/", true},
    {"XDG_PICTURES_DIR=\"$HOME/My \\\"Pics\\\" \\\\ \\$5\"\n", "/home/ann/My \"Pics\" \\ $5", true},
    {"XDG_PICTURES_DIR=\"$HOME/Bilder\"\r\n", "/home/ann/Bilder", false},  // sh keeps the CR
    {"# XDG_PICTURES_DIR=\"$HOME/Old\"\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", std::nullopt, true},
    {"XDG_PICTURES_DIR=\"$HOME/First\"\nXDG_PICTURES_DIR=\"$HOME/Last\"\n", "/home/ann/Last", true},
    {"XDG_PICTURES_DIR=\"$HOME/Pictures\"", "/home/ann/Pictures", true},  // no final newline
    {"  XDG_PICTURES_DIR=\"$HOME/Indented\"\n", "/home/ann/Indented", true},
    {"XDG_PICTURES_DIRS=\"$HOME/Other\"\n", std::nullopt, true},
    {"", std::nullopt, true},
    {"XDG_PICTURES_DIR = \"$HOME/Blanks\"\n", "/home/ann/Blanks", false},
    {"XDG_PICTURES_DIR=$HOME/Unquoted\n", std::nullopt, false},
    {"XDG_PICTURES_DIR=\"Relative\"\n", std::nullopt, false},
    {"XDG_PICTURES_DIR=\"$HOMEWORK/x\"\n", std::nullopt, false},
    {"XDG_PICTURES_DIR=\"$HOME/Unclosed\n", std::nullopt, false},
    {"XDG_PICTURES_DIR=\"$HOME/Trailing\\", std::nullopt, false},
    {"XDG_PICTURES_DIR=\"$HOME/A\"\nXDG_PICTURES_DIR=\"broken\"\n", "/home/ann/A", false},
};

TEST(UserDirectory, ReadsTheFormat) {
    for (const UserDirsCase& c : kUserDirs) {
        const auto found = userDirectory(c.text, "PICTURES", kHome);
        EXPECT_EQ(found ? std::optional(found->string()) : std::nullopt, c.pictures) << c.text;
    }
    EXPECT_EQ(userDirectory("XDG_PICTURES_DIR=\"$HOME/P\"\n", "PICTURES", ""), std::nullopt)
        << "no home to put in for $HOME";
    EXPECT_EQ(userDirectory("XDG_PICTURES_DIR=\"/abs\"\n", "PICTURES", ""), fs::path("/abs"));
}

// Every line a shell takes reads the same through xdg-user-dir, which sources the file and
// reports the home directory when the file names no pictures directory.
TEST(UserDirectory, AgreesWithXdgUserDir) {
    if (std::system("command -v xdg-user-dir >/dev/null") != 0)
        GTEST_SKIP() << "no xdg-user-dir (Debian xdg-user-dirs)";
    char pattern[] = "/tmp/solvara-user-dirs-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path config = pattern;
    for (const UserDirsCase& c : kUserDirs) {
        if (!c.shellAgrees) continue;
        std::ofstream(config / "user-dirs.dirs", std::ios::binary) << c.text;
        const std::string reported = testing::commandOutput(
            "env -i PATH=/usr/bin:/bin HOME=" + std::string(kHome) +
            " XDG_CONFIG_HOME=" + shellQuoted(config.string()) + " xdg-user-dir PICTURES");
        EXPECT_EQ(reported, c.pictures.value_or(kHome) + "\n") << c.text;
    }
    fs::remove_all(config);
}

class PictureDirectory : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/solvara-picture-dir-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        env.programDirectory = root / "bin";
        env.homeDirectory = root / "home";
        env.configDirectory = root / "home" / ".config";
        fs::create_directories(env.programDirectory);
        fs::create_directories(env.configDirectory);
    }
    void TearDown() override { fs::remove_all(root); }

    void setPictures(const std::string& value) {
        std::ofstream(env.configDirectory / "user-dirs.dirs")
            << "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"" << value << "\"\n";
    }

    fs::path root;
    Environment env;
};

TEST_F(PictureDirectory, BesideTheProgramWhenItsDirectoryIsWritable) {
    fs::create_directories(env.homeDirectory / "Pictures");
    setPictures("$HOME/Pictures");
    EXPECT_EQ(env.pictureDirectory(), env.programDirectory);
}

TEST_F(PictureDirectory, InstalledCopyUsesThePicturesDirectoryElseHome) {
    ReadOnlyDirectory program(env.programDirectory);
    if (!program.ok()) GTEST_SKIP() << "cannot make a read-only directory here";

    EXPECT_EQ(env.pictureDirectory(), env.homeDirectory) << "no user-dirs.dirs";
    setPictures("$HOME/Pictures");
    EXPECT_EQ(env.pictureDirectory(), env.homeDirectory) << "the directory does not exist";
    fs::create_directories(env.homeDirectory / "Pictures");
    EXPECT_EQ(env.pictureDirectory(), env.homeDirectory / "Pictures");
    setPictures((root / "shared pictures").string());
    fs::create_directories(root / "shared pictures");
    EXPECT_EQ(env.pictureDirectory(), root / "shared pictures");
    {
        ReadOnlyDirectory pictures(root / "shared pictures");
        ASSERT_TRUE(pictures.ok());
        EXPECT_EQ(env.pictureDirectory(), env.homeDirectory) << "pictures not writable";
    }
    env.configDirectory.clear();
    EXPECT_EQ(env.pictureDirectory(), env.homeDirectory) << "no configuration directory known";
}

// An installed copy never saves beside itself, even where it may write (root in /usr/bin): the
// package manager would leave the picture behind.
TEST_F(PictureDirectory, InstalledCopyNeverSavesBesideItself) {
    fs::create_directories(env.homeDirectory / "Pictures");
    setPictures("$HOME/Pictures");
    fs::create_directory_symlink(env.programDirectory, root / "link");
    const struct {
        fs::path install;
        bool beside;
    } cases[] = {
        {env.programDirectory, false},
        {root / "link", false},  // the same directory by other paths
        {root / "home" / ".." / "bin", false},
        {root / "home", true},  // installed elsewhere: this is a copy of its own
        {root / "missing", true},
        {{}, true},
    };
    for (const auto& c : cases) {
        env.installDirectory = c.install;
        EXPECT_EQ(env.pictureDirectory(),
                  c.beside ? env.programDirectory : env.homeDirectory / "Pictures")
            << c.install;
    }
    // Nowhere else to write: no save at all rather than one beside the program.
    env.installDirectory = env.programDirectory;
    env.homeDirectory = root / "missing";
    env.configDirectory.clear();
    EXPECT_EQ(env.pictureDirectory(), std::nullopt);
}

// With nowhere to write, the save is tried beside the program, fails and says so.
TEST_F(PictureDirectory, NowhereWritableFallsBackToTheProgramDirectory) {
    ReadOnlyDirectory program(env.programDirectory);
    ReadOnlyDirectory home(env.homeDirectory);
    if (!program.ok() || !home.ok()) GTEST_SKIP() << "cannot make a read-only directory here";
    EXPECT_EQ(env.pictureDirectory(), env.programDirectory);
    Environment unknown;
    unknown.programDirectory = env.programDirectory;
    EXPECT_EQ(unknown.pictureDirectory(), env.programDirectory);
}

}  // namespace
}  // namespace solvara
