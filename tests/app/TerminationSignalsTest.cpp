// SIGTERM while a box is open closes the box as its close box would, then
// the main window through its close box once the main loop runs: the save
// question that asks waits for the user's answer whatever signals follow,
// and the answer decides whether the program ends.
#include "DialogMessageBoxes.h"
#include "LangTexts.h"
#include "MainWindowFixture.h"
#include "Screens.h"
#include "TerminationSignals.h"

#include <QMessageBox>
#include <QTimer>

#include <csignal>

namespace {

// Real modal boxes, each sent SIGTERM as soon as it takes the focus. The
// first must close by itself; the ones after it, which closing the window
// asks, must stay until they are answered.
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
        const bool first = FShown.empty();
        FShown.push_back(text.Bytes());
        const auto box = TDialogMessageBoxes::MakeBox(text, title, buttons, icon);
        QTimer::singleShot(50, box.get(), [&box] { std::raise(SIGTERM); });
        QTimer::singleShot(first ? 2000 : 300, box.get(), [&] {
            EXPECT_FALSE(first) << "the signal left the box open: " << text.Bytes();
            QTest::mouseClick(box->button(first ? QMessageBox::Ok : FAnswer), Qt::LeftButton);
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
    bool Unsaved;                       // an unsaved project is open
    QMessageBox::StandardButton Answer; // to "Save changes?"
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
    // A command's error box, from the main loop.
    QTimer::singleShot(0, [] { MessageBoxes().Show("The disk is full.", "Bright Lane", TMsgButtons::OK, TMsgIcon::Error); });
    // A program that goes on is stopped here.
    QTimer::singleShot(3000, [] { QCoreApplication::exit(1); });
    const int result = ending.Exec();
    SaveScreen(Main(), QStringLiteral("MainF-signal-%1").arg(row.Name));

    EXPECT_EQ(result == 0, row.Ends);
    EXPECT_EQ(Main().isVisible(), !row.Ends);
    EXPECT_EQ(Proj->Opened, row.Unsaved && !row.Ends);
    std::vector<std::string> asked = {"The disk is full."};
    if (row.Unsaved)
        asked.push_back(FindMessageText(1)->Text);  // Save changes?
    EXPECT_EQ(boxes.Shown(), asked);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationSignalTest,
                         ::testing::Values(SignalCase{"NoProject", false, QMessageBox::NoButton, true},
                                           SignalCase{"UnsavedDropped", true, QMessageBox::No, true},
                                           SignalCase{"UnsavedKept", true, QMessageBox::Cancel, false}),
                         [](const ::testing::TestParamInfo<SignalCase> &info) { return std::string(info.param.Name); });

}  // namespace
