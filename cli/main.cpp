// vexline-cli: the stages of Vexline without a window.
#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "shell/embedded_files.h"

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  vx::ElementTable table;
  vx::PieceLayout layout;
  const vx::InstallFolder folder = vx::InstallFolder::FromEnvironment();
  const bool helpOnly = words.empty() || words[0] == "--help" || words[0] == "-h";
  if (!helpOnly && !folder.EnsureInstalled(vx::VxEmbeddedFiles()).ok) {
    std::cerr << "vexline-cli: cannot create the install folder " << folder.Folder() << "\n";
    return vx::cli::kExitFailure;
  }
  vx::ConsoleMessageBox messageBox;
  vx::ConsoleProgressLines progress;
  vx::cli::Context context{table, layout, folder, messageBox, progress, std::cout, std::cerr};
  return vx::cli::RunCli(words, context);
}
