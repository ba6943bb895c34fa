#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace tavolex::files {

// One running copy per program folder: a lock file ("tavolex.lock") in the folder names
// the computer and the process that hold it. A lock left by a copy that ended without
// releasing it (a crash, a kill) is taken over when that process no longer runs on this
// computer; a lock held from another computer (a shared network folder) is never taken
// over by age, as its process cannot be checked from here.
class FolderLock {
public:
    static constexpr auto kFileName = u"tavolex.lock";

    explicit FolderLock(const QString& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock without waiting. False when another copy holds it (holder() then
    // names its computer) or the lock file cannot be made (errorString()).
    bool tryLock();
    bool isLocked() const;
    void unlock();

    // The computer of the copy that holds the folder; empty when unknown.
    QString holder() const { return m_holder; }
    bool heldByAnother() const { return m_heldByAnother; }
    QString errorString() const { return m_error; }
    const QString& path() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QString m_holder;
    QString m_error;
    bool m_heldByAnother = false;
};

} // namespace tavolex::files
