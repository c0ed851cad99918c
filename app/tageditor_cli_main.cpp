#include "CCliArguments.h"
#include "CTagCli.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    CTagCli cli(std::cout, std::cerr);
    return cli.Run(CCliArguments::Parse(args));
}
