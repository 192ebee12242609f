// START of the NC output screen: settings, output channels, one or two programs.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "machining/nc_program.h"
#include "machining/piece_layout.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/printer.h"
#include "platform/progress_lines.h"
#include "shell/element_table.h"
#include "shell/install_folder.h"

namespace vx {

// The preset name of the save dialog (in the install folder) and its filter.
inline constexpr const char* kNcFileName = "NC.dat";
inline constexpr const char* kNcFileFilter = "すべてのファイル(*.*) |*.*";
// A program with a coordinate that is not a number (an overflowed shift, turn
// or offset) is neither stored nor printed.
inline constexpr const char* kNcNotFiniteMessage = "計算できない座標があるため NC プログラムを出力しません";

// The output file of a program: the program number (its decimal text without
// the sign position, at most 10 characters) goes before the first "." of the
// chosen file name, so "c:\...\NC.dat" with 1 gives "c:\...\NC1.dat" and
// "D:\JOB\PART.NC" with 12 gives "D:\JOB\PART12.NC". Dots in folder names are
// not looked at; a name without "." gets the number at its end.
std::string NumberedFileName(const std::string& chosenPath, double programNumber);

// A printer opened for one program, and how messages name it.
struct NcPrinter {
  std::unique_ptr<Printer> printer;  // nullptr: the operator cancelled
  std::string name;
};

struct NcOutputServices {
  ElementTable& table;
  const PieceLayout& layout;
  const InstallFolder& folder;
  MessageBox& messageBox;
  ProgressLines& screen;  // the screen's own surface
  FileDialog& fileDialog;
  // Called for each program of targets 2 and 3 (index 0 the first program,
  // 1 the reverse program, with its program number).
  std::function<NcPrinter(int index, double programNumber)> openPrinter;
};

enum class NcStartOutcome {
  kDone,       // every program written; the screen closes
  kCancelled,  // the operator cancelled the printer choice; nothing written
  kFailed,     // a message was shown; no file of the failed program was written
};

// A listing that reached the printer: its program number and how the
// printer is named (NcPrinter::name).
struct NcListing {
  double programNumber = 0;
  std::string printer;
};

struct NcStartResult {
  NcStartOutcome outcome = NcStartOutcome::kDone;
  std::vector<std::string> filesWritten;
  std::vector<NcListing> listingsPrinted;
  int blocks = 0;  // the last block number written
};

// START: reads the settings, asks for the output file (targets 1 and 3: the
// save dialog preset to the install folder + "NC.dat"; a cancelled dialog
// keeps the preset), generates the program and closes its channels; with
// Text7 rounding to 1 the reverse-direction program follows into the next
// program number, block numbers continuing. Every file is written whole or
// not at all. A contour file that cannot be read stops before anything is
// asked or written.
NcStartResult RunNcStart(const NcSettings& settings, NcOutputServices& services);

}  // namespace vx
