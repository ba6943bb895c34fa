#include "sha256.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

namespace tavolex::files {

struct Sha256::Context {
    Context() : ctx(EVP_MD_CTX_new()) { EVP_DigestInit_ex(ctx, EVP_sha256(), nullptr); }
    ~Context() { EVP_MD_CTX_free(ctx); }
    EVP_MD_CTX* ctx;
};

Sha256::Sha256() : m_context(std::make_unique<Context>()) {}

Sha256::~Sha256() = default;

void Sha256::add(QByteArrayView bytes) {
    EVP_DigestUpdate(m_context->ctx, bytes.data(), size_t(bytes.size()));
}

QByteArray Sha256::hex() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(m_context->ctx, digest, &length);
    EVP_DigestInit_ex(m_context->ctx, EVP_sha256(), nullptr);
    return QByteArray(reinterpret_cast<const char*>(digest), int(length)).toHex();
}

CryptoThreadScope::~CryptoThreadScope() {
    OPENSSL_thread_stop();
}

} // namespace tavolex::files
