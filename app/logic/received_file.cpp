#include "app/logic/received_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/logic/model_files.h"
#include "link/protocol.h"

namespace brondavel::app {

PlacedFile PlaceReceivedFile(const std::string& folder, const std::string& receivedName) {
    const std::string temporary = JoinPath(folder, kTemporaryReceiveName);
    const std::string target = link::FreeTargetName(folder, receivedName);
    if (target.empty())
        return {temporary, false, "\"" + receivedName + "\" and all its numbered names exist"};
    const std::string targetPath = JoinPath(folder, target);
    if (std::rename(temporary.c_str(), targetPath.c_str()) != 0)
        return {temporary, false, std::strerror(errno)};
    return {targetPath, true, {}};
}

}  // namespace brondavel::app
