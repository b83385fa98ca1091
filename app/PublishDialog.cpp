#include "PublishDialog.h"

#include "Codepage.h"
#include "CommonDialogs.h"
#include "Exceptions.h"
#include "FileDialog.h"
#include "FileSystem.h"
#include "GuardedCall.h"
#include "HelpContext.h"
#include "KitEdit.h"
#include "LangSupU.h"
#include "MessageBoxes.h"
#include "PanelControls.h"
#include "ProjU.h"
#include "QuotedNames.h"
#include "TerminationSignals.h"
#include "UtilsU.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

TPublishingF *PublishingF = nullptr;

namespace {

constexpr int SaveBeforeClose = 21;

}  // namespace

void TPublishingF::TDialogGauge::SetMax(int maximum) { FBar.setMaximum(std::max(maximum, 1)); }

void TPublishingF::TDialogGauge::SetPosition(int position)
{
    FBar.setValue(position);
    // The export runs inside the click: the window keeps being painted.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

TPublishingF::TPublishingF(QWidget *parent)
    : QDialog(parent),
      Label1(Named(new QLabel(QStringLiteral("File name")), "Label1", 10)),
      FilenameEdit1(Named(new TFilenameEdit, "FilenameEdit1")),
      Button1(Named(new QPushButton(QStringLiteral("Insert")), "Button1", 11)),
      Button2(Named(new QPushButton(QStringLiteral("Save")), "Button2", 12)),
      BitBtn2(Named(new QPushButton(QStringLiteral("Ok")), "BitBtn2", 2)),
      Memo1(Named(new QPlainTextEdit, "Memo1")),
      Label2(Named(new QLabel(QStringLiteral("Y:")), "Label2", 13)),
      Label3(Named(new QLabel(QStringLiteral("X:")), "Label3", 14)),
      Label4(Named(new QLabel, "Label4")),
      Label5(Named(new QLabel, "Label5")),
      Gauge1(Named(new QProgressBar, "Gauge1")),
      FGauge(*Gauge1)
{
    setObjectName(QStringLiteral("PublishingF"));
    setWindowTitle(QStringLiteral("Publishing"));
    SetTag(*this, 1);
    SetHelpContext(*this, 5);
    resize(627, 349);
    BuildLayout();

    TFileRequest &dialog = FilenameEdit1->Dialog();
    dialog.Filter = QStringLiteral("Html files (*.html;*.htm)|*.html;*.htm|Any files (*.*)|*.*");
    dialog.DefaultExt = QStringLiteral("html");
    dialog.MustExist = true;
    FilenameEdit1->SetFolder(HtmlPagesDir);
    // A chosen page that does not load leaves the field as the failure set it.
    FilenameEdit1->OnAfterDialog = [this](QString &name, bool &action) {
        if (action)
            action = LoadNamed([&] { return name; }, TFilenameEdit::QuoteName(name));
    };
    connect(FilenameEdit1, &QLineEdit::returnPressed, this,
            [this] { LoadNamed([this] { return TypedName(); }, FilenameEdit1->text()); });
    connect(Button1, &QPushButton::clicked, this, [this] { Guarded([this] { InsertBlock(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { Guarded([this] { SavePage(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, &TPublishingF::OkClick);
    connect(Memo1, &QPlainTextEdit::cursorPositionChanged, this, &TPublishingF::UpdateCaretLabels);
    TranslateForm(*this, *Lang);
}

void TPublishingF::BuildLayout()
{
    BitBtn2->setDefault(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab moves on, as in every field: the page changes only by typing and Insert.
    Memo1->setTabChangesFocus(true);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Gauge1->setTextVisible(false);
    Gauge1->setValue(0);
    Gauge1->setMaximumHeight(15);
    Gauge1->setStyleSheet(QStringLiteral("QProgressBar { border: none; background: palette(button); }"
                                         "QProgressBar::chunk { background: navy; }"));

    auto *top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addWidget(FilenameEdit1, 1);
    top->addWidget(Button1);
    top->addWidget(Button2);
    top->addSpacing(12);
    top->addWidget(BitBtn2);

    auto *progressPanel = Named(new QFrame, "ProgressPanel");
    progressPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    progressPanel->setFixedWidth(202);
    auto *progress = new QVBoxLayout(progressPanel);
    progress->setContentsMargins(2, 2, 2, 2);
    progress->addWidget(Gauge1);
    auto *status = new QHBoxLayout;
    for (QLabel *label : {Label2, Label4, Label3, Label5})
        status->addWidget(label);
    status->addStretch(1);
    status->addWidget(progressPanel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Memo1, 1);
    layout->addLayout(status);
}

void TPublishingF::Open()
{
    StartEmpty();
    CommonDialogs().Exec(*this);
}

void TPublishingF::StartEmpty()
{
    FSession.Clear();
    Memo1->clear();
    FilenameEdit1->clear();
    FLoadedName.clear();
    FilenameEdit1->setFocus();
    Gauge1->setValue(0);
    UpdateCaretLabels();
    UpdateButtons();
}

bool TPublishingF::LoadNamed(const std::function<QString()> &name, const QString &shown)
{
    bool loaded = false;
    Guarded([&] {
        LoadPage(name());
        loaded = true;
    });
    if (loaded)
        FLoadedName = shown;
    else
        FilenameEdit1->setText(FLoadedName);
    return loaded;
}

QString TPublishingF::TypedName() const
{
    const QString typed = FilenameEdit1->text();
    if (HasQuoteInside(typed.trimmed()))
        throw Exception(InvalidFileNameText(typed));
    return FilenameEdit1->FileName();
}

void TPublishingF::LoadPage(const QString &name)
{
    // The field's folder as bytes: its text may not name it.
    const std::string fileName =
        AbsolutePageName(ChosenFilePath(name, TFileRequest::Open), FilenameEdit1->Folder());
    // The text goes into the editor whole, converted in one piece.
    const QString text = FromAnsi(ReadPageText(fileName));
    if (FSession.Unsaved() && AskClosingQuestion(SaveBeforeClose) == idYes)
        SavePage();
    FSession.Opened(fileName);
    Memo1->setPlainText(text);
    UpdateCaretLabels();
    UpdateButtons();
}

void TPublishingF::InsertBlock()
{
    const int row = Memo1->textCursor().blockNumber();
    const int col = Memo1->textCursor().positionInBlock();
    TLines lines = EditorLines();
    FSession.Insert(lines, row, col, MenuViewOf(*Proj));
    SetEditorLines(lines);
    // The caret stays where the block went in.
    QTextCursor caret(Memo1->document()->findBlockByNumber(row));
    caret.setPosition(caret.position() + col);
    Memo1->setTextCursor(caret);
    UpdateButtons();
}

void TPublishingF::SavePage()
{
    // The gauge runs events while the images are written.
    const TSignalsHeld held;
    FSession.Save(EditorLines(), *Proj, FGauge);
    UpdateButtons();
}

// Enter in the file name field presses Ok before the page loads: with the
// field focused the dialog stays open, whatever box the load then shows.
void TPublishingF::OkClick()
{
    if (!FilenameEdit1->hasFocus())
        accept();
}

void TPublishingF::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel))
        BitBtn2->click();
    else
        QDialog::keyPressEvent(event);
}

void TPublishingF::done(int result)
{
    if (FSession.Unsaved() && AskClosingQuestion(SaveBeforeClose) == idYes) {
        Guarded([this] { SavePage(); });
        if (FSession.Unsaved())
            return;
    }
    QDialog::done(result);
}

// The editor's lines in the program's code page; an empty editor holds none.
TLines TPublishingF::EditorLines() const
{
    TLines lines;
    if (Memo1->document()->isEmpty())
        return lines;
    for (QTextBlock block = Memo1->document()->begin(); block.isValid(); block = block.next())
        lines.push_back(ToAnsi(block.text()));
    return lines;
}

void TPublishingF::SetEditorLines(const TLines &lines)
{
    QStringList text;
    for (const std::string &line : lines)
        text << FromAnsi(line);
    Memo1->setPlainText(text.join(QLatin1Char('\n')));
    UpdateCaretLabels();
}

void TPublishingF::UpdateCaretLabels()
{
    const QTextCursor caret = Memo1->textCursor();
    Label4->setText(QString::number(caret.blockNumber()));
    Label5->setText(QString::number(caret.positionInBlock()));
}

void TPublishingF::UpdateButtons()
{
    Button1->setEnabled(FSession.CanInsert());
    Button2->setEnabled(FSession.CanSave());
}
