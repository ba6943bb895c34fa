#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <memory>

namespace tavolex::files {

// SHA-256 through OpenSSL's libcrypto, which uses the processor's SHA instructions where
// there are any: several times faster than a portable implementation on archives of
// gigabytes. The digests are those of `sha256sum`.
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void add(QByteArrayView bytes);
    // The digest as 64 lower-case hexadecimal digits; the hash starts again afterwards.
    QByteArray hex();

private:
    struct Context;
    std::unique_ptr<Context> m_context;
};

// libcrypto (used here and by libarchive) keeps per-thread state, its error queue, until the
// thread ends. A pool's worker thread may still be alive when the library cleans up at exit,
// and its state is then lost. An operation that may run on such a thread holds one of these:
// the thread's state is given back when the operation ends (and made again if needed).
class CryptoThreadScope {
public:
    CryptoThreadScope() = default;
    ~CryptoThreadScope();
    CryptoThreadScope(const CryptoThreadScope&) = delete;
    CryptoThreadScope& operator=(const CryptoThreadScope&) = delete;
};

} // namespace tavolex::files
