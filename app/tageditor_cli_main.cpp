#include "CCliArguments.h"
#include "CTagCli.h"
#include "JournalRecovery.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    // Before any file is linked, so that none is loaded half-written.
    for (const RecoveryReport& report : JournalRecovery::PlayBackAll())
        std::cerr << "tageditor-cli: " << report.path << ": " << report.message << '\n';
    const std::vector<std::string> args(argv + 1, argv + argc);
    CTagCli cli(std::cout, std::cerr);
    return cli.Run(CCliArguments::Parse(args));
}
