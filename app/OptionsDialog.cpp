#include "OptionsDialog.h"

#include "Codepage.h"
#include "ColorBox.h"
#include "FileSystem.h"
#include "FocusedWheel.h"
#include "FormTranslation.h"
#include "GuardedCall.h"
#include "HelpContext.h"
#include "IniFile.h"
#include "LangSupU.h"
#include "PanelControls.h"
#include "ParamU.h"
#include "QtColor.h"
#include "UtilsU.h"

#include <QCheckBox>
#include <QComboBox>
#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>

namespace {

constexpr int OptionsHelpContext = 6;

// Interface strings of the choice lists, in list order.
constexpr int BmpFormatTexts[] = {40, 41, 42, 43, 44, 45};  // 32 bits (format 7) ... 4 bits (2)
constexpr int JpgFormatTexts[] = {41, 44};                  // 24 bits, 8 bits
constexpr int BatchFormatTexts[] = {60, 61, 62, 63, 64, 65};  // GIF ... EMF
constexpr int HighestBmpFormat = 7;

// The file name of the built-in language's entry is empty.
const char BuiltInLanguage[] = "По умолчанию (default)";

QLabel *Label(const char *name, int tag, const char *text, QWidget *buddy)
{
    auto *label = Named(new QLabel(QString::fromLatin1(text)), name, tag);
    label->setBuddy(buddy);
    return label;
}

template <size_t N>
void FillFromInterface(QComboBox &box, const int (&codes)[N])
{
    box.clear();
    for (int code : codes)
        box.addItem(FromAnsi(Lang->GetInterfaceString(code)));
}

// A list index from a setting; a setting the list cannot show (an edited
// settings file) shows the default's entry, so OK never stores a value
// outside the list.
void SelectEntry(QComboBox &box, int index, int defaultIndex)
{
    box.setCurrentIndex(index >= 0 && index < box.count() ? index : defaultIndex);
}

// A language file's display name: its "Language" key, else its name.
QString DisplayName(const std::string &fileName)
{
    const std::string name =
        TIniFile(LanguagesDir + fileName).ReadString("Common", "Language", std::string());
    return name.empty() ? QtFilePath(FileNameNoExt(fileName)) : FromAnsi(name);
}

void AddLanguage(QListWidget &list, const std::string &fileName, const QString &shown)
{
    auto *item = new QListWidgetItem(shown, &list);
    item->setData(Qt::UserRole, QByteArray::fromStdString(fileName));
}

std::string LanguageFileOf(const QListWidgetItem &item)
{
    return item.data(Qt::UserRole).toByteArray().toStdString();
}

}  // namespace

TParamsF *ParamsF = nullptr;

TParamsF::TParamsF(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ParamsF"));
    SetTag(*this, 1);
    setWindowTitle(QStringLiteral("Options"));
    SetHelpContext(*this, OptionsHelpContext);

    PageControl1 = Named(new QTabWidget, "PageControl1");
    PageControl1->addTab(Named(BuildExportPage(), "TabSheet1", 10), QStringLiteral("Export"));
    PageControl1->addTab(Named(BuildCommonPage(), "TabSheet2", 20), QStringLiteral("Common"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addWidget(BuildButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    TranslateForm(*this, *Lang);
    FillChoiceLists();
    WheelEditsOnlyFocused(*this);
}

QWidget *TParamsF::BuildExportPage()
{
    ComboBox2 = Named(new QComboBox, "ComboBox2");
    TrackBar1 = Named(new QSlider(Qt::Horizontal), "TrackBar1");
    TrackBar1->setRange(0, 100);
    TrackBar1->setPageStep(10);
    TrackBar1->setValue(90);
    CheckBox2 = Named(new QCheckBox(QStringLiteral("Smoothing")), "CheckBox2", 1004);
    auto *jpg = Named(new QGroupBox(QStringLiteral("Jpg")), "GroupBox2", 1001);
    auto *jpgLayout = new QGridLayout(jpg);
    jpgLayout->addWidget(Label("Label4", 1002, "Bits per pixel", ComboBox2), 0, 0);
    jpgLayout->addWidget(ComboBox2, 0, 1);
    jpgLayout->addWidget(Label("Label5", 1003, "Quality", TrackBar1), 1, 0);
    jpgLayout->addWidget(TrackBar1, 1, 1);
    jpgLayout->addWidget(CheckBox2, 2, 0, 1, 2);

    ComboBox1 = Named(new QComboBox, "ComboBox1");
    auto *bmp = Named(new QGroupBox(QStringLiteral("Bmp")), "GroupBox1", 1005);
    auto *bmpLayout = new QGridLayout(bmp);
    bmpLayout->addWidget(Label("Label3", 1006, "Bits per pixel", ComboBox1), 0, 0);
    bmpLayout->addWidget(ComboBox1, 0, 1);
    bmpLayout->setRowStretch(1, 1);

    // A plain list: a typed name that matches no format cannot be stored.
    ComboBox3 = Named(new QComboBox, "ComboBox3");
    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    layout->addWidget(jpg, 0, 0, 1, 2);
    layout->addWidget(bmp, 0, 2, 1, 2);
    layout->addWidget(Label("Label6", 1007, "Batch export", ComboBox3), 1, 0);
    layout->addWidget(ComboBox3, 1, 1);
    layout->setRowStretch(2, 1);
    return page;
}

QWidget *TParamsF::BuildCommonPage()
{
    ColorBox1 = Named(new TColorBox, "ColorBox1");
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Use accelerator")), "CheckBox1", 2003);
    CheckBox3 = Named(new QCheckBox(QStringLiteral("Use preview mode")), "CheckBox3", 2004);
    CheckBox4 = Named(new QCheckBox(QStringLiteral("Associate with .prj extension")), "CheckBox4", 2005);
    ListBox1 = Named(new QListWidget, "ListBox1");
    ListBox1->setUniformItemSizes(true);

    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    layout->addWidget(Label("Label1", 2001, "Background color", ColorBox1), 0, 0);
    layout->addWidget(ColorBox1, 1, 0);
    layout->addWidget(CheckBox1, 2, 0);
    layout->addWidget(CheckBox3, 3, 0);
    layout->addWidget(CheckBox4, 4, 0);
    layout->setRowStretch(5, 1);
    layout->addWidget(Label("Label2", 2002, "Language's files", ListBox1), 0, 1);
    layout->addWidget(ListBox1, 1, 1, 5, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

QWidget *TParamsF::BuildButtons()
{
    auto *ok = Named(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Ok")),
                     "BitBtn1", 2);
    auto *cancel = Named(
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel")),
        "BitBtn2", 3);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        BitBtn1Click();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QWidget;
    auto *layout = new QHBoxLayout(buttons);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addWidget(ok);
    layout->addWidget(cancel);
    return buttons;
}

// The lists keep the language they were made in until the program starts
// again, as the question after a change of language says.
void TParamsF::FillChoiceLists()
{
    FillFromInterface(*ComboBox1, BmpFormatTexts);
    FillFromInterface(*ComboBox2, JpgFormatTexts);
    FillFromInterface(*ComboBox3, BatchFormatTexts);
}

void TParamsF::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TParamsF::FormShow()
{
    const TParam defaults;
    const TParam &settings = AppParam();
    SelectEntry(*ComboBox1, HighestBmpFormat - settings.BmpPixelFormat,
                HighestBmpFormat - defaults.BmpPixelFormat);
    SelectEntry(*ComboBox2, settings.JpgPixelFormat, defaults.JpgPixelFormat);
    SelectEntry(*ComboBox3, settings.BatchExp, defaults.BatchExp);
    TrackBar1->setValue(settings.JpgCompressionQuality);
    CheckBox2->setChecked(settings.JpgSmoothing);
    ColorBox1->SetSelected(settings.FonColor);
    CheckBox1->setChecked(settings.UseAccelerator);
    CheckBox3->setChecked(settings.UsePreview);
    FAssociated = IsProjectAssociated();
    CheckBox4->setChecked(FAssociated);

    QPalette palette = ListBox1->palette();
    palette.setColor(QPalette::Base, ToQColor(settings.FonColor));
    ListBox1->setPalette(palette);
    FillLanguageList(settings.LangFile);
}

void TParamsF::FillLanguageList(const std::string &langFile)
{
    const std::string current = ExtractFileName(langFile);
    ListBox1->clear();
    AddLanguage(*ListBox1, std::string(), QString::fromUtf8(BuiltInLanguage));
    ListBox1->setCurrentRow(0);
    for (const std::string &fileName : FileNamesIn(LanguagesDir, ".lng", true)) {
        AddLanguage(*ListBox1, fileName, DisplayName(fileName));
        if (fileName == current)
            ListBox1->setCurrentRow(ListBox1->count() - 1);
    }
}

// The settings the dialog does not show (the mesh size above all, which
// draft mode may have switched while the dialog was open) are left alone.
void TParamsF::BitBtn1Click()
{
    TParam &settings = AppParam();
    settings.BmpPixelFormat = uint8_t(HighestBmpFormat - ComboBox1->currentIndex());
    settings.JpgPixelFormat = uint8_t(ComboBox2->currentIndex());
    settings.JpgCompressionQuality = uint8_t(TrackBar1->value());
    settings.JpgSmoothing = CheckBox2->isChecked();
    settings.BatchExp = ComboBox3->currentIndex();
    settings.FonColor = ColorBox1->Selected();

    const QListWidgetItem *language = ListBox1->currentItem();
    const std::string fileName = language ? LanguageFileOf(*language) : std::string();
    settings.LangFile = fileName.empty() ? std::string() : LanguagesDir + fileName;

    settings.UseAccelerator = CheckBox1->isChecked();
    settings.UsePreview = CheckBox3->isChecked();
    // Only a change of the box touches the association: a program that
    // registered the file type itself keeps it when the box stays clear. A
    // failure is shown, and the other settings apply all the same.
    if (CheckBox4->isChecked() != FAssociated)
        Guarded([this] { SetProjectAssociation(CheckBox4->isChecked()); });
}
