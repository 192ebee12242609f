// One-call entry points of the four exchange stages, as the screens and the CLI run them.
#pragma once

#include <string>

#include "exchange/entity_list.h"
#include "exchange/import_postprocess.h"
#include "platform/progress_lines.h"
#include "shell/element_table.h"
#include "shell/install_folder.h"

namespace vx {

// Reads the DXF file at path and stores the contour as CON2TA.dat in the
// folder (progress lines from "ＤＸＦ　データロード中" to "DATA DISK. END").
// Once the file is read, the line naming the entity types left out
// ("読み込まなかった図形: TEXT 12, HATCH 3") goes to report (the progress
// lines when null), also when the post-processing then stops.
// On a stop nothing is written and the table is unchanged.
ExchangeResult ImportDxfFile(const std::string& path, const ImportOptions& options, ElementTable& table,
                             const InstallFolder& folder, ProgressLines& progress, ProgressLines* report = nullptr);

// The same for an IGES file; options.yxText chooses the arc coordinate order.
ExchangeResult ImportIgesFile(const std::string& path, const ImportOptions& options, ElementTable& table,
                              const InstallFolder& folder, ProgressLines& progress, ProgressLines* report = nullptr);

// Loads CON2TA.dat of the folder into the table for an export; stops when it
// is missing or cannot be read whole.
ExchangeResult LoadContourForExport(ElementTable& table, const InstallFolder& folder);

// Writes the loaded table as a DXF file at outPath, built on the folder's
// template schelt.dxs; whole or not at all.
ExchangeResult WriteDxfExport(const ElementTable& table, const InstallFolder& folder, const std::string& outPath);

// Writes the loaded table as an IGES file at outPath; whole or not at all.
ExchangeResult WriteIgesExport(const ElementTable& table, const std::string& outPath);

}  // namespace vx
