// The language table: every text the user sees, built in or replaced by a
// language file (an INI file of numbered texts, one section per form or frame
// plus "Interface" for the interface strings, box titles and messages).
//
// While the built-in texts are in use, every question is answered with the
// built-in text, even when a file has been loaded; forms keep their texts.
#pragma once

#include "DisplayText.h"
#include "TextSource.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One text of a language file. Text is never empty.
struct TStrItem {
    std::string Section;  // exactly as the file spells it
    int32_t Id;
    std::string Text;
};

class TLanguage : public ITextSource {
public:
    void Clear();
    void AddItem(const std::string &section, const std::string &text, int32_t id);

    // Switches between the built-in texts (true) and the loaded ones.
    void SetBuiltIn(bool value);
    bool BuiltIn() const override { return FBuiltIn; }

    // Replaces the texts by those of the file: every key that is an integer
    // and has a non-empty value, in file order. A missing file, or a call
    // while the built-in texts are in use, changes nothing. The file is read
    // in the program's code page, or as UTF-8 after a byte-order mark.
    void LoadFromFile(const std::string &fileName);

    // The text of the last item read with exactly this section and id;
    // nothing while the built-in texts are in use.
    std::optional<std::string> FindText(const std::string &section, int32_t id) const override;
    // FindText, or def.
    std::string GetText(const std::string &section, const std::string &def, int32_t id) const;

    // The interface string of the code; empty for a code that has none.
    std::string GetInterfaceString(int code) const;

    // Shows the numbered message with its buttons, icon and title through the
    // message-box service and returns the button pressed (idYes, idNo,
    // idCancel, idOK). A code without a message shows nothing and gives
    // idCancel. A subject (the name of what is asked about) follows the
    // message on a line of its own.
    int ShowMessageBox(int code, const TDisplayText &subject = {}) const;

    const std::vector<TStrItem> &Items() const { return FItems; }

private:
    std::vector<TStrItem> FItems;
    bool FBuiltIn = true;
};

// The process-wide language table. It answers with the built-in texts from
// the start; the main window replaces it with the chosen language.
extern std::unique_ptr<TLanguage> Lang;
