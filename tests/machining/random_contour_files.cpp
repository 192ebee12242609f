// Writes random contour files for the interpreter sweep: the contours of the
// machining tests' generator, one table file each.
//
// Usage: random_contour_files SEED COUNT FOLDER
// writes FOLDER/cNNNN.dat for NNNN = 0 .. COUNT - 1 and FOLDER/kinds.txt, one
// line per contour: what it is made of ("polygon/tangent/back+circle/axis/free").
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "random_contours.h"
#include "shell/table_file.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: random_contour_files SEED COUNT FOLDER\n");
    return 2;
  }
  vx::test::RandomContours random(static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)), true);
  const int count = std::atoi(argv[2]);
  const std::string folder = std::string(argv[3]) + "/";
  std::ofstream kinds(folder + "kinds.txt");
  for (int k = 0; k < count; ++k) {
    vx::ElementTable table = vx::test::MakeTable(random.Next());
    char name[32];
    std::snprintf(name, sizeof name, "c%04d.dat", k);
    if (!vx::SaveTable(table, folder + name)) {
      std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), name);
      return 1;
    }
    kinds << random.Description() << "\n";
  }
  return kinds ? 0 : 1;
}
