// brondavel [FILE] [--model 0|1|2] [--port DEV]
// brondavel --print-pdf OUT.pdf FILE [--kind tv|radio] [--by satellite|favorite]
#pragma once

#include <string>
#include <vector>

#include "app/logic/channel_sheet.h"

namespace brondavel::app {

struct CommandLine {
    std::string file;
    int model = -1;  // -1: not given
    std::string port;
    bool help = false;
    bool version = false;
    // --print-pdf: write the channel lists of `file` there and end.
    std::string printPdf;
    std::string kind;   // "tv", "radio" or "" for both
    std::string by;     // "satellite", "favorite" or "" for one list
    std::string error;  // not empty: the arguments are wrong
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
// What --kind and --by ask of the sheet.
ChannelSheetOptions SheetOptionsOf(const CommandLine& line);
const char* CommandLineUsage();

}  // namespace brondavel::app
