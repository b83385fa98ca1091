// The options dialog: shows the settings record and, on OK, writes back
// into AppParam() only the settings it edits, so that what changed in the
// meantime (the mesh size that draft mode switches) stays; Cancel leaves
// everything as it was. The export choices, the background colour, the
// accelerator and preview switches, the file association and the language
// (the files of the languages folder by their display names) are set here.
#pragma once

#include <QDialog>

#include <string>

class QCheckBox;
class QComboBox;
class QListWidget;
class QSlider;
class QTabWidget;
class TColorBox;

class TParamsF : public QDialog {
    Q_OBJECT
public:
    explicit TParamsF(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *BuildExportPage();
    QWidget *BuildCommonPage();
    QWidget *BuildButtons();
    void FillChoiceLists();
    void FormShow();
    void FillLanguageList(const std::string &langFile);
    void BitBtn1Click();

    bool FAssociated = false;  // what the association box showed at first

    QTabWidget *PageControl1;
    QComboBox *ComboBox1;  // BMP bits per pixel
    QComboBox *ComboBox2;  // JPEG bits per pixel
    QComboBox *ComboBox3;  // format of the batch export
    QSlider *TrackBar1;    // JPEG quality
    QCheckBox *CheckBox1;  // accelerator
    QCheckBox *CheckBox2;  // JPEG smoothing
    QCheckBox *CheckBox3;  // preview mode
    QCheckBox *CheckBox4;  // association
    TColorBox *ColorBox1;
    QListWidget *ListBox1;  // languages
};

extern TParamsF *ParamsF;
