#include "app/logic/model_files.h"

namespace brondavel::app {

std::string FileFilterFor(int model) {
    return model == 2 ? "Bin File(*.zcs;*.bin) (*.zcs *.bin)" : "Bin File(*.bin) (*.bin)";
}

std::string DefaultExtensionFor(int model) {
    return model == 2 ? ".ZCS" : ".bin";
}

int TransferModeFor(int model) {
    return model == 2 ? 2 : 1;
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
    const size_t slash = path.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (nameStart >= path.size()) return path;
    if (path.find('.', nameStart) != std::string::npos) return path;
    return path + extension;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

}  // namespace brondavel::app
