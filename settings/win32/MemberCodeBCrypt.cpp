// MD5 through the Windows CNG primitives (BCrypt).

#include "settings/MemberCode.h"

#include <windows.h>
#include <bcrypt.h>

namespace {

bool Md5(const std::string& bytes, unsigned char (&digest)[16])
{
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_MD5_ALGORITHM, nullptr, 0))) {
        return false;
    }
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool done = BCRYPT_SUCCESS(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0));
    if (done) {
        // BCrypt takes a non-const buffer but only reads it.
        auto* data = reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data()));
        done = BCRYPT_SUCCESS(BCryptHashData(hash, data, static_cast<ULONG>(bytes.size()), 0))
            && BCRYPT_SUCCESS(BCryptFinishHash(hash, digest, sizeof digest, 0));
        BCryptDestroyHash(hash);
    }
    BCryptCloseAlgorithmProvider(algorithm, 0);
    return done;
}

} // namespace

std::string MemberCodeOf(const std::string& password)
{
    unsigned char digest[16] = {};
    if (!Md5(password, digest)) {
        return {};
    }
    return MemberCodeText(digest);
}
