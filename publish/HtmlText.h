// Making user text and folder names safe inside generated pages. Text with no
// special character passes through unchanged, so ordinary pages stay exactly
// as the templates give them.
#pragma once

#include <string>

// A Windows-1251 text for an attribute value (quoted with ' or "): & < > " '
// become entities, line breaks become numeric references, and a byte the code
// page does not define becomes the numeric reference of the replacement
// character.
std::string HtmlAttribute(const std::string &ansiText);

// A relative folder path (file-system bytes) for a URL: every byte but
// letters, digits and - . _ ~ / ! $ ( ) * + , ; = @ is written as %XX. The
// result holds no character that needs escaping in an attribute or in a
// script's quoted string either.
std::string UrlPath(const std::string &pathBytes);
