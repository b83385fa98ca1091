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

void TellDamagedFileKept(const std::string &path, const TDisplayText &damage, const std::string &copy)
{
    const TDisplayText text = "File \"" + SystemText(path) + "\" " + damage + ". The file as it was is kept as \"" +
                              SystemText(copy) + "\".";
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

std::string TBaseTemplate::LoadEntries(const std::string &path, const std::function<void(TStream &)> &read)
{
    FDamagedFile.clear();
    auto device = std::make_unique<QFile>();
    std::string reason;
    if (!OpenFileToRead(*device, path, reason)) {
        FDamagedFile = path;
        FDamage = "could not be read when it was loaded: " + SystemText(reason);
        return FileExists(path) ? reason : std::string();
    }
    TFileStream file(std::move(device));
    const int before = Count();
    bool allEntries = false;
    try {
        read(file);
        allEntries = true;
    } catch (const Exception &) {
    } catch (const std::bad_alloc &) {
    }
    if (allEntries && file.Remaining() == 0)
        return {};
    FDamagedFile = path;
    const TDisplayText entries(std::to_string(Count() - before));
    FDamage = allEntries ? "is damaged: its " + entries + " entries were read, but not the bytes after them"
                         : "is damaged: only " + entries + " of its entries could be read";
    return {};
}

void TBaseTemplate::SaveEntries(const std::string &path, const std::function<void(TStream &)> &write)
{
    SaveFile(path, write, TLockedFolder::Fail, [&] {
        if (path == FDamagedFile)
            KeepDamagedFile();
    });
    if (path == FDamagedFile)
        FDamagedFile.clear();
}

// The mark stays until the copy is made or the file is written. Only a
// regular file holds entries to keep: one removed since it was loaded
// leaves nothing, and a folder fails the save by itself.
void TBaseTemplate::KeepDamagedFile()
{
    if (!IsFileAt(FDamagedFile))
        return;
    const std::string copy = FreeDamagedName(FDamagedFile);
    CopyFileTo(FDamagedFile, copy);
    TellDamagedFileKept(std::exchange(FDamagedFile, std::string()), FDamage, copy);
}
