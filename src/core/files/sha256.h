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

} // namespace tavolex::files
