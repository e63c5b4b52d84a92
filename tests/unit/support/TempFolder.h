// A fresh folder as the program's working directory while it lives, and
// reading back a file the program wrote there.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

struct TempFolder {
    TempFolder()
    {
        char pattern[] = "/tmp/zorbeltest.XXXXXX";
        std::filesystem::current_path(mkdtemp(pattern));
    }
    ~TempFolder()
    {
        const std::filesystem::path folder = std::filesystem::current_path();
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
    const std::filesystem::path previous = std::filesystem::current_path();
};

inline std::string ReadFile(const char* name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
