// What the desktop program owns and hands to every screen.
#pragma once

#include "machining/piece_layout.h"
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
};

}  // namespace vx
