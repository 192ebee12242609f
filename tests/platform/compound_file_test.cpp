// The compound-file container: streams found by name, and damage of every
// kind refused (chains that loop, leave the file or end short).
#include <gtest/gtest.h>

#include "platform/compound_file.h"
#include "platform/workbook_bytes.h"

namespace vx {
namespace {

using test::CompoundBuilder;

std::string TwoStreams() {
  CompoundBuilder builder;
  builder.streams = {{"Book", std::string(700, 'b')}, {"Workbook", std::string(1500, 'w')}};
  return builder.Build();
}

TEST(CompoundFile, StreamsByNameInTheOrderAsked) {
  const std::string file = TwoStreams();
  const CompoundStream workbook = ReadCompoundStream(file, {"Workbook", "Book"});
  ASSERT_EQ(workbook.status, CompoundStatus::kOk);
  EXPECT_EQ(workbook.bytes, std::string(1500, 'w'));  // three sectors, cut to the recorded size
  const CompoundStream book = ReadCompoundStream(file, {"BOOK"});  // without regard to case
  ASSERT_EQ(book.status, CompoundStatus::kOk);
  EXPECT_EQ(book.bytes, std::string(700, 'b'));
  EXPECT_EQ(ReadCompoundStream(file, {"EncryptedPackage"}).status, CompoundStatus::kNoSuchStream);
}

struct DamageCase {
  const char* name;
  void (*damage)(std::string& file);
  CompoundStatus status;
};
void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class CompoundDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(CompoundDamage, IsRefused) {
  std::string file = TwoStreams();
  GetParam().damage(file);
  EXPECT_EQ(ReadCompoundStream(file, {"Workbook"}).status, GetParam().status);
}

// Sectors: 0 FAT, 1 directory, 2-3 "Book", 4-6 "Workbook".
INSTANTIATE_TEST_SUITE_P(
    Files, CompoundDamage,
    ::testing::Values(
        DamageCase{"NoSignature", [](std::string& f) { f[0] = 'X'; }, CompoundStatus::kNotCompound},
        DamageCase{"ShorterThanTheHeader", [](std::string& f) { f.resize(300); }, CompoundStatus::kDamaged},
        DamageCase{"ChainLoopsBack", [](std::string& f) { test::Patch32(f, CompoundBuilder::FatEntry(5), 4); },
                   CompoundStatus::kDamaged},
        DamageCase{"ChainPointsPastTheFile",
                   [](std::string& f) { test::Patch32(f, CompoundBuilder::FatEntry(4), 100000); },
                   CompoundStatus::kDamaged},
        DamageCase{"ChainEndsBeforeTheSize",
                   [](std::string& f) { test::Patch32(f, CompoundBuilder::FatEntry(5), test::kEndOfChain); },
                   CompoundStatus::kDamaged},
        DamageCase{"FileCutInsideTheStream", [](std::string& f) { f.resize(512 * 6); }, CompoundStatus::kDamaged},
        DamageCase{"DirectoryChainLoops", [](std::string& f) { test::Patch32(f, CompoundBuilder::FatEntry(1), 1); },
                   CompoundStatus::kDamaged},
        DamageCase{"FatSectorPastTheFile", [](std::string& f) { test::Patch32(f, 0x4C, 5000); },
                   CompoundStatus::kDamaged},
        DamageCase{"MoreFatSectorsThanTheFileHolds", [](std::string& f) { test::Patch32(f, 0x2C, 0x7FFFFFFF); },
                   CompoundStatus::kDamaged},
        DamageCase{"SectorSizeOutOfRange", [](std::string& f) { f[0x1E] = 30; }, CompoundStatus::kDamaged},
        DamageCase{"StreamSizeLargerThanTheFile",
                   [](std::string& f) { test::Patch32(f, 1024 + 2 * 128 + 120, 0x7FFFFFFF); },
                   CompoundStatus::kDamaged},
        DamageCase{"NoRootEntry", [](std::string& f) { f[1024 + 66] = 1; }, CompoundStatus::kDamaged}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CompoundFile, LastSectorCutShortReadsAsPadded) {
  CompoundBuilder builder;
  builder.streams = {{"Workbook", std::string(600, 'w')}};
  std::string file = builder.Build();
  file.resize(file.size() - 450);  // 62 bytes of the stream's second sector are left
  const CompoundStream stream = ReadCompoundStream(file, {"Workbook"});
  ASSERT_EQ(stream.status, CompoundStatus::kOk);
  EXPECT_EQ(stream.bytes, std::string(574, 'w') + std::string(26, '\0'));
}

}  // namespace
}  // namespace vx
