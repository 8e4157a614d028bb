// Where a mode-2 read lands: the temporary file is renamed to the received
// name, or to the first free "%s(%d).%s" name when that one exists.
#pragma once

#include <string>

namespace brondavel::app {

// The name a mode-2 read is received under inside the chosen folder.
inline constexpr const char* kTemporaryReceiveName = "tmp_upload.ZCS";

struct PlacedFile {
    std::string path;   // where the received file now is
    bool named = true;  // false: it kept its temporary name
    std::string error;  // why it kept it
};
PlacedFile PlaceReceivedFile(const std::string& folder, const std::string& receivedName);

}  // namespace brondavel::app
