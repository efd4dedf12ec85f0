#pragma once
// The member code sent to the service instead of the password: the MD5 digest
// of the password's bytes as typed, in upper-case hexadecimal. The digest
// comes from the platform's crypto library.

#include <string>

// 32 upper-case hex digits; the password is hashed exactly as given.
std::string MemberCodeOf(const std::string& password);

// The hex text of a 16-byte digest, first byte first.
std::string MemberCodeText(const unsigned char (&digest)[16]);
