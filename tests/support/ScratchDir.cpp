#include "ScratchDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

ScratchDir::ScratchDir() {
    const std::string pattern =
        (std::filesystem::temp_directory_path() / "tageditor-test-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data()))
        throw std::runtime_error("cannot create a scratch directory");
    m_path = name.data();
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}
