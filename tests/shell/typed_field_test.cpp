// Typed number fields: what a run takes, and whether the contour file is the
// one last asked for.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "shell/contour_notice.h"
#include "shell/typed_field.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

TEST(CheckNumberField, BlankOrOneNumber) {
  struct Case {
    const char* text;
    FieldProblem expected;
  };
  const Case cases[] = {
      {"", FieldProblem::kNone},         {"  ", FieldProblem::kNone},         {"0", FieldProblem::kNone},
      {"-0.4", FieldProblem::kNone},     {" 1 2.5 ", FieldProblem::kNone},    {"+.5", FieldProblem::kNone},
      {"2e3", FieldProblem::kNone},      {"1d2", FieldProblem::kNone},        {"abc", FieldProblem::kNotNumber},
      {"O.1", FieldProblem::kNotNumber}, {"12abc", FieldProblem::kNotNumber}, {"1.5.6", FieldProblem::kNotNumber},
      {"-", FieldProblem::kNotNumber},   {".", FieldProblem::kNotNumber},     {"1,5", FieldProblem::kNotNumber},
      {"1e999", FieldProblem::kNotNumber}, {"０", FieldProblem::kNotNumber},  // a full-width digit
  };
  for (const Case& c : cases) EXPECT_EQ(CheckNumberField(c.text), c.expected) << "'" << c.text << "'";
}

TEST(CheckCodeField, OnlyTheListedCodes) {
  struct Case {
    const char* text;
    FieldProblem expected;
  };
  const Case cases[] = {
      {"1", FieldProblem::kNone},      {" 3 ", FieldProblem::kNone},    {"2.0", FieldProblem::kNone},
      {"", FieldProblem::kNone},       {"0", FieldProblem::kNotInList}, {"9", FieldProblem::kNotInList},
      {"1.5", FieldProblem::kNotInList}, {"x", FieldProblem::kNotNumber}, {"1x", FieldProblem::kNotNumber},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckCodeField(c.text, {1, 2, 3}), c.expected) << "'" << c.text << "'";
}

TEST(ContourNotice, HoldsWhileTheFileIsUnchanged) {
  test::TempFolder folder;
  const std::string path = folder.File("CON2TA.dat");
  ContourNotice notice;
  EXPECT_EQ(notice.Current(path), "");

  // Stopped while no contour file exists: the notice holds until one is written.
  notice.Set("stopped", path);
  EXPECT_EQ(notice.Current(path), "stopped");
  EXPECT_EQ(notice.Current(folder.File("other.dat")), "");
  folder.Write("CON2TA.dat", "0\r\n,,99,,\r\n");
  EXPECT_EQ(notice.Current(path), "");

  // Stopped with an older file in place: any later write ends the notice,
  // even one of the same size.
  notice.Set("stopped again", path);
  EXPECT_EQ(notice.Current(path), "stopped again");
  std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(2));
  EXPECT_EQ(notice.Current(path), "");

  notice.Set("third", path);
  notice.Clear();
  EXPECT_EQ(notice.Current(path), "");
}

}  // namespace
}  // namespace vx
