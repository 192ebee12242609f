// The command table of vexline-cli and what a command is handed.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "machining/piece_layout.h"
#include "platform/message_box.h"
#include "platform/progress_lines.h"
#include "shell/element_table.h"
#include "shell/install_folder.h"

namespace vx::cli {

// What every command works with: the same shared state the desktop program
// owns, with console back ends for messages (standard error) and progress
// lines (standard output).
struct Context {
  ElementTable& table;
  PieceLayout& layout;
  const InstallFolder& folder;
  MessageBox& messageBox;
  ProgressLines& progress;
  std::ostream& out;
  std::ostream& err;
};

struct OptionSpec {
  std::string name;  // without the leading "--"
  std::string valueName;  // "T", "PATH", ...; empty for a switch without value
  std::string help;
  bool repeatable = false;
  bool required = false;  // the command cannot run without it
};

class Args {
 public:
  std::vector<std::string> positional;
  std::map<std::string, std::vector<std::string>> options;

  bool Has(const std::string& name) const { return options.count(name) != 0; }
  // The last value given for the option, or fallback when it was not given.
  std::string Value(const std::string& name, const std::string& fallback) const;
  const std::vector<std::string>& Values(const std::string& name) const;
};

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // unusable input: one line on standard error, nothing written
constexpr int kExitUsage = 2;    // wrong usage: a usage line on standard error

struct CommandSpec {
  std::string name;
  std::string arguments;  // positional part of the usage line: "VALUE", "FILE", ...
  std::string summary;    // one line for the command list
  std::string description;  // the longer help text
  int minPositional = 0;
  int maxPositional = 0;
  std::vector<OptionSpec> options;
  std::function<int(const Args&, Context&)> run;
};

class CommandTable {
 public:
  void Add(CommandSpec command) { m_commands.push_back(std::move(command)); }
  const CommandSpec* Find(const std::string& name) const;
  const std::vector<CommandSpec>& All() const { return m_commands; }

 private:
  std::vector<CommandSpec> m_commands;
};

// Parses the words after the command name. A word that begins with "--" and
// names an option of the command is that option; its value is the next word
// even when that begins with "-" ("--offset -0.1"), or follows "=". Any other
// word is positional ("offset -0.1"). Returns an error text on wrong usage.
std::optional<std::string> ParseArgs(const CommandSpec& command, const std::vector<std::string>& words, Args& args);

std::string UsageLine(const CommandSpec& command);
std::string CommandHelp(const CommandSpec& command);

// Fills layout rows 0, 1, 2, ... from "--piece SX,SY,ANGLE,MIRROR" values (each
// of the four texts may be empty); the rows after them are left empty. Returns
// an error text when a value does not have four fields or there are more than
// ten.
std::optional<std::string> ApplyPieceOptions(const std::vector<std::string>& values, PieceLayout& layout);

// Registration of each subsystem's commands.
void RegisterEntryCommands(CommandTable& table);
void RegisterContourCommands(CommandTable& table);
void RegisterMachiningCommands(CommandTable& table);
void RegisterDisplayCommands(CommandTable& table);
void RegisterCalculatorCommands(CommandTable& table);
void RegisterExchangeCommands(CommandTable& table);

// Runs vexline-cli with the given words (without the program name).
int RunCli(const std::vector<std::string>& words, Context& context);

}  // namespace vx::cli
