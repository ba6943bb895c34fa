#pragma once

// A full disk on demand: while a DiskFull is alive, no file of this process can grow past
// `bytes` bytes. Writes beyond fail as the system fails them on a full disk (a short write,
// then an error), so the code under test meets the real failure, not a simulation of it.
#include <csignal>
#include <sys/resource.h>

namespace tavolex::test {

class DiskFull {
public:
    explicit DiskFull(rlim_t bytes = 0) {
        // Without this the kernel would end the process instead of failing the write.
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~DiskFull() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;

    bool active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

} // namespace tavolex::test
