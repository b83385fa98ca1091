// Removes a folder with all it holds when it goes: a temporary folder's own
// removal reaches no name that is not UTF-8.
#pragma once

#include <filesystem>
#include <string>

struct TRemovedFolder {
    std::string Folder;
    ~TRemovedFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Folder, ignored);
    }
};
