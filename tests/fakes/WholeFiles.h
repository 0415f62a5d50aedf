#ifndef CHIRPWELL_TESTS_FAKES_WHOLEFILES_H
#define CHIRPWELL_TESTS_FAKES_WHOLEFILES_H

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A file's bytes at once, as the tests set up and check them; a file that cannot be
// read reads as empty.
inline std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

#endif
