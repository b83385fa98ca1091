// What the project and button-template fuzz targets share: a project object
// whose folders live in memory, a valid file of each kind made once, and the
// input's way of naming the file to read.
//
// The first input byte: with bit 0 set, the rest of the input, as it is, is
// the file; otherwise the rest patches the valid file (a record is about
// 40 KB, more than a fuzzer's inputs grow to): a 3-byte length to cut the
// file to, then 4-byte patches of a 3-byte offset and a byte value.
#pragma once

#include "FileSystem.h"
#include "GuiApplication.h"
#include "MemoryFolder.h"
#include "ProjU.h"
#include "UtilsU.h"

#include <QFile>

#include <sanitizer/lsan_interface.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

class TButtonFiles {
public:
    // The set-up renders once: what the font and OpenGL libraries keep for
    // the rest of the process is theirs, not a leak of the readers under test.
    static TButtonFiles &Instance()
    {
        __lsan_disable();
        static TButtonFiles files;
        __lsan_enable();
        return files;
    }

    TProj Project;
    std::vector<uint8_t> ValidProject;
    std::vector<uint8_t> ValidTemplate;

    // The file an input stands for, made from the valid one of its kind.
    static std::vector<uint8_t> FileOf(const std::vector<uint8_t> &valid, const uint8_t *data, size_t size)
    {
        if (size == 0)
            return valid;
        if (data[0] & 1)
            return std::vector<uint8_t>(data + 1, data + size);
        return Patched(valid, data + 1, size - 1);
    }

    static void WriteFile(const std::string &name, const std::vector<uint8_t> &bytes)
    {
        QFile file(QtFilePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()))
            std::abort();
    }

private:
    TButtonFiles()
    {
        StartGuiApplication();
        InitAppFolders(FDir.Path());
        Proj = &Project;
        Project.NewProject();
        Project.AddButton("Home");
        Project.AddButton("News");
        Project.Buttons[1]->States[1].TextItem.Text = "Longer caption";
        const std::string projectFile = ProjectsDir + "valid.prj";
        Project.SaveProjectAs(projectFile);
        Project.NewButtonTemplate("valid");
        Project.AddButtonToTemplate("Entry");
        ValidProject = ReadFile(projectFile);
        ValidTemplate = ReadFile(TemplatesDir + "valid.btn");
        Project.CloseProject();
    }

    static std::vector<uint8_t> ReadFile(const std::string &name)
    {
        QFile file(QtFilePath(name));
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        const QByteArray bytes = file.readAll();
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    }

    static uint32_t Read24(const uint8_t *p) { return p[0] | p[1] << 8 | uint32_t(p[2]) << 16; }

    static std::vector<uint8_t> Patched(std::vector<uint8_t> file, const uint8_t *data, size_t size)
    {
        if (size >= 3) {
            const size_t length = Read24(data);
            if (length < file.size())
                file.resize(length);
            data += 3;
            size -= 3;
        }
        for (; size >= 4 && !file.empty(); data += 4, size -= 4)
            file[Read24(data) % file.size()] = data[3];
        return file;
    }

    TMemoryFolder FDir;
};
