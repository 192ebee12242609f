// Writing a file whole or not at all.
#pragma once

#include <string>

namespace vx {

// Writes bytes to a temporary file in the target's folder and renames it over
// the target. On any failure the target keeps its old contents (or stays
// absent), the temporary file is removed, and false is returned.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace vx
