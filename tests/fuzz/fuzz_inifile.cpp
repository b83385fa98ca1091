// Any bytes as a language file or a settings file: read, looked up and
// edited without a crash, an overrun or an empty text.
#include "IniFile.h"
#include "LangSupU.h"
#include "SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

const std::string &InputPath()
{
    static QTemporaryDir dir;
    static const std::string path = (dir.path() + "/input.ini").toStdString();
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
    WriteInput(data, size);

    TIniFile ini(InputPath());
    for (const TIniEntry &entry : ini.Entries()) {
        int32_t id = 0;
        ParseIniInteger(entry.Key, id);
        ini.ReadInteger(entry.Section, entry.Key, 0);
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
