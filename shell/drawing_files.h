// Drawings for import told apart by their names, and the list of recent ones.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vx {

enum class DrawingKind { kNone, kDxf, kIges };

// By the name's extension, without regard to case: ".dxf" a DXF drawing,
// ".igs" or ".iges" an IGES drawing, anything else none.
DrawingKind DrawingKindOf(const std::string& path);

// The recent list after path was opened: path first, an earlier entry of the
// same path dropped, empty entries dropped, at most `limit` entries.
std::vector<std::string> WithRecent(const std::vector<std::string>& list, const std::string& path, std::size_t limit);

}  // namespace vx
