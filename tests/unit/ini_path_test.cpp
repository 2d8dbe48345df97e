#include "config/ini_path.h"

#include <gtest/gtest.h>

#include <string>

namespace vorlent {
namespace {

TEST(IniPathTest, ReplacesFromTheLastDotOfTheWholePath) {
    EXPECT_EQ(IniPathForModule("C:\\Mail\\PlugIns\\Vorlent.dll"), "C:\\Mail\\PlugIns\\Vorlent.ini");
    EXPECT_EQ(IniPathForModule("C:\\Mail\\PlugIns\\Renamed.DLL"), "C:\\Mail\\PlugIns\\Renamed.ini");
    EXPECT_EQ(IniPathForModule("C:\\a.b\\Vorlent.x.dll"), "C:\\a.b\\Vorlent.x.ini");
    // The last dot may stand in a folder name when the file has none.
    EXPECT_EQ(IniPathForModule("C:\\v1.2\\Vorlent"), "C:\\v1.ini");
}

TEST(IniPathTest, AppendsWhereThereIsNoDot) {
    EXPECT_EQ(IniPathForModule("C:\\PlugIns\\Vorlent"), "C:\\PlugIns\\Vorlent.ini");
}

TEST(IniPathTest, RefusesAPathThatDoesNotFitThePlatformBuffer) {
    const std::string folder = "C:\\" + std::string(240, 'f') + "\\";
    const std::string fits = folder + std::string(259 - folder.size() - 4, 'v') + ".dll";
    ASSERT_EQ(fits.size(), 259u);
    EXPECT_EQ(IniPathForModule(fits)->size(), 259u);

    const std::string tooLong = folder + std::string(256 - folder.size(), 'v');
    ASSERT_EQ(tooLong.size(), 256u);  // no dot: the appended ".ini" needs 4 more and the NUL
    EXPECT_EQ(IniPathForModule(tooLong), std::nullopt);
    EXPECT_EQ(IniPathForModule(std::string(300, 'x') + ".dll"), std::nullopt);
}

}  // namespace
}  // namespace vorlent
