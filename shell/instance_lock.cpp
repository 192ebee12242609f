// One program per install folder: a lock file in the folder for the whole run.
#include "shell/instance_lock.h"

#include <QCoreApplication>

namespace vx {

InstanceLock::InstanceLock(const std::string& folder)
    : m_path(QString::fromStdString(folder) + QStringLiteral("vexline.lock")),
      m_lock(std::make_unique<QLockFile>(m_path)) {
  // Never stale by age: a program may run for days. A holder that has ended
  // is still detected by its process number.
  m_lock->setStaleLockTime(0);
}

InstanceLock::Result InstanceLock::TryLock() {
  if (m_lock->tryLock(0)) return Result::kLocked;
  return m_lock->error() == QLockFile::LockFailedError ? Result::kHeldByAnother : Result::kNotPossible;
}

qint64 InstanceLock::HolderProcess() const {
  qint64 process = 0;
  QString host, application;
  return m_lock->getLockInfo(&process, &host, &application) ? process : 0;
}

QString AlreadyRunningText(const QString& folder, qint64 process) {
  return QCoreApplication::translate("vx::InstanceLock",
                                     "Vexline はこのインストールフォルダで既に動いています（プロセス %1）：%2\n"
                                     "同じフォルダで二つ動かすと、互いのファイルを上書きします。動いている方をお使いください。")
      .arg(process)
      .arg(folder);
}

}  // namespace vx
