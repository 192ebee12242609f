// What the desktop program owns and hands to every screen.
#pragma once

#include <string>

#include "machining/piece_layout.h"
#include "shell/contour_notice.h"
#include "shell/element_table.h"
#include "shell/install_folder.h"

namespace vx {

class ScreenManager;
class MessageBox;
class FileDialog;

struct AppContext {
  ElementTable& table;       // the one element table of the run
  PieceLayout& layout;       // the multi-piece rows
  const InstallFolder& folder;
  ScreenManager& screens;
  MessageBox& messageBox;    // modal box with an OK button
  FileDialog& fileDialog;    // common open and save dialogs
  // The wire offset as typed, one setting for the contour view's offset box and
  // the NC output's offset box: what the view shows is what START cuts.
  std::string wireOffset = "0";
  // Set by CONV-2 and the imports when they stop without writing CON2TA.dat.
  ContourNotice contourNotice{};
};

}  // namespace vx
