// Any bytes as a language file or a settings file: read, looked up and
// edited without a crash, an overrun or an empty text.
#include "IniFile.h"
#include "LangSupU.h"
#include "MemoryFolder.h"
#include "SettingsFile.h"

#include <QFile>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// Only so many of the keys are looked up again: every look-up scans the
// whole file, and a quadratic target finds nothing more, only slower.
constexpr size_t KeysLookedUp = 16;
// The settings and the language each look up dozens of keys, every look-up a
// scan of the file: longer files take the same paths, only more slowly.
constexpr size_t MaxFuzzedBytes = 1024;

const std::string &InputPath()
{
    static const TMemoryFolder folder;
    static const std::string path = folder.Path("input.ini");
    return path;
}

void WriteInput(const uint8_t *data, size_t size)
{
    QFile file(QString::fromStdString(InputPath()));
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    WriteInput(data, std::min(size, MaxFuzzedBytes));

    TIniFile ini(InputPath());
    const std::vector<TIniEntry> entries = ini.Entries();
    for (size_t i = 0; i < entries.size() && i < KeysLookedUp; ++i) {
        int32_t id = 0;
        ParseIniInteger(entries[i].Key, id);
        ini.ReadInteger(entries[i].Section, entries[i].Key, 0);
    }
    ini.WriteString("Common", "LangFile", "x");
    ini.WriteInteger("Added", "Key", -1);

    TLanguage lang;
    lang.SetBuiltIn(false);
    lang.LoadFromFile(InputPath());
    for (const TStrItem &item : lang.Items())
        if (item.Text.empty())
            std::abort();
    for (int code = 0; code <= 65; ++code)
        lang.GetInterfaceString(code);

    const TParam param = LoadSettings(InputPath());
    if (param.BmpPixelFormat < 2 || param.BmpPixelFormat > 7 || param.BatchExp < 0 || param.BatchExp > 5 ||
        param.FonColor > 0xFFFFFF || param.JpgCompressionQuality > 100)
        std::abort();
    return 0;
}
