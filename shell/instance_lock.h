// One program per install folder: a lock file in the folder for the whole run.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>
#include <string>

namespace vx {

// The lock file "vexline.lock" of an install folder. It holds the process
// number of its holder; a lock whose holder no longer runs (a crash, a power
// cut) is taken over, however old it is.
class InstanceLock {
 public:
  explicit InstanceLock(const std::string& folder);

  enum class Result {
    kLocked,         // this program holds the folder now
    kHeldByAnother,  // another running program holds it
    kNotPossible,    // no lock file can be made there (the folder is not writable)
  };
  Result TryLock();

  // The process number of the program holding the lock (0 when unknown).
  qint64 HolderProcess() const;
  QString FilePath() const { return m_path; }

 private:
  QString m_path;
  std::unique_ptr<QLockFile> m_lock;
};

// Shown when a second program is started on the same install folder.
QString AlreadyRunningText(const QString& folder, qint64 process);

}  // namespace vx
