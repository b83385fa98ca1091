// Text files a user may hand the program, at the largest sizes it takes:
// a 5 MB page of ordinary lines and a page of the most lines taken (empty
// ones) read as the publish dialog's editor takes them, and loaded into the
// shown dialog until painted; a 5 MB page of empty lines, which has too many
// lines and is refused; and a 16 MB INI file of empty lines.
#include "BenchMain.h"
#include "Codepage.h"
#include "FileSystem.h"
#include "IniFile.h"
#include "LangSupU.h"
#include "PublishDialog.h"
#include "PublishSession.h"
#include "UtilsU.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr size_t kPageSize = 5 * 1024 * 1024;
constexpr size_t kIniSize = 16 * 1024 * 1024;
constexpr char kOrdinaryLine[] = "<p>An ordinary line of a page, with a <a href=\"news.html\">link</a> in it.</p>\r\n";

// The line repeated to fill size bytes.
std::string Repeated(const std::string &line, size_t size)
{
    std::string text;
    text.reserve(size);
    while (text.size() + line.size() <= size)
        text += line;
    return text;
}

std::string WriteFile(const QTemporaryDir &dir, const char *name, const std::string &text)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(text.data(), qint64(text.size()));
    return FilePathBytes(file.fileName());
}

// The page of the most lines the dialog takes.
constexpr size_t kLongestPageSize = 2 * MaxPageLines;

// The page loaded into the shown dialog, until its editor has painted.
void LoadPage(benchmark::State &run, const std::string &line, size_t size)
{
    const QTemporaryDir dir;
    InitAppFolders(FilePathBytes(dir.path()));
    Lang = std::make_unique<TLanguage>();
    const std::string page = WriteFile(dir, "page.html", Repeated(line, size));
    TPublishingF dialog;
    dialog.show();
    QCoreApplication::processEvents();
    for (auto _ : run) {
        dialog.LoadPage(QtFilePath(page));
        dialog.Editor().repaint();
        QCoreApplication::processEvents();
    }
    run.counters["lines"] = double(dialog.Editor().blockCount());
    dialog.hide();
    Lang.reset();
}

// The page's text as the dialog hands it to its editor.
void ReadPage(benchmark::State &run, const std::string &line, size_t size)
{
    const QTemporaryDir dir;
    const std::string page = WriteFile(dir, "page.html", Repeated(line, size));
    for (auto _ : run)
        benchmark::DoNotOptimize(FromAnsi(ReadPageText(page)));
}

void BM_ReadPageOfTheMostLines(benchmark::State &run) { ReadPage(run, "\r\n", kLongestPageSize); }
BENCHMARK(BM_ReadPageOfTheMostLines)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadPageOfOrdinaryLines(benchmark::State &run) { ReadPage(run, kOrdinaryLine, kPageSize); }
BENCHMARK(BM_ReadPageOfOrdinaryLines)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RefusePageOfEmptyLines(benchmark::State &run)
{
    const QTemporaryDir dir;
    const std::string page = WriteFile(dir, "page.html", Repeated("\r\n", kPageSize));
    for (auto _ : run) {
        try {
            ReadPageText(page);
            run.SkipWithError("a page of too many lines was read");
        } catch (const std::exception &) {
        }
    }
}
BENCHMARK(BM_RefusePageOfEmptyLines)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadPageOfTheMostLines(benchmark::State &run) { LoadPage(run, "\r\n", kLongestPageSize); }
BENCHMARK(BM_LoadPageOfTheMostLines)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadPageOfOrdinaryLines(benchmark::State &run) { LoadPage(run, kOrdinaryLine, kPageSize); }
BENCHMARK(BM_LoadPageOfOrdinaryLines)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadIniOfEmptyLines(benchmark::State &run)
{
    const QTemporaryDir dir;
    const std::string ini = WriteFile(dir, "blank.ini", Repeated("\n", kIniSize - 8) + "[S]\nk=1\n");
    for (auto _ : run) {
        const TIniFile file(ini);
        benchmark::DoNotOptimize(file.ReadString("S", "k", ""));
    }
}
BENCHMARK(BM_ReadIniOfEmptyLines)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char **argv) { return RunBenchmarksIn<QApplication>(argc, argv); }
