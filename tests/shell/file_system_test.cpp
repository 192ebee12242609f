// Files in folders with Japanese names, replaced whole, on every system.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/atomic_file.h"
#include "platform/file_path.h"
#include "shell/install_folder.h"
#include "shell/table_file.h"
#include "support/temp_folder.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace vx {
namespace {

namespace fs = std::filesystem;

// A folder 加工データ inside a fresh temporary folder.
struct JapaneseFolder {
  test::TempFolder temp;
  std::string path = temp.Path() + "加工データ/";
  JapaneseFolder() { fs::create_directories(PathFromUtf8(path)); }
};

// The names in a folder, as UTF-8.
std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(PathFromUtf8(folder))) names.push_back(Utf8FromPath(entry.path().filename()));
  return names;
}

TEST(FileSystem, WritesReplacesAndReadsInAJapaneseFolder) {
  JapaneseFolder folder;
  const std::string file = folder.path + "輪郭データ.dat";
  ASSERT_TRUE(WriteFileAtomically(file, "first\r\n"));
  ASSERT_TRUE(WriteFileAtomically(file, "second\r\n"));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(file, bytes));
  EXPECT_EQ(bytes, "second\r\n") << "bytes are written as they are: no CR LF doubling";
  EXPECT_EQ(Names(folder.path), std::vector<std::string>{"輪郭データ.dat"}) << "no temporary file is left";
}

TEST(FileSystem, TableFilesAndInstalledFilesInAJapaneseFolder) {
  JapaneseFolder folder;
  InstallFolder install(folder.path);
  static const unsigned char kTemplate[] = {'t', 'p', 'l'};
  ASSERT_TRUE(install.EnsureInstalled({{"schelt.dxs", kTemplate, sizeof kTemplate}}).ok);
  EXPECT_EQ(install.PathOf("SCHELT.DXS"), folder.path + "schelt.dxs");

  ElementTable table;
  table.RowCount = 1;
  table.X[1] = 12.5;
  table.Y[1] = -0.25;
  table.Code[1] = 8;
  ASSERT_TRUE(SaveTable(table, install.PathOf(kContourFile)));
  ElementTable again;
  ASSERT_EQ(LoadTable(again, install.PathOf("con2ta.DAT")), LoadStatus::kOk);
  EXPECT_EQ(again.RowCount, 1);
  EXPECT_EQ(static_cast<double>(again.X[1]), 12.5);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(install.PathOf(kContourFile), bytes));
  EXPECT_EQ(bytes, "1\r\n12.5,-0.25,8,,\r\n,,,,\r\n");
}

TEST(FileSystem, AFailedWriteKeepsTheOldFile) {
  JapaneseFolder folder;
  const std::string file = folder.path + "NC1.dat";
  ASSERT_TRUE(WriteFileAtomically(file, "old"));
  EXPECT_FALSE(WriteFileAtomically(folder.path + "無い/NC1.dat", "new")) << "a missing folder";
  EXPECT_FALSE(WriteFileAtomically(folder.path, "new")) << "a folder is no file";
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(file, bytes));
  EXPECT_EQ(bytes, "old");
}

#ifdef _WIN32
// A program that holds the file open (without sharing deletion) keeps it from
// being replaced; once it lets go, the replace goes through.
TEST(FileSystem, ReplaceWaitsForAReaderThatLetsGo) {
  JapaneseFolder folder;
  const std::string file = folder.path + "NC1.dat";
  ASSERT_TRUE(WriteFileAtomically(file, "old"));
  const HANDLE held = ::CreateFileW(PathFromUtf8(file).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread reader([held] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ::CloseHandle(held);
  });
  const bool replaced = WriteFileAtomically(file, "new");
  reader.join();
  EXPECT_TRUE(replaced);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(file, bytes));
  EXPECT_EQ(bytes, "new");
}

TEST(FileSystem, AFileHeldOpenForGoodIsNotReplacedAndKeepsItsContents) {
  JapaneseFolder folder;
  const std::string file = folder.path + "NC1.dat";
  ASSERT_TRUE(WriteFileAtomically(file, "old"));
  const HANDLE held = ::CreateFileW(PathFromUtf8(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteFileAtomically(file, "new"));
  ::CloseHandle(held);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(file, bytes));
  EXPECT_EQ(bytes, "old");
  EXPECT_EQ(Names(folder.path), std::vector<std::string>{"NC1.dat"});
}
#endif

}  // namespace
}  // namespace vx
