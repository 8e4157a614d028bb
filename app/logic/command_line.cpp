#include "app/logic/command_line.h"

namespace brondavel::app {

const char* CommandLineUsage() {
    return "usage: brondavel [FILE] [--model 0|1|2] [--port DEV]\n"
           "       brondavel --print-pdf OUT.pdf FILE [--kind tv|radio] [--by satellite|favorite]\n"
           "  FILE          a database file to open at start\n"
           "  --model N     receiver model type for this run (2: CONEXANT, the default)\n"
           "  --port DEV    serial device of port COM1 for this run, e.g. /dev/ttyUSB0\n"
           "  --print-pdf OUT.pdf  write FILE's channel lists as PDF, with no window\n"
           "  --kind K      with --print-pdf: only the tv or the radio list\n"
           "  --by G        with --print-pdf: a section per satellite or favorite group\n"
           "  --version     print the version\n";
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine out;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        auto value = [&](const char* option) -> const std::string* {
            if (i + 1 < arguments.size()) return &arguments[++i];
            out.error = std::string(option) + " needs a value";
            return nullptr;
        };
        if (a == "-h" || a == "--help") {
            out.help = true;
        } else if (a == "--version") {
            out.version = true;
        } else if (a == "--print-pdf" || a == "--kind" || a == "--by") {
            const std::string* v = value(a.c_str());
            if (!v) return out;
            const bool known = a == "--print-pdf" ? !v->empty()
                               : a == "--kind"    ? *v == "tv" || *v == "radio"
                                                  : *v == "satellite" || *v == "favorite";
            if (!known) {
                out.error = a == "--print-pdf" ? "--print-pdf needs a file name"
                            : a == "--kind"
                                ? "--kind takes tv or radio, not \"" + *v + "\""
                                : "--by takes satellite or favorite, not \"" + *v + "\"";
                return out;
            }
            (a == "--print-pdf" ? out.printPdf : a == "--kind" ? out.kind : out.by) = *v;
        } else if (a == "--model") {
            const std::string* v = value("--model");
            if (!v) return out;
            if (*v != "0" && *v != "1" && *v != "2") {
                out.error = "--model takes 0, 1 or 2, not \"" + *v + "\"";
                return out;
            }
            out.model = (*v)[0] - '0';
        } else if (a == "--port") {
            const std::string* v = value("--port");
            if (!v) return out;
            if (v->empty()) {
                out.error = "--port needs a device path";
                return out;
            }
            out.port = *v;
        } else if (a.size() > 1 && a[0] == '-') {
            out.error = "unknown option " + a;
            return out;
        } else if (out.file.empty()) {
            out.file = a;
        } else {
            out.error = "only one FILE can be opened";
            return out;
        }
    }
    if (!out.printPdf.empty() && out.file.empty())
        out.error = "--print-pdf needs the FILE to print";
    else if (out.printPdf.empty() && (!out.kind.empty() || !out.by.empty()))
        out.error = "--kind and --by go with --print-pdf";
    return out;
}

ChannelSheetOptions SheetOptionsOf(const CommandLine& line) {
    ChannelSheetOptions options;
    options.tv = line.kind != "radio";
    options.radio = line.kind != "tv";
    options.grouping = line.by == "satellite"  ? SheetGrouping::kPerSatellite
                       : line.by == "favorite" ? SheetGrouping::kPerFavoriteGroup
                                               : SheetGrouping::kWholeList;
    return options;
}

}  // namespace brondavel::app
