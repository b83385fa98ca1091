#include "CaptionText.h"

#include "Codepage.h"
#include "QtColor.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QRawFont>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>

namespace {

// Debian's fonts-wine ships a free family with Tahoma's name and metrics.
constexpr const char *CompatibleFontFolder = "/usr/share/wine/fonts";

void RegisterCompatibleFonts()
{
    static const bool registered = [] {
        const QDir folder(QString::fromLatin1(CompatibleFontFolder));
        for (const QString &file : folder.entryList({QStringLiteral("tahoma*.ttf")}, QDir::Files))
            QFontDatabase::addApplicationFont(folder.filePath(file));
        return true;
    }();
    (void)registered;
}

// Code pages of the character set numbers captions store; anything else is
// read in the program's own code page.
const char *CharsetCodec(uint8_t charset)
{
    switch (charset) {
    case 0: return "windows-1252";
    case 2: return "ISO-8859-1";
    case 128: return "Shift_JIS";
    case 129: return "windows-949";
    case 134: return "GBK";
    case 136: return "Big5";
    case 161: return "windows-1253";
    case 162: return "windows-1254";
    case 163: return "windows-1258";
    case 177: return "windows-1255";
    case 178: return "windows-1256";
    case 186: return "windows-1257";
    case 222: return "windows-874";
    case 238: return "windows-1250";
    case 255: return "IBM866";
    default: return nullptr;
    }
}

int PixelSize(int points)
{
    // Half away from zero, so 8 points are 11 pixels and 10 points 13, in
    // every drawing; kept to a size a font engine can draw whatever a file
    // says.
    const long long size = std::llround(std::fabs(double(points) * 96.0 / 72.0));
    return int(std::clamp<long long>(size, 1, 1000));
}

QFont MakeFont(const TCaptionFont &caption)
{
    QFont font(QString::fromStdString(caption.Name));
    font.setPixelSize(PixelSize(caption.Size));
    font.setBold(caption.Style & CaptionBold);
    font.setItalic(caption.Style & CaptionItalic);
    font.setUnderline(caption.Style & CaptionUnderline);
    font.setStrikeOut(caption.Style & CaptionStrikeOut);
    if (caption.Pitch == 2) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    }
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

uint16_t BigEndian16(const QByteArray &table, int offset)
{
    return uint16_t(uint8_t(table[offset]) << 8 | uint8_t(table[offset + 1]));
}

// usWinAscent and usWinDescent of the font's OS/2 table at the font's pixel
// size, the cell that clips none of its glyphs; Qt's own metrics are the
// typographic ones, which place text higher.
bool ClippingMetrics(const QFont &font, int &ascent, int &descent)
{
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    const double unitsPerEm = raw.unitsPerEm();
    if (os2.size() < 78 || unitsPerEm <= 0)
        return false;
    const double scale = font.pixelSize() / unitsPerEm;
    ascent = int(std::lround(BigEndian16(os2, 74) * scale));
    descent = int(std::lround(BigEndian16(os2, 76) * scale));
    return true;
}

}  // namespace

QString DecodeCharset(const std::string &bytes, uint8_t charset)
{
    if (const char *codec = CharsetCodec(charset)) {
        QStringDecoder decoder(codec);
        if (decoder.isValid())
            return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    }
    return FromAnsi(bytes);
}

TCaptionCanvas::TCaptionCanvas(int width, int height, const TCaptionFont &caption)
    : image(width, height, QImage::Format_RGB32), charset(caption.Charset)
{
    RegisterCompatibleFonts();
    font = MakeFont(caption);
    if (!ClippingMetrics(font, ascent, descent)) {
        const QFontMetrics metrics(font);
        ascent = metrics.ascent();
        descent = metrics.descent();
    }
}

QString TCaptionCanvas::Decode(const std::string &text) const
{
    return DecodeCharset(text, charset);
}

QSize TCaptionCanvas::TextExtent(const std::string &text) const
{
    return QSize(QFontMetrics(font).horizontalAdvance(Decode(text)), ascent + descent);
}

void TCaptionCanvas::Fill(uint32_t color)
{
    image.fill(ToQColor(color));
}

void TCaptionCanvas::DrawText(int x, int y, const std::string &text, uint32_t color)
{
    // A caption pushed far off the picture by its margins draws nothing;
    // checking first keeps the baseline arithmetic in range.
    const QSize extent = TextExtent(text);
    if (x >= image.width() || y >= image.height() || (long long)x + extent.width() <= 0 ||
        (long long)y + extent.height() <= 0)
        return;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(ToQColor(color));
    painter.drawText(QPoint(x, y + ascent), Decode(text));
}
