// Files compiled into the program: what a fresh installation holds.
#pragma once

#include <cstddef>
#include <vector>

namespace vx {

struct EmbeddedFile {
  const char* relativePath;  // "schelt.dxs", "sample/dxf/plate.dxf", ...
  const unsigned char* data;
  std::size_t size;
};

// Every file of the install/ folder of the source tree.
const std::vector<EmbeddedFile>& VxEmbeddedFiles();

}  // namespace vx
