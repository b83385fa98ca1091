#include "HtmlText.h"

#include <cstdio>
#include <cstring>

namespace {

// The one byte that Windows-1251 leaves undefined.
constexpr unsigned char UndefinedAnsiByte = 0x98;

// Letters, digits and the punctuation a URL path may hold as it is, less
// what a quoted attribute or a quoted script string cannot (& and ') and the
// colon, which at the start of a relative path would name a URL scheme.
bool IsUrlSafe(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           (c != 0 && std::strchr("-._~/!$()*+,;=@", c) != nullptr);
}

}  // namespace

std::string HtmlAttribute(const std::string &ansiText)
{
    std::string result;
    result.reserve(ansiText.size());
    for (const char c : ansiText) {
        switch (static_cast<unsigned char>(c)) {
        case '&': result += "&amp;"; break;
        case '<': result += "&lt;"; break;
        case '>': result += "&gt;"; break;
        case '"': result += "&quot;"; break;
        case '\'': result += "&#39;"; break;
        case '\r': result += "&#13;"; break;
        case '\n': result += "&#10;"; break;
        case UndefinedAnsiByte: result += "&#65533;"; break;
        default: result += c;
        }
    }
    return result;
}

std::string UrlPath(const std::string &pathBytes)
{
    std::string result;
    for (const char c : pathBytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUrlSafe(byte)) {
            result += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            result += escaped;
        }
    }
    return result;
}
