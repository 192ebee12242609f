// The install folder that holds every working file.
#pragma once

#include <string>
#include <vector>

#include "shell/embedded_files.h"

namespace vx {

// Canonical spellings of the working files.
inline constexpr const char* kEntryWorkbook = "DATAIN.xls";
inline constexpr const char* kElementFile = "CONDTA.dat";
inline constexpr const char* kContourFile = "CON2TA.dat";
inline constexpr const char* kDxfTemplate = "schelt.dxs";
// The entry workbook saved in the newer formats; one of them in the folder
// stands for the entry workbook, so the sample DATAIN.xls is not added beside it.
inline constexpr const char* kEntryWorkbookOtherFormats[] = {"DATAIN.xlsx", "DATAIN.ods"};

class InstallFolder {
 public:
  // The folder from VEXLINE_HOME when set (with or without a trailing
  // separator), else %ProgramFiles%\Vexline\ on Windows and ~/Vexline/ elsewhere.
  static InstallFolder FromEnvironment();
  explicit InstallFolder(std::string folder);

  // The folder text, always ending in a separator.
  const std::string& Folder() const { return m_folder; }

  // Path of a working file, matched without regard to case: an existing
  // "condta.dat" answers for "CONDTA.dat"; when none exists, the given spelling.
  std::string PathOf(const std::string& name) const;

  // Creates the folder when missing and adds every file of the fresh
  // installation that is not there yet (never overwriting one, matched without
  // regard to case). The sample entry workbook is not added where the operator
  // keeps the entry workbook as .xlsx or .ods: being newer, it would be read
  // in place of theirs. Returns the relative paths it added; false in ok when the
  // folder could not be created or a file not written.
  struct InstallResult {
    bool ok = true;
    std::vector<std::string> added;
  };
  InstallResult EnsureInstalled(const std::vector<EmbeddedFile>& files) const;

 private:
  std::string m_folder;
};

}  // namespace vx
