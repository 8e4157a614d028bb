// One database file on disk bound to one in-memory database and the receiver
// image between them. Each receiver generation has its own kind.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/database_engine.h"

namespace brondavel {

class DatabaseFile {
  public:
    DatabaseFile(std::string path, int model, int flashType, int compressMode)
        : path(std::move(path)), model(model), flashType(flashType), compressMode(compressMode) {}
    virtual ~DatabaseFile() = default;

    // 1 when the file was read (also when its header did not match), 0 when
    // it could not be read. Pipes and FIFOs are read as streams.
    int Load();
    // Load from bytes already read from `path` (a stream cannot be read twice).
    // Bytes beyond ReadLimit() are not looked at.
    virtual int LoadBytes(const std::vector<uint8_t>& /*data*/) { return 0; }
    // The most bytes a file of this kind and these settings can need.
    virtual size_t ReadLimit() const { return 0; }
    virtual int ImageToDatabase() { return 0; }
    // 1 when the whole file was written; the previous file survives a failure.
    virtual int Save(const std::string& /*path*/) { return 0; }
    virtual int PrintSource(const std::string& /*path*/) { return 0; }

    // False when the loaded file's magics did not match (it opened empty).
    bool headerValid() const { return headerValid_; }
    // Why the last Load, Save or PrintSource failed, for the user.
    const std::string& lastError() const { return lastError_; }
    // Problems found while loading (damage the file object worked around).
    const std::vector<std::string>& loadWarnings() const { return loadWarnings_; }
    // True when the loaded file ended before the records it states: those
    // beyond the end are not loaded, and writing it back loses them.
    bool truncated() const { return truncated_; }
    // Bytes the loaded file held.
    uint64_t loadedSize() const { return loadedSize_; }

    DatabaseEngine& db() { return *database; }
    const DatabaseEngine& db() const { return *database; }

    const std::string path;
    const int model;
    const int flashType;
    const int compressMode;

  protected:
    int Fail(std::string message) {
        lastError_ = std::move(message);
        return 0;
    }

    std::unique_ptr<DatabaseEngine> database;
    bool headerValid_ = false;
    bool truncated_ = false;
    uint64_t loadedSize_ = 0;
    std::string lastError_;
    std::vector<std::string> loadWarnings_;
};

// The file kind of a receiver model: ChannelDataFile for model 2, the
// flash-image file for models 0 and 1. Nothing is read.
std::unique_ptr<DatabaseFile> MakeDatabaseFile(const std::string& path, int model, int flashType,
                                               int compressMode);

}  // namespace brondavel
