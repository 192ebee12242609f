// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>

namespace vx::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder path, ending in a separator.
  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + name; }

  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;

 private:
  std::string m_path;
};

}  // namespace vx::test
