#include "LangSupU.h"

#include "FileSystem.h"
#include "IniFile.h"
#include "LangTexts.h"

std::unique_ptr<TLanguage> Lang = std::make_unique<TLanguage>();

void TLanguage::Clear()
{
    FItems.clear();
}

void TLanguage::AddItem(const std::string &section, const std::string &text, int32_t id)
{
    FItems.push_back({section, id, text});
}

void TLanguage::SetBuiltIn(bool value)
{
    FBuiltIn = value;
}

void TLanguage::LoadFromFile(const std::string &fileName)
{
    if (FBuiltIn || !IsFileAt(fileName))
        return;
    Clear();
    // Keys that are no numbers ("Language" of the "Common" section) and
    // empty values carry no text.
    for (const TIniEntry &entry : TIniFile(fileName).Entries()) {
        int32_t id = 0;
        if (ParseIniInteger(entry.Key, id) && !entry.Value.empty())
            AddItem(entry.Section, entry.Value, id);
    }
}

std::optional<std::string> TLanguage::FindText(const std::string &section, int32_t id) const
{
    std::optional<std::string> text;
    if (FBuiltIn)
        return text;
    for (const TStrItem &item : FItems)
        if (item.Id == id && item.Section == section)
            text = item.Text;
    return text;
}

std::string TLanguage::GetText(const std::string &section, const std::string &def, int32_t id) const
{
    return FindText(section, id).value_or(def);
}

std::string TLanguage::GetInterfaceString(int code) const
{
    const TInterfaceText *text = FindInterfaceText(code);
    return text ? GetText(text->Section, text->Text, text->Key) : std::string();
}

int TLanguage::ShowMessageBox(int code, const TDisplayText &subject) const
{
    const TMessageText *message = FindMessageText(code);
    if (!message)
        return idCancel;
    const std::string title = GetText(InterfaceSection, message->Title, message->TitleKey);
    TDisplayText text = GetText(InterfaceSection, message->Text, message->Key);
    if (!subject.Empty())
        text += "\n" + subject;
    return MessageBoxes().Show(text, title, message->Buttons, message->Icon);
}
