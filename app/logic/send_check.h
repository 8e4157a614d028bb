// Before Write Into Receiver: whether the file about to be sent fits the
// receiver settings configured, since the receiver would take a wrong one.
#pragma once

#include <string>

namespace brondavel::app {

// The question to ask when the file at `path` fits other settings clearly
// better, naming what was found; "" when it fits or cannot be judged.
std::string SendMismatchQuestion(const std::string& path, int model, int flashType,
                                 int compressMode);

}  // namespace brondavel::app
