// Where translated texts come from: the language table answers these two
// questions, and the form translation needs nothing else from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class ITextSource {
public:
    virtual ~ITextSource() = default;
    // True while the built-in texts are in use: forms keep their own texts.
    virtual bool BuiltIn() const = 0;
    // The 8-bit text given for (section, id), if any.
    virtual std::optional<std::string> FindText(const std::string &section, int32_t id) const = 0;
};
