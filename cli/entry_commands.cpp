// The vexline-cli commands of the entry stages.
#include <ostream>

#include "cli/command.h"
#include "entry/conversion1.h"
#include "platform/workbook_reader.h"

namespace vx::cli {

namespace {

int RunConvert1(const Args&, Context& context) {
  const WorkbookReader reader;
  const Conversion1Result result = RunConv1(context.table, context.folder, reader);
  if (result.ok) context.err << WorkbookReadText(result.workbook) << "\n";
  if (!result.ok) {
    context.err << "vexline-cli convert1: " << result.message << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void RegisterEntryCommands(CommandTable& table) {
  CommandSpec convert1;
  convert1.name = "convert1";
  convert1.summary = "conversion 1: DATAIN.xls (.xlsx, .ods) -> CONDTA.dat";
  convert1.description =
      "Reads the first worksheet of the entry workbook in the install folder: the\n"
      "newest of DATAIN.xls, DATAIN.xlsx and DATAIN.ods (the format is taken from\n"
      "the content; which file was read is said on standard error). Sheet row 1\n"
      "holds the headings, sheet row 2 is skipped, elements from sheet row 3 in\n"
      "columns B..I; the element list is stored as CONDTA.dat. Formula cells give\n"
      "the result the spreadsheet stored with them. A missing, unreadable or\n"
      "password-protected workbook, a formula cell without a stored result (an\n"
      "error such as #DIV/0!), or more than 1999 element rows ends with a message\n"
      "and exit status 1; CONDTA.dat is then left as it was.\n"
      "\n"
      "Columns: B X, C Y, D code, E angle [ A ], F shift [ B ], G corner R [ C ],\n"
      "H signed radius [ R ], I way in/out [ S ]. Codes in column D (numbers):\n"
      "  8 point, 1 line leaving, 2 line entering, 3 parallel line, 5 (C) corner,\n"
      "  0 circle, 88 separator, 99 end, 100 circle with straight approach lines.\n"
      "Any other code cell (empty, text, another number) is skipped; the fifth\n"
      "such row ends the list as 99 does.";
  convert1.run = RunConvert1;
  table.Add(std::move(convert1));
}

}  // namespace vx::cli
