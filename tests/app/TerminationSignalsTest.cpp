// SIGTERM while a box is open closes the box as its close box would, then
// the main window through its close box once the main loop runs, and every
// notice after it. The save question, even one shown before the signal, is
// asked once and waits for the answer whatever signals follow; the answer
// decides whether the program ends.
#include "DialogMessageBoxes.h"
#include "MainWindowFixture.h"
#include "Screens.h"
#include "TerminationSignals.h"

#include <QMessageBox>
#include <QTimer>

#include <csignal>

namespace {

// Real modal boxes: the first and each question are sent SIGTERM as soon as
// they take the focus. Notices must close by themselves; questions must stay
// until they are answered.
class TBoxesUnderSignals : public IMessageBoxes {
public:
    explicit TBoxesUnderSignals(QMessageBox::StandardButton answer)
        : FAnswer(answer), FPrevious(SetMessageBoxes(this))
    {
    }
    ~TBoxesUnderSignals() override { SetMessageBoxes(FPrevious); }
    TBoxesUnderSignals(const TBoxesUnderSignals &) = delete;
    TBoxesUnderSignals &operator=(const TBoxesUnderSignals &) = delete;

    int Show(const TDisplayText &text, const std::string &title, TMsgButtons buttons, TMsgIcon icon) override
    {
        const bool notice = buttons == TMsgButtons::OK;
        FShown.push_back(text.Bytes().substr(0, text.Bytes().find('"')));  // up to a file name
        const auto box = TDialogMessageBoxes::MakeBox(text, title, buttons, icon);
        if (FShown.size() == 1 || !notice)
            QTimer::singleShot(50, box.get(), [] { std::raise(SIGTERM); });
        QTimer::singleShot(notice ? 2000 : 300, box.get(), [&] {
            EXPECT_FALSE(notice) << "the signal left the box open: " << text.Bytes();
            QTest::mouseClick(box->button(notice ? QMessageBox::Ok : FAnswer), Qt::LeftButton);
        });
        return TDialogMessageBoxes::ButtonId(box->exec());
    }

    const std::vector<std::string> &Shown() const { return FShown; }

private:
    QMessageBox::StandardButton FAnswer;
    IMessageBoxes *FPrevious;
    std::vector<std::string> FShown;
};

struct SignalCase {
    const char *Name;
    bool StartUpBoxes;                  // two notices show before the main loop runs
    bool UserCloses;                    // the first box is the one closing the window asks
    bool Unsaved;                       // an unsaved project is open
    QMessageBox::StandardButton Answer; // to "Save changes?"; Yes saves where it cannot
    bool Ends;
};

void PrintTo(const SignalCase &row, std::ostream *out) { *out << row.Name; }

class TerminationSignalTest : public MainWindowTest, public ::testing::WithParamInterface<SignalCase> {};

TEST_P(TerminationSignalTest, ClosesTheOpenBoxThenTheWindowAsItsCloseBoxDoes)
{
    const SignalCase &row = GetParam();
    Main().show();
    if (row.Unsaved)
        NewProjectWith({"Home"});
    TTerminationSignals ending(Main());
    TBoxesUnderSignals boxes(row.Answer);
    if (row.Answer == QMessageBox::Yes)
        FDialogs.AnswerFile(FDir.path() + "/missing/a.prj");
    std::vector<std::string> asked;
    const auto notice = [&asked](const char *text) {
        asked.push_back(text);
        MessageBoxes().Show(text, "Bright Lane", TMsgButtons::OK, TMsgIcon::Error);
    };
    if (row.StartUpBoxes)
        notice("The settings file cannot be read."), notice("The project is damaged.");
    // A command's error box, or the window's close box, from the main loop.
    QTimer::singleShot(0, [&] { row.UserCloses ? void(Main().close()) : notice("The disk is full."); });
    // A program that goes on is stopped here.
    QTimer::singleShot(3000, &ending, [] { QCoreApplication::exit(1); });
    const int result = ending.Exec();
    SaveScreen(Main(), QStringLiteral("MainF-signal-%1").arg(row.Name));

    EXPECT_EQ(result == 0, row.Ends);
    EXPECT_EQ(Main().isVisible(), !row.Ends);
    EXPECT_EQ(Proj->Opened, row.Unsaved && !row.Ends);
    if (row.Unsaved)
        asked.push_back("Save changes?");
    if (row.Answer == QMessageBox::Yes)
        asked.push_back("Cannot save file ");
    EXPECT_EQ(boxes.Shown(), asked);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationSignalTest,
                         ::testing::Values(SignalCase{"NoProject", false, false, false, QMessageBox::NoButton, true},
                                           SignalCase{"UnsavedDropped", false, false, true, QMessageBox::No, true},
                                           SignalCase{"UnsavedKept", false, false, true, QMessageBox::Cancel, false},
                                           SignalCase{"NoticeInTheClose", false, false, true, QMessageBox::Yes, false},
                                           SignalCase{"StartUpBoxes", true, false, false, QMessageBox::NoButton, true},
                                           SignalCase{"AskedOnceDropped", false, true, true, QMessageBox::No, true},
                                           SignalCase{"AskedOnceKept", false, true, true, QMessageBox::Cancel, false}),
                         [](const ::testing::TestParamInfo<SignalCase> &info) { return std::string(info.param.Name); });

}  // namespace
