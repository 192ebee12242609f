// Benchmark of the DXF import (not a test): each file named on the command
// line is read from disk, decoded and post-processed into a table, as Start
// on the import screen does short of writing CON2TA.dat; prints the median
// time of 15 runs. dxf_benchmark.py sets it beside ezdxf.readfile.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "exchange/dxf_reader.h"
#include "exchange/import_postprocess.h"
#include "platform/atomic_file.h"

int main(int argc, char** argv) {
  using Clock = std::chrono::steady_clock;
  for (int i = 1; i < argc; ++i) {
    std::vector<double> ms;
    std::string outcome;
    for (int run = 0; run < 15; ++run) {
      const auto start = Clock::now();
      std::string text;
      if (!vx::ReadWholeFile(argv[i], text)) {
        std::fprintf(stderr, "cannot read %s\n", argv[i]);
        return 1;
      }
      vx::EntityList list;
      vx::ExchangeResult result = vx::ReadDxfText(text, list, argv[i]);
      if (result.ok) {
        vx::ElementTable table;
        vx::RecordingProgressLines progress;
        result = vx::PostProcessIntoTable(list, {"1", "2", "0"}, true, table, progress);
        outcome = result.ok ? std::to_string(table.RowCount) + " rows" : result.message;
      } else {
        outcome = result.message;
      }
      ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%s: %.2f ms (%s)\n", argv[i], ms[ms.size() / 2], outcome.c_str());
  }
  return 0;
}
