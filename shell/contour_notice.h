// What the screens know of the contour file beyond its rows: whether it is the
// contour the operator last asked for.
#pragma once

#include <string>

namespace vx {

// Set when a run that was to write a new CON2TA.dat (CONV-2, an import) stopped
// without writing it: the file then still holds an older contour, or none. The
// notice holds while the file stays as it was at that moment; any later write
// of the file (a completed run, the contour table, another program) ends it.
class ContourNotice {
 public:
  // Records why the file is not the one asked for (a text for the operator)
  // and the file's present state (size and time, or its absence).
  void Set(const std::string& reason, const std::string& contourPath);
  void Clear();
  // The reason while the file at contourPath is unchanged since Set; empty when
  // no notice is set or the file has changed.
  std::string Current(const std::string& contourPath) const;

  // The state of a file as the notice compares it: "-" when it does not exist,
  // otherwise its size and modification time.
  static std::string FileStamp(const std::string& path);

 private:
  std::string m_reason;
  std::string m_path;
  std::string m_stamp;
};

}  // namespace vx
