#include "SettingsFile.h"

#include "Exceptions.h"
#include "IniFile.h"

namespace {

constexpr char Common[] = "Common";
constexpr char Export[] = "Export";

// Keeps the program away from values it cannot use (an edited file): a
// number outside [low, high] gives the default.
int32_t ReadInRange(const TIniFile &ini, const char *section, const char *key, int32_t def,
                    int32_t low, int32_t high)
{
    const int32_t value = ini.ReadInteger(section, key, def);
    return value >= low && value <= high ? value : def;
}

}  // namespace

TParam LoadSettings(const std::string &fileName)
{
    TDisplayText unreadable;
    return LoadSettings(fileName, unreadable);
}

TParam LoadSettings(const std::string &fileName, TDisplayText &unreadable)
{
    const TIniFile ini(fileName);
    if (!ini.ReadFailure().empty())
        unreadable = CannotOpenFile(fileName, ini.ReadFailure()).Text();
    const TParam defaults;
    TParam param;
    param.FonColor = uint32_t(ReadInRange(ini, Common, "FonColor", int32_t(defaults.FonColor), 0, 0xFFFFFF));
    param.LangFile = ini.ReadPath(Common, "LangFile", defaults.LangFile);
    param.UsePreview = ini.ReadBool(Common, "UsePreview", defaults.UsePreview);
    param.UseAccelerator = ini.ReadBool(Common, "UseAccelerator", defaults.UseAccelerator);
    param.BmpPixelFormat = uint8_t(ReadInRange(ini, Export, "BmpPixelFormat", defaults.BmpPixelFormat, 2, 7));
    param.JpgPixelFormat = uint8_t(ReadInRange(ini, Export, "JpgPixelFormat", defaults.JpgPixelFormat, 0, 1));
    param.JpgPerformance = uint8_t(ReadInRange(ini, Export, "JpgPerformance", defaults.JpgPerformance, 0, 1));
    param.JpgCompressionQuality =
        uint8_t(ReadInRange(ini, Export, "JpgCompressionQuality", defaults.JpgCompressionQuality, 0, 100));
    param.JpgSmoothing = ini.ReadBool(Export, "JpgSmoothing", defaults.JpgSmoothing);
    param.BatchExp = ReadInRange(ini, Export, "BatchExp", defaults.BatchExp, 0, 5);
    return param;
}

void SaveSettings(const TParam &param, const std::string &fileName)
{
    TIniFile ini(fileName);
    // Written without its lines, a file that is there but cannot be read
    // would lose them unseen; it stays until it can be read.
    if (!ini.ReadFailure().empty())
        throw EIniFileException(CannotSaveFile(fileName, ini.ReadFailure()).Text());
    ini.WriteInteger(Common, "FonColor", int32_t(param.FonColor));
    ini.WritePath(Common, "LangFile", param.LangFile);
    ini.WriteBool(Common, "UsePreview", param.UsePreview);
    ini.WriteBool(Common, "UseAccelerator", param.UseAccelerator);
    ini.WriteInteger(Export, "BmpPixelFormat", param.BmpPixelFormat);
    ini.WriteInteger(Export, "JpgPixelFormat", param.JpgPixelFormat);
    ini.WriteInteger(Export, "JpgPerformance", param.JpgPerformance);
    ini.WriteInteger(Export, "JpgCompressionQuality", param.JpgCompressionQuality);
    ini.WriteBool(Export, "JpgSmoothing", param.JpgSmoothing);
    ini.WriteInteger(Export, "BatchExp", param.BatchExp);
    ini.UpdateFile();
}
