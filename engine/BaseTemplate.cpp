#include "BaseTemplate.h"

#include "ButtonStream.h"
#include "FileSystem.h"
#include "MessageBoxes.h"
#include "ProjTexts.h"

#include <QFile>
#include <new>
#include <utility>

namespace {

constexpr char DamagedSuffix[] = ".damaged";

// The first name beside path that no file holds yet.
std::string FreeDamagedName(const std::string &path)
{
    std::string name = path + DamagedSuffix;
    for (int n = 2; FileExists(name); ++n)
        name = path + DamagedSuffix + "-" + std::to_string(n);
    return name;
}

// Copies the file's bytes to copy; every failure is the copy's save error.
void CopyFileTo(const std::string &path, const std::string &copy)
{
    QFile file;
    std::string reason;
    if (!OpenFileToRead(file, path, reason))
        throw CannotSaveFile(copy, reason);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CannotSaveFile(copy, file.errorString().toStdString());
    ReplaceFileWith(copy, bytes.constData(), bytes.size());
}

void TellDamagedFileKept(const std::string &path, int entriesRead, const std::string &copy)
{
    const TDisplayText text = "File \"" + SystemText(path) + "\" is damaged: only " +
                              TDisplayText(std::to_string(entriesRead)) +
                              " of its entries could be read. The file as it was is kept as \"" + SystemText(copy) +
                              "\".";
    MessageBoxes().Show(text, DisplayName(), TMsgButtons::OK, TMsgIcon::Error);
}

}  // namespace

void TBaseItem::ReadName(TStream &stream) { ReadStreamString(stream, Name); }

void TBaseItem::WriteName(TStream &stream) const { WriteStreamString(stream, Name); }

void TBaseTemplate::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    FItems.erase(FItems.begin() + index);
    Modified = true;
}

void TBaseTemplate::Exchange(int first, int second)
{
    if (first < 0 || second < 0 || first >= Count() || second >= Count())
        return;
    std::swap(FItems[static_cast<size_t>(first)], FItems[static_cast<size_t>(second)]);
}

void TBaseTemplate::FileRenamed(const std::string &oldPath, const std::string &newPath)
{
    if (FDamagedFile == oldPath)
        FDamagedFile = newPath;
}

void TBaseTemplate::LoadEntries(const std::string &path, const std::function<void(TStream &)> &read)
{
    FDamagedFile.clear();
    std::unique_ptr<TFileStream> file;
    try {
        file = std::make_unique<TFileStream>(path, TFileStream::fmOpenRead);
    } catch (const Exception &) {
        return;
    }
    const int before = Count();
    bool whole = false;
    try {
        read(*file);
        whole = file->Remaining() == 0;
    } catch (const Exception &) {
    } catch (const std::bad_alloc &) {
    }
    if (whole)
        return;
    FDamagedFile = path;
    FEntriesRead = Count() - before;
}

void TBaseTemplate::SaveEntries(const std::string &path, const std::function<void(TStream &)> &write)
{
    SaveFile(path, write, TLockedFolder::Fail, [&] {
        if (path == FDamagedFile)
            KeepDamagedFile();
    });
}

// The mark stays until the copy is made; a file removed since it was loaded
// leaves nothing to keep.
void TBaseTemplate::KeepDamagedFile()
{
    if (!FileExists(FDamagedFile)) {
        FDamagedFile.clear();
        return;
    }
    const std::string copy = FreeDamagedName(FDamagedFile);
    CopyFileTo(FDamagedFile, copy);
    TellDamagedFileKept(std::exchange(FDamagedFile, std::string()), FEntriesRead, copy);
}
