#include "files/detected_database.h"

#include "files/flash_image_file.h"
#include "files/read_file.h"

namespace brondavel {

namespace {

const char* FlashTypeName(int flashType) {
    static const char* names[] = {"Unknow", "AMD 2M", "AMD 4M", "SST 2M", "SST 4M"};
    return flashType >= 0 && flashType < 5 ? names[flashType] : "flash type ?";
}

const char* CompressName(int mode) {
    static const char* names[] = {"no compression", "file compression", "section compression"};
    return mode >= 0 && mode < 3 ? names[mode] : "compress mode ?";
}

// The settings a candidate stands for, in the configured spelling where that
// reads alike (model 1 stays 1, AMD stays AMD).
FileSettings SettingsOf(const FormatCandidate& best, const FileSettings& configured) {
    FileSettings s{best.model, best.flashType, best.compressMode};
    if (best.model == 2) {
        s.flashType = configured.flashType;
        s.compressMode = configured.compressMode;
        return s;
    }
    if (configured.model == 0 || configured.model == 1) s.model = configured.model;
    if (FlashImageFile::FlashClass(configured.flashType) == FlashImageFile::FlashClass(s.flashType))
        s.flashType = configured.flashType;
    if (FlashImageFile::FlashClass(s.flashType) == 0) s.compressMode = configured.compressMode;
    return s;
}

// Reads the bytes once and fills the report.
bool ReadAndDetect(const std::string& path, InputBytes& input, DetectedDatabase& out) {
    if (!ReadInput(path, input, out.error, kDetectReadLimit)) return false;
    DetectFormatOf(path, input.data, input.size, out.report);
    return true;
}

bool Load(const std::string& path, const InputBytes& input, DetectedDatabase& out) {
    const FileSettings& s = out.used;
    out.file = MakeDatabaseFile(path, s.model, s.flashType, s.compressMode);
    if (!out.file) {
        out.error = "model " + std::to_string(s.model) + " files are not supported";
        return false;
    }
    if (!out.file->LoadBytes(input.data)) {
        out.error =
            out.file->lastError().empty() ? "cannot read \"" + path + "\"" : out.file->lastError();
        out.file.reset();
        return false;
    }
    return true;
}

}  // namespace

std::string FileSettings::Describe() const {
    if (model == 2) return "model 2";
    return "model " + std::to_string(model) + ", " + FlashTypeName(flashType) + ", " +
           CompressName(compressMode);
}

std::string FileSettings::Options() const {
    return "--model " + std::to_string(model) + " --flash " + std::to_string(flashType) +
           " --compress " + std::to_string(compressMode);
}

bool FileSettings::ReadsLike(const FileSettings& other) const {
    FormatCandidate c;
    c.model = model == 1 ? 0 : model;
    c.flashType = flashType;
    c.compressMode = compressMode;
    return c.Matches(other.model, other.flashType, other.compressMode);
}

DetectedDatabase OpenDetectedDatabase(const std::string& path, const FileSettings& configured) {
    DetectedDatabase out;
    InputBytes input;
    if (!ReadAndDetect(path, input, out)) return out;
    const FormatCandidate* best = out.report.Best();
    out.used = configured;
    if (!best) {
        out.fitsNoSettings = true;
        out.noFitReason = input.data.empty()
                              ? "\"" + path + "\" is empty"
                              : "\"" + path + "\" is no database file of any model setting";
    } else if (!best->Matches(configured.model, configured.flashType, configured.compressMode)) {
        out.used = SettingsOf(*best, configured);
        out.differsFromConfigured = true;
    }
    Load(path, input, out);
    return out;
}

DetectedDatabase OpenDatabaseAs(const std::string& path, const FileSettings& settings) {
    DetectedDatabase out;
    out.used = settings;
    InputBytes input;
    if (!ReadAndDetect(path, input, out)) return out;
    out.fitsNoSettings = out.report.Best() == nullptr;
    if (out.fitsNoSettings)
        out.noFitReason = "\"" + path + "\" is no database file of any model setting";
    out.fitsOtherBetter =
        out.report.LooksLikeOther(settings.model, settings.flashType, settings.compressMode);
    Load(path, input, out);
    return out;
}

std::unique_ptr<DatabaseFile> OpenDetectedDatabase(const std::string& path, std::string& error) {
    DetectedDatabase opened = OpenDetectedDatabase(path, FileSettings{});
    if (opened.fitsNoSettings) {
        error = opened.noFitReason;
        return nullptr;
    }
    error = opened.error;
    return std::move(opened.file);
}

}  // namespace brondavel
