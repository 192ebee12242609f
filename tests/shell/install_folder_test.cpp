// The install folder: environment rule, case-blind names, first-run install.
#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/install_folder.h"
#include "support/environment.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

TEST(InstallFolder, FolderTextEndsInSeparator) {
  EXPECT_EQ(InstallFolder("/tmp/vx").Folder(), "/tmp/vx/");
  EXPECT_EQ(InstallFolder("/tmp/vx/").Folder(), "/tmp/vx/");
}

TEST(InstallFolder, EnvironmentVariableNamesTheFolder) {
  test::SetEnvironment("VEXLINE_HOME", "/opt/shop");
  EXPECT_EQ(InstallFolder::FromEnvironment().Folder(), "/opt/shop/");
  test::SetEnvironment("VEXLINE_HOME", nullptr);
#ifdef _WIN32
  test::SetEnvironment("ProgramFiles", "D:\\Programs");
  EXPECT_EQ(InstallFolder::FromEnvironment().Folder(), "D:\\Programs\\Vexline\\");
#else
  test::SetEnvironment("HOME", "/home/op");
  EXPECT_EQ(InstallFolder::FromEnvironment().Folder(), "/home/op/Vexline/");
#endif
}

TEST(InstallFolder, WorkingFilesMatchWithoutRegardToCase) {
  test::TempFolder temp;
  InstallFolder folder(temp.Path());
  EXPECT_EQ(folder.PathOf("CONDTA.dat"), temp.File("CONDTA.dat"));
  temp.Write("ConDTA.dat", "1");
  EXPECT_EQ(folder.PathOf("CONDTA.dat"), temp.File("ConDTA.dat"));
  EXPECT_EQ(folder.PathOf("condta.DAT"), temp.File("ConDTA.dat"));
  temp.Write("Sample/DXF/a.dxf", "x");
  EXPECT_EQ(folder.PathOf("sample/dxf/a.dxf"), temp.File("Sample/DXF/a.dxf"));
}

TEST(InstallFolder, InstallsMissingFilesAndNeverOverwrites) {
  test::TempFolder temp;
  InstallFolder folder(temp.Path() + "home");
  static const unsigned char kTemplate[] = {'t', 'p', 'l'};
  static const unsigned char kSample[] = {'d', 'x', 'f'};
  const std::vector<EmbeddedFile> files = {{"schelt.dxs", kTemplate, 3}, {"sample/dxf/a.dxf", kSample, 3}};
  auto first = folder.EnsureInstalled(files);
  EXPECT_TRUE(first.ok);
  EXPECT_EQ(first.added.size(), 2u);
  EXPECT_EQ(temp.Read("home/sample/dxf/a.dxf"), "dxf");
  temp.Write("home/sample/dxf/a.dxf", "edited");
  auto second = folder.EnsureInstalled(files);
  EXPECT_TRUE(second.ok);
  EXPECT_TRUE(second.added.empty());
  EXPECT_EQ(temp.Read("home/sample/dxf/a.dxf"), "edited");

  // An operator's own template, spelt in other case, is kept.
  temp.Write("other/SCHELT.DXS", "mine");
  auto third = InstallFolder(temp.Path() + "other").EnsureInstalled(files);
  EXPECT_EQ(third.added, std::vector<std::string>{"sample/dxf/a.dxf"});
  EXPECT_EQ(temp.Read("other/SCHELT.DXS"), "mine");
}

// The sample DATAIN.xls, added anew, would be the newest entry workbook and
// be read in place of the operator's .xlsx or .ods: it is left out there.
TEST(InstallFolder, SampleEntryWorkbookOnlyWhereNoOtherFormatIsKept) {
  struct Case {
    const char* kept;  // the operator's file, or empty
    bool sampleAdded;
  };
  const Case cases[] = {
      {"", true}, {"DATAIN.xlsx", false}, {"datain.ODS", false}, {"DATAIN.xlsx.bak", true}, {"CONDTA.dat", true}};
  static const unsigned char kSample[] = {'x', 'l', 's'};
  const std::vector<EmbeddedFile> files = {{"DATAIN.xls", kSample, 3}, {"schelt.dxs", kSample, 3}};
  for (const Case& c : cases) {
    test::TempFolder temp;
    if (*c.kept) temp.Write(std::string("home/") + c.kept, "mine");
    const auto result = InstallFolder(temp.Path() + "home").EnsureInstalled(files);
    EXPECT_TRUE(result.ok) << c.kept;
    const std::vector<std::string> expected =
        c.sampleAdded ? std::vector<std::string>{"DATAIN.xls", "schelt.dxs"} : std::vector<std::string>{"schelt.dxs"};
    EXPECT_EQ(result.added, expected) << c.kept;
  }
}

}  // namespace
}  // namespace vx
