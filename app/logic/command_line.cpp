#include "app/logic/command_line.h"

namespace brondavel::app {

const char* CommandLineUsage() {
    return "usage: brondavel [FILE] [--model 0|1|2] [--port DEV]\n"
           "  FILE          a database file to open at start\n"
           "  --model N     receiver model type for this run (2: CONEXANT, the default)\n"
           "  --port DEV    serial device of port COM1 for this run, e.g. /dev/ttyUSB0\n";
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
    return out;
}

}  // namespace brondavel::app
