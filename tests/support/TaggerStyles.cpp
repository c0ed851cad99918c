#include "TaggerStyles.h"

#include "PythonRun.h"

#include <algorithm>
#include <sstream>

namespace TaggerStyles {

std::vector<std::string> Names() {
    std::vector<std::string> names;
    std::istringstream lines(PythonOutput({TAGEDITOR_TAGGERS_SCRIPT, "styles"}));
    for (std::string line; std::getline(lines, line);)
        names.push_back(line);
    return names;
}

std::string TestName(const std::string& style) {
    std::string name = style;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

std::string Write(const std::string& style, const std::string& path) {
    return PythonOutput({TAGEDITOR_TAGGERS_SCRIPT, "write", style, path});
}

std::string Differences(const std::string& before, const std::string& after,
                        const std::vector<std::string>& changes) {
    std::vector<std::string> arguments{TAGEDITOR_TAGGERS_SCRIPT, "compare", before, after};
    arguments.insert(arguments.end(), changes.begin(), changes.end());
    return PythonOutput(arguments);
}

} // namespace TaggerStyles
