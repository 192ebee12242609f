// The IGES reader on inline 80-column texts: font table, joined records, YX order, limits.
#include "exchange/iges_reader.h"

#include <gtest/gtest.h>

#include "exchange/exchange_messages.h"
#include "exchange_test_support.h"

namespace vx {
namespace {

using test::EntityText;

// One 80-column record.
std::string Rec(const std::string& data, char section, int sequence, int pointer = -1) {
  std::string text = data;
  text.resize(pointer >= 0 ? 64 : 72, ' ');
  if (pointer >= 0) {
    std::string p = std::to_string(pointer);
    text += std::string(8 - p.size(), ' ') + p;
  }
  std::string s = std::to_string(sequence);
  return text + section + std::string(7 - s.size(), '0') + s + "\r\n";
}

// A directory entry (two lines) of the given type and font pattern at sequence seq.
std::string Dir(const char* type, int font, int paramLine, int seq) {
  auto f8 = [](const std::string& v) { return std::string(8 - v.size(), ' ') + v; };
  return Rec(f8(type) + f8(std::to_string(paramLine)) + f8("0") + f8(std::to_string(font)) + f8("0") + f8("0") +
                 f8("0") + f8("0") + "00000000",
             'D', seq) +
         Rec(f8(type) + f8("0") + f8("0") + f8("1") + f8("0"), 'D', seq + 1);
}

std::string File(const std::string& directory, const std::string& parameters) {
  return Rec("test", 'S', 1) + Rec("1H,,1H;;", 'G', 1) + directory + parameters + Rec("S0000001G0000001", 'T', 1);
}

EntityList Read(const std::string& text, bool yx = false) {
  EntityList list;
  const ExchangeResult result = ReadIgesText(text, yx, list);
  EXPECT_TRUE(result.ok) << result.message;
  return list;
}

TEST(IgesReaderTest, SolidLineIsReadDashedLineIsNot) {
  const std::string p = Rec("110,1.5,2.,0.,-3,4.25,0.;", 'P', 1, 1);
  EntityList solid = Read(File(Dir("110", 1, 1, 1), p));
  ASSERT_EQ(solid.count, 1);
  EXPECT_EQ(EntityText(solid.entity[1]), EntityText(test::Line(1.5, 2, -3, 4.25)));
  EXPECT_EQ(Read(File(Dir("110", 2, 1, 1), p)).count, 0);
}

TEST(IgesReaderTest, RecordOverTwoParameterLines) {
  const std::string p = Rec("110,10.,20.,", 'P', 1, 1) + Rec(",0.,30.,40.,0.;", 'P', 2, 1);
  // The second line's text follows the first without its trailing blanks:
  // "110,10.,20.,,0.,..." makes an empty field 3.
  const EntityList list = Read(File(Dir("110", 1, 1, 1), p));
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(list.entity[1].X1, 10);
  EXPECT_EQ(list.entity[1].Y1, 20);
  EXPECT_EQ(list.entity[1].X2, 0);
  EXPECT_EQ(list.entity[1].Y2, 30);
}

TEST(IgesReaderTest, ArcInXyAndYxOrder) {
  const std::string text = File(Dir("100", 1, 1, 1), Rec("100,0.,0.,0.,5.,0.,0.,5.;", 'P', 1, 1));
  EntityList xy = Read(text);
  ASSERT_EQ(xy.count, 1);
  EXPECT_EQ(EntityText(xy.entity[1]), EntityText(test::Arc(5, 0, 0, 5, 0, 0, 5)));
  EntityList yx = Read(text, true);
  ASSERT_EQ(yx.count, 1);
  EXPECT_EQ(EntityText(yx.entity[1]), EntityText(test::Arc(0, -5, 5, 0, 0, 0, 5)));
}

TEST(IgesReaderTest, LinesAreNeverTurnedByTheYxOrder) {
  const EntityList list = Read(File(Dir("110", 1, 1, 1), Rec("110,1.,2.,0.,3.,4.,0.;", 'P', 1, 1)), true);
  EXPECT_EQ(EntityText(list.entity[1]), EntityText(test::Line(1, 2, 3, 4)));
}

TEST(IgesReaderTest, NothingAfterTheTerminateLineIsRead) {
  std::string text = File(Dir("110", 1, 1, 1), Rec("110,1.,2.,0.,3.,4.,0.;", 'P', 1, 1));
  text += Rec("110,5.,6.,0.,7.,8.,0.;", 'P', 2, 1);
  EXPECT_EQ(Read(text).count, 1);
}

TEST(IgesReaderTest, OtherEntityTypesAndMatricesAreSkipped) {
  const std::string text = File(Dir("124", 1, 1, 1) + Dir("110", 1, 2, 3),
                                Rec("124,1.,0.,0.,100.,0.,1.,0.,0.,0.,0.,1.,0.;", 'P', 1, 1) +
                                    Rec("110,1.,2.,0.,3.,4.,0.;", 'P', 2, 3));
  const EntityList list = Read(text);
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(list.entity[1].X1, 1);
}

TEST(IgesReaderTest, LimitsStopTheImport) {
  EntityList list;
  ExchangeResult result = ReadIgesText(File(Dir("110", 1, 1, 5001), ""), false, list);
  EXPECT_EQ(result.message, exchange_text::kIgesSequenceLimit);
  result = ReadIgesText(File(Dir("110", 1, 1, 1), Rec("110,1,2,3,4,5,6,7,8,9,10,11;", 'P', 1, 1)), false, list);
  EXPECT_EQ(result.message, exchange_text::kIgesFieldLimit);
  std::string many;
  for (int i = 1; i <= 1001; ++i) many += Rec("110,1.,2.,0.,3.,4.,0.;", 'P', i, 1);
  result = ReadIgesText(File(Dir("110", 1, 1, 1), many), false, list);
  EXPECT_EQ(result.message, exchange_text::kTooManyEntities);
  EXPECT_TRUE(ReadIgesText(File(Dir("110", 1, 1, 1), Rec("110,1,2,3,4,5,6,7,8,9,10;", 'P', 1, 1)), false, list).ok);
}

}  // namespace
}  // namespace vx
