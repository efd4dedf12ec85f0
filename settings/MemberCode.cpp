#include "settings/MemberCode.h"

std::string MemberCodeText(const unsigned char (&digest)[16])
{
    constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(32);
    for (unsigned char byte : digest) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}
