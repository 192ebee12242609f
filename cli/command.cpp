// The command table of vexline-cli: parsing, help and dispatch.
#include "cli/command.h"

#include <algorithm>
#include <ostream>
#include <sstream>

#include "machining/field_checks.h"

namespace vx::cli {

std::string Args::Value(const std::string& name, const std::string& fallback) const {
  auto it = options.find(name);
  return it == options.end() || it->second.empty() ? fallback : it->second.back();
}

const std::vector<std::string>& Args::Values(const std::string& name) const {
  static const std::vector<std::string> kNone;
  auto it = options.find(name);
  return it == options.end() ? kNone : it->second;
}

const CommandSpec* CommandTable::Find(const std::string& name) const {
  for (const CommandSpec& command : m_commands) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

std::optional<std::string> ParseArgs(const CommandSpec& command, const std::vector<std::string>& words, Args& args) {
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    const OptionSpec* option = nullptr;
    std::string inlineValue;
    bool hasInline = false;
    if (word.rfind("--", 0) == 0 && word.size() > 2) {
      std::string name = word.substr(2);
      const size_t eq = name.find('=');
      if (eq != std::string::npos) {
        inlineValue = name.substr(eq + 1);
        name = name.substr(0, eq);
        hasInline = true;
      }
      for (const OptionSpec& candidate : command.options) {
        if (candidate.name == name) option = &candidate;
      }
      if (option == nullptr) return "unknown option --" + name;
    }
    if (option == nullptr) {
      args.positional.push_back(word);
      continue;
    }
    std::string value;
    if (option->valueName.empty()) {
      if (hasInline) return "option --" + option->name + " takes no value";
    } else if (hasInline) {
      value = inlineValue;
    } else if (i + 1 < words.size()) {
      value = words[++i];
    } else {
      return "option --" + option->name + " needs a value " + option->valueName;
    }
    auto& values = args.options[option->name];
    if (!values.empty() && !option->repeatable) return "option --" + option->name + " given twice";
    values.push_back(value);
  }
  for (const OptionSpec& option : command.options) {
    if (option.required && !args.Has(option.name)) {
      return "--" + option.name + (option.valueName.empty() ? "" : " " + option.valueName) + " is required";
    }
  }
  const int count = static_cast<int>(args.positional.size());
  if (count < command.minPositional || count > command.maxPositional) {
    return command.arguments.empty() ? "no arguments expected" : "expected " + command.arguments;
  }
  return std::nullopt;
}

std::string UsageLine(const CommandSpec& command) {
  std::string line = "usage: vexline-cli " + command.name;
  if (!command.arguments.empty()) line += " " + command.arguments;
  for (const OptionSpec& option : command.options) {
    const std::string word = "--" + option.name + (option.valueName.empty() ? "" : " " + option.valueName);
    line += option.required ? " " + word : " [" + word + "]";
    if (option.repeatable) line += "...";
  }
  return line;
}

std::string CommandHelp(const CommandSpec& command) {
  std::ostringstream text;
  text << UsageLine(command) << "\n\n" << command.summary << "\n";
  if (!command.description.empty()) text << "\n" << command.description << "\n";
  if (!command.options.empty()) {
    text << "\noptions:\n";
    auto left = [](const OptionSpec& option) {
      return "  --" + option.name + (option.valueName.empty() ? "" : " " + option.valueName);
    };
    size_t width = 24;
    for (const OptionSpec& option : command.options) width = std::max(width, left(option).size() + 1);
    for (const OptionSpec& option : command.options) {
      std::string column = left(option);
      column.resize(width, ' ');
      text << column << " " << option.help << (option.repeatable ? " (repeatable)" : "") << "\n";
    }
  }
  return text.str();
}

std::optional<std::string> ApplyPieceOptions(const std::vector<std::string>& values, PieceLayout& layout) {
  if (values.empty()) return std::nullopt;
  if (values.size() > PieceLayout::kPieces) return "at most 10 --piece rows";
  for (int k = 0; k < PieceLayout::kPieces; ++k) layout.Row(k) = PieceRow{};
  for (size_t k = 0; k < values.size(); ++k) {
    std::vector<std::string> fields;
    std::string field;
    for (char c : values[k]) {
      if (c == ',') {
        fields.push_back(field);
        field.clear();
      } else {
        field += c;
      }
    }
    fields.push_back(field);
    if (fields.size() != 4) return "--piece takes four texts SX,SY,ANGLE,MIRROR: " + values[k];
    layout.Row(static_cast<int>(k)) = PieceRow{fields[0], fields[1], fields[2], fields[3]};
  }
  // The texts the layout screen refuses are refused here too.
  const std::vector<PieceFieldIssue> issues = CheckPieceLayout(layout);
  if (!issues.empty()) {
    const PieceFieldIssue& issue = issues.front();
    const char* const names[] = {"SX", "SY", "ANGLE", "MIRROR"};
    const PieceRow& row = layout.Row(issue.piece);
    const std::string* texts[] = {&row.sftX, &row.sftY, &row.kAngle, &row.mirX};
    const int field = static_cast<int>(issue.field);
    return "--piece " + values[static_cast<size_t>(issue.piece)] + ": " + names[field] + " \"" + *texts[field] +
           (issue.problem == FieldProblem::kNotInList ? "\" is not 0, 1 or 2" : "\" is not a number");
  }
  return std::nullopt;
}

namespace {

std::string ProgramHelp(const CommandTable& table) {
  std::ostringstream text;
  text << "usage: vexline-cli COMMAND [ARGUMENTS] [OPTIONS]\n"
          "       vexline-cli COMMAND --help\n\n"
          "Runs the stages of Vexline without a window, on the working files of the\n"
          "install folder (VEXLINE_HOME, or ~/Vexline/ when it is not set).\n"
          "Messages the screens show in a box go to standard error; progress lines\n"
          "go to standard output.\n\ncommands:\n";
  for (const CommandSpec& command : table.All()) {
    std::string left = "  " + command.name;
    if (left.size() < 16) left.resize(16, ' ');
    text << left << " " << command.summary << "\n";
  }
  return text.str();
}

CommandTable BuildTable() {
  CommandTable table;
  RegisterEntryCommands(table);
  RegisterContourCommands(table);
  RegisterMachiningCommands(table);
  RegisterExchangeCommands(table);
  RegisterDisplayCommands(table);
  RegisterCalculatorCommands(table);
  return table;
}

}  // namespace

int RunCli(const std::vector<std::string>& words, Context& context) {
  const CommandTable table = BuildTable();
  if (words.empty()) {
    context.err << "usage: vexline-cli COMMAND [ARGUMENTS] [OPTIONS] (see vexline-cli --help)\n";
    return kExitUsage;
  }
  if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
    context.out << ProgramHelp(table);
    return kExitOk;
  }
  const CommandSpec* command = table.Find(words[0]);
  if (command == nullptr) {
    context.err << "vexline-cli: unknown command '" << words[0] << "' (see vexline-cli --help)\n";
    return kExitUsage;
  }
  const std::vector<std::string> rest(words.begin() + 1, words.end());
  for (const std::string& word : rest) {
    if (word == "--help") {
      context.out << CommandHelp(*command);
      return kExitOk;
    }
  }
  Args args;
  if (auto error = ParseArgs(*command, rest, args)) {
    context.err << "vexline-cli " << command->name << ": " << *error << "\n" << UsageLine(*command) << "\n";
    return kExitUsage;
  }
  return command->run(args, context);
}

}  // namespace vx::cli
