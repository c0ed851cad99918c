#include "DisplayCheck.h"

#include <cstdlib>
#include <filesystem>

namespace DisplayCheck {
namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

bool DisplayMissing() {
#if defined(__unix__)
    return !IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY") && !IsSet("QT_QPA_PLATFORM");
#else
    return false;
#endif
}

std::string MissingDisplayMessage(const std::string& argv0) {
    const std::filesystem::path folder = std::filesystem::path(argv0).parent_path();
    const std::string cli = folder.empty() ? "tageditor-cli" : (folder / "tageditor-cli").string();
    return "No graphical display found (neither DISPLAY nor WAYLAND_DISPLAY is set): use " + cli +
           " --help to edit tags from the command line.";
}

} // namespace DisplayCheck
