// Where the sources and the build folder are. Kept out of compile flags, in
// one generated file, so the compiler cache serves every clone of the tree.
#pragma once

#include <string>

namespace buildpaths {

std::string SourceDir();
std::string BinaryDir();

}  // namespace buildpaths
