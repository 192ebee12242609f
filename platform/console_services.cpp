// Console back ends of the message box and the progress lines.
#include <iostream>

#include "platform/message_box.h"
#include "platform/progress_lines.h"
#include "platform/surface.h"

namespace vx {

void ConsoleMessageBox::Show(const std::string& text) { std::cerr << text << std::endl; }

void ConsoleProgressLines::Print(const std::string& line) { std::cout << line << std::endl; }

PaletteColour PaletteEntry(int index) {
  // The classic 16-colour palette.
  static const PaletteColour kPalette[16] = {
      {0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
      {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
      {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
      {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
  return kPalette[(index % 16 + 16) % 16];
}

}  // namespace vx
