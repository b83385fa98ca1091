#include "FontDialog.h"

#include "GuardedCall.h"
#include "QtColor.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The character sets a caption's font may ask for, by their numbers.
struct TCharset {
    uint8_t Code;
    const char *Name;
};
constexpr TCharset Charsets[] = {
    {0, "Western"},        {1, "Default"},   {2, "Symbol"},   {77, "Mac"},        {128, "Japanese"},
    {129, "Korean"},       {134, "Chinese simplified"},       {136, "Chinese traditional"},
    {161, "Greek"},        {162, "Turkish"}, {163, "Vietnamese"}, {177, "Hebrew"}, {178, "Arabic"},
    {186, "Baltic"},       {204, "Cyrillic"}, {222, "Thai"},  {238, "Central European"}, {255, "OEM"},
};

// The family's plain face of that weight and slant: the dialog would
// otherwise take the first face it lists, an oblique or condensed one for
// some families. Of the faces that fit, the shortest name is the plain one
// ("Book" before "Condensed").
QString FaceOf(const QString &family, bool bold, bool italic)
{
    QString found;
    for (const QString &face : QFontDatabase::styles(family)) {
        const QFont font = QFontDatabase::font(family, face, 10);
        const bool fits = font.bold() == bold && font.italic() == italic &&
                          font.weight() == (bold ? QFont::Bold : QFont::Normal);
        if (fits && (found.isEmpty() || face.size() < found.size()))
            found = face;
    }
    return found;
}

QFont ToQFont(const TFontChoice &choice)
{
    QFont font(choice.Name);
    font.setPointSize(choice.Size > 0 ? choice.Size : 8);
    font.setBold(choice.Style & 1);
    font.setItalic(choice.Style & 2);
    font.setUnderline(choice.Style & 4);
    font.setStrikeOut(choice.Style & 8);
    const QString face = FaceOf(choice.Name, font.bold(), font.italic());
    if (!face.isEmpty())
        font.setStyleName(face);
    return font;
}

uint8_t StyleBits(const QFont &font)
{
    return uint8_t((font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) |
                   (font.strikeOut() ? 8 : 0));
}

// The field the size is typed into: the dialog's one editable field that
// checks what is typed (the sample text does not; family and style are
// read-only).
QLineEdit *SizeField(const QFontDialog &dialog)
{
    for (QLineEdit *field : dialog.findChildren<QLineEdit *>())
        if (!field->isReadOnly() && field->validator())
            return field;
    return nullptr;
}

}  // namespace

TFontDialog::TFontDialog(QWidget *parent)
    : QDialog(parent), FFont(new QFontDialog(this)), FColourButton(new QPushButton(this)),
      FCharset(new QComboBox(this))
{
    setWindowTitle(tr("Font"));
    FFont->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    FFont->setWindowFlags(Qt::Widget);
    FColourButton->setObjectName(QStringLiteral("Colour"));
    FCharset->setObjectName(QStringLiteral("Charset"));
    for (const TCharset &c : Charsets)
        FCharset->addItem(QString::fromLatin1(c.Name), c.Code);
    connect(FColourButton, &QPushButton::clicked, this, [this] { Guarded([this] { ChooseColour(); }); });

    auto *extra = new QFormLayout;
    extra->addRow(tr("Colour"), FColourButton);
    extra->addRow(tr("Character set"), FCharset);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FFont);
    layout->addLayout(extra);
    layout->addWidget(buttons);
}

void TFontDialog::SetChoice(const TFontChoice &choice)
{
    FHeld = choice;
    FFont->setCurrentFont(ToQFont(choice));
    FShown = FFont->currentFont();
    FColour = choice.Color & 0xFFFFFF;
    ShowColour();
    SelectCharset(choice.Charset);
}

// The dialog cannot show every caption as it is held: a family that is not
// installed shows as another, a bold style of a family without a bold face
// as regular, a size below 1 as 8. So the caption takes from the dialog only
// what the user changed there, and keeps the rest as it held it.
TFontChoice TFontDialog::Choice() const
{
    const QFont font = FFont->currentFont();
    TFontChoice choice = FHeld;
    if (font.family() != FShown.family()) {
        choice.Name = font.family();
        choice.Pitch = QFontInfo(font).fixedPitch() ? 2 : 1;
    }
    if (font.pointSize() != FShown.pointSize())
        choice.Size = font.pointSize();
    const uint8_t changed = StyleBits(font) ^ StyleBits(FShown);
    choice.Style = uint8_t((FHeld.Style & ~changed) | (StyleBits(font) & changed));
    choice.Color = FColour;
    choice.Charset = uint8_t(FCharset->currentData().toUInt());
    return choice;
}

// The dialog reads a size of 0, or none, as a size of its own choosing while
// the field still shows what was typed: OK waits for a size it takes.
void TFontDialog::accept()
{
    QLineEdit *size = SizeField(*FFont);
    if (size && size->text().toInt() < 1) {
        QApplication::beep();
        size->setFocus();
        size->selectAll();
        return;
    }
    QDialog::accept();
}

void TFontDialog::ShowColour()
{
    const int side = fontMetrics().height();
    QPixmap patch(2 * side, side);
    patch.fill(ToQColor(FColour));
    FColourButton->setIcon(patch);
    FColourButton->setIconSize(patch.size());
}

void TFontDialog::ChooseColour()
{
    if (const std::optional<uint32_t> colour = CommonDialogs().Colour(FColour)) {
        FColour = *colour;
        ShowColour();
    }
}

// A number the list does not name is kept as an entry of its own.
void TFontDialog::SelectCharset(uint8_t charset)
{
    int index = FCharset->findData(uint(charset));
    if (index < 0) {
        FCharset->addItem(tr("Character set %1").arg(charset), uint(charset));
        index = FCharset->count() - 1;
    }
    FCharset->setCurrentIndex(index);
}
