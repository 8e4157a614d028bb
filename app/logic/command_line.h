// brondavel [FILE] [--model 0|1|2] [--port DEV]
#pragma once

#include <string>
#include <vector>

namespace brondavel::app {

struct CommandLine {
    std::string file;
    int model = -1;  // -1: not given
    std::string port;
    bool help = false;
    std::string error;  // not empty: the arguments are wrong
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
const char* CommandLineUsage();

}  // namespace brondavel::app
