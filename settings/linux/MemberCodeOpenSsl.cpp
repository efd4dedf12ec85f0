// MD5 through OpenSSL's EVP interface.

#include "settings/MemberCode.h"

#include <openssl/evp.h>

std::string MemberCodeOf(const std::string& password)
{
    unsigned char digest[16] = {};
    unsigned int length = 0;
    if (EVP_Digest(password.data(), password.size(), digest, &length, EVP_md5(), nullptr) != 1 || length != 16) {
        return {};
    }
    return MemberCodeText(digest);
}
