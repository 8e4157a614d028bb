// check: a bad header, over-full lists and references to missing records.
#include <iostream>

#include "cli/commands.h"
#include "cli/open_database.h"
#include "files/flash_image_file.h"
#include "files/format_detect.h"

namespace brondavel::cli {

namespace {

int Check(const std::string& path, const CommonOptions& common) {
    // The load warnings are part of this report, so they are not printed twice.
    auto file = OpenDatabase(path, common, /*quiet=*/true);
    if (!file) return 1;
    const DatabaseEngine& db = file->db();
    std::vector<std::string> problems;
    if (!file->headerValid()) problems.push_back("header: the magics do not match");
    const DetectedDatabase& opened = OpeningOf(*file);
    if (opened.fitsOtherBetter)
        problems.push_back("settings: the file looks like " + opened.report.Best()->Options());
    for (const std::string& w : file->loadWarnings())
        if (w.find("header") == std::string::npos) problems.push_back("load: " + w);
    for (const ImageSection& s : db.layout().Sections()) {
        const std::string name = KindName(s.kind);
        const int stated = db.StatedCount(s.kind);
        if (stated > s.capacity)
            problems.push_back(name + ": the file states " + std::to_string(stated) +
                               " records, the image holds " + std::to_string(s.capacity));
        const int count = db.list(s.kind).Count();
        const int editable = db.layout().EditCapacity(s.kind);
        if (count > editable)
            problems.push_back(name + ": " + std::to_string(count) +
                               " records, more than a saved file can keep (" +
                               std::to_string(editable) + ")");
        int position = 0;
        for (const Record& r : db.list(s.kind).records()) {
            if (db.IsOrphan(s.kind, r)) {
                const bool tp = s.kind == kTransponder;
                const int ref =
                    tp ? db.layout().SatelliteRefOf(r) : db.layout().TransponderRefOf(r);
                problems.push_back(name + " " + std::to_string(position) + ": " +
                                   (tp ? "satellite " : "transponder ") + std::to_string(ref) +
                                   " does not exist");
            }
            ++position;
        }
    }
    if (auto* flash = dynamic_cast<FlashImageFile*>(file.get())) {
        // What a save in this flash class and mode would refuse.
        const bool perSection = flash->compressMode == FlashImageFile::kPerSection &&
                                FlashImageFile::PayloadLength(flash->flashType) > 0;
        std::vector<std::string> full;
        if (!perSection) full = flash->CapacityProblems();
        for (const std::string& p : full) problems.push_back("capacity: " + p);
        std::vector<uint8_t> image;
        std::string buildError;
        if (full.empty() && !flash->BuildFile(image, buildError))
            problems.push_back("save: " + buildError);
    }
    for (const std::string& p : problems) std::cout << p << '\n';
    return problems.empty() ? 0 : 1;
}

}  // namespace

void RegisterCheckCommand(CLI::App& app, CommonOptions& common) {
    auto* sub = app.add_subcommand(
        "check", "Report a bad header, over-full lists and references to missing records");
    AddCommonOptions(*sub, common);
    auto path = std::make_shared<std::string>();
    sub->add_option("FILE", *path, "database file")->required();
    sub->callback([&common, path] { ExitCode() = Check(*path, common); });
}

}  // namespace brondavel::cli
