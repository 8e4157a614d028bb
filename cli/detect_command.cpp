// detect: which model, flash type and compress mode a file most likely needs.
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "files/format_detect.h"

namespace brondavel::cli {

namespace {

const char* CompressName(int mode) {
    static const char* names[] = {"Not Support", "File Compress", "Section Compress"};
    return mode >= 0 && mode < 3 ? names[mode] : "?";
}

nlohmann::ordered_json CandidateJson(const FormatCandidate& c) {
    nlohmann::ordered_json j;
    j["model"] = c.model;
    j["flash"] = c.flashType;
    j["compress"] = c.compressMode;
    j["score"] = c.score;
    j["options"] = c.Options();
    j["evidence"] = c.evidence;
    return j;
}

int Detect(const std::string& path, bool json) {
    FormatReport report;
    std::string error;
    if (!DetectFormat(path, report, error)) return Fail(error);
    const FormatCandidate* best = report.Best();
    if (json) {
        nlohmann::ordered_json out;
        out["size"] = report.fileSize;
        out["best"] = best ? CandidateJson(*best) : nlohmann::ordered_json();
        out["candidates"] = nlohmann::ordered_json::array();
        for (const FormatCandidate& c : report.candidates)
            out["candidates"].push_back(CandidateJson(c));
        std::cout << out.dump() << '\n';
    } else if (best) {
        const bool firstGen = best->model == 2;
        std::cout << "model:    " << best->model
                  << (firstGen ? " (first generation)" : " or 1 (second generation)") << '\n';
        if (!firstGen) {
            const char* flash = best->flashType == 3   ? " (2 MB class: 1 or 3)"
                                : best->flashType == 4 ? " (4 MB class: 2 or 4)"
                                                       : " (no flash class)";
            std::cout << "flash:    " << best->flashType << flash << '\n'
                      << "compress: " << best->compressMode << " ("
                      << CompressName(best->compressMode) << ")\n";
        }
        std::cout << "options:  " << best->Options() << '\n';
        for (const std::string& e : best->evidence) std::cout << "evidence: " << e << '\n';
    }
    if (!best) return Fail("\"" + path + "\" is no database file of any model setting");
    return 0;
}

}  // namespace

void RegisterDetectCommand(CLI::App& app, CommonOptions&) {
    auto* sub = app.add_subcommand(
        "detect", "Say which --model, --flash and --compress a database file most likely needs");
    auto path = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    sub->add_option("FILE", *path, "database file")->required();
    sub->add_flag("--json", *json, "print JSON with every configuration tried");
    sub->callback([path, json] { ExitCode() = Detect(*path, *json); });
}

}  // namespace brondavel::cli
