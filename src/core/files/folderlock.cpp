#include "folderlock.h"

#include <QDir>

namespace tavolex::files {

using namespace Qt::Literals::StringLiterals;

FolderLock::FolderLock(const QString& folder)
    : m_path(QDir(folder).filePath(QString::fromUtf16(kFileName))),
      m_lock(std::make_unique<QLockFile>(m_path)) {
    // Age alone never frees the lock: a copy may stay open for days. A lock is stale only
    // when its process is gone from this computer.
    m_lock->setStaleLockTime(0);
}

FolderLock::~FolderLock() = default;

bool FolderLock::tryLock() {
    m_holder.clear();
    m_error.clear();
    m_heldByAnother = false;
    if (m_lock->tryLock(0)) return true;
    switch (m_lock->error()) {
    case QLockFile::LockFailedError: {
        qint64 pid = 0;
        QString host;
        QString application;
        m_heldByAnother = true;
        if (m_lock->getLockInfo(&pid, &host, &application)) m_holder = host;
        m_error = u"held by process %1 on %2"_s.arg(pid).arg(host);
        return false;
    }
    case QLockFile::PermissionError:
        m_error = u"no permission to create "_s + m_path;
        return false;
    default:
        m_error = u"cannot create "_s + m_path;
        return false;
    }
}

bool FolderLock::isLocked() const {
    return m_lock->isLocked();
}

void FolderLock::unlock() {
    m_lock->unlock();
}

} // namespace tavolex::files
