// What the model type decides about files: the dialogs' filter, the default
// extension and the transfer mode.
#pragma once

#include <string>

namespace brondavel::app {

// Filters in the file dialogs' form "Label (*.a *.b)".
std::string FileFilterFor(int model);
// ".bin" for models 0 and 1, ".ZCS" for model 2.
std::string DefaultExtensionFor(int model);
// 1 (plain blocks) for models 0 and 1, 2 (batch) for model 2.
int TransferModeFor(int model);
// `path` with `extension` appended when its file name has none.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);
// folder + "/" + name, without doubling a trailing slash.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace brondavel::app
