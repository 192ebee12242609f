// Building binary workbooks byte by byte for the reader tests: BIFF records
// and a compound file (512-byte sectors, one FAT sector, every stream in
// regular sectors) that the tests can then damage at known places.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace vx::test {

inline std::string Le16(unsigned value) { return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF)}; }
inline std::string Le32(uint32_t value) { return Le16(value & 0xFFFF) + Le16(value >> 16); }
inline std::string F64(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, 8);
  return Le32(static_cast<uint32_t>(bits)) + Le32(static_cast<uint32_t>(bits >> 32));
}
inline std::string Record(unsigned type, const std::string& data) { return Le16(type) + Le16(static_cast<unsigned>(data.size())) + data; }
// A cell record's row, column and cell format.
inline std::string Place(unsigned row, unsigned column, unsigned xf = 0) { return Le16(row) + Le16(column) + Le16(xf); }
// A BIFF8 string with a 2-byte count, 8-bit characters.
inline std::string Narrow16(const std::string& text) { return Le16(static_cast<unsigned>(text.size())) + '\0' + text; }

// A workbook stream: globals (BOF, extra records, one BOUNDSHEET, EOF), then
// the worksheet (BOF, cells, EOF). version 0x0600 is BIFF8, 0x0500 BIFF5.
inline std::string WorkbookStream(const std::string& globals, const std::string& cells, unsigned version = 0x0600) {
  const std::string bof = Record(0x0809, Le16(version) + Le16(0x0005) + std::string(12, '\0'));
  const std::string eof = Record(0x000A, "");
  const std::string sheetName = version == 0x0600 ? std::string("\x06\x00Sheet1", 8) : std::string("\x06Sheet1", 7);
  const size_t boundSheetSize = 4 + 4 + 2 + sheetName.size();
  const size_t sheetStart = bof.size() + globals.size() + boundSheetSize + eof.size();
  const std::string boundSheet = Record(0x0085, Le32(static_cast<uint32_t>(sheetStart)) + std::string(2, '\0') + sheetName);
  const std::string sheetBof = Record(0x0809, Le16(version) + Le16(0x0010) + std::string(12, '\0'));
  return bof + globals + boundSheet + eof + sheetBof + cells + eof;
}

constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFreeSector = 0xFFFFFFFF;

// A compound file holding the named streams; sector 0 is the FAT, sector 1
// the directory, the streams follow in order.
struct CompoundBuilder {
  std::vector<std::pair<std::string, std::string>> streams;

  std::string Build() const {
    std::vector<uint32_t> fat(128, kFreeSector);
    fat[0] = 0xFFFFFFFD;  // the FAT's own sector
    fat[1] = kEndOfChain;
    std::string data;
    std::string directory = Entry("Root Entry", 5, kEndOfChain, 0);
    uint32_t next = 2;
    for (const auto& [name, bytes] : streams) {
      const uint32_t count = static_cast<uint32_t>((bytes.size() + 511) / 512);
      const uint32_t start = count ? next : kEndOfChain;
      for (uint32_t i = 0; i < count; ++i) fat[next + i] = i + 1 < count ? next + i + 1 : kEndOfChain;
      next += count;
      std::string padded = bytes;
      padded.resize(count * 512, '\0');
      data += padded;
      directory += Entry(name, 2, start, static_cast<uint32_t>(bytes.size()));
    }
    directory.resize(512, '\0');
    std::string header("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header += std::string(16, '\0') + Le16(0x3E) + Le16(3) + Le16(0xFFFE) + Le16(9) + Le16(6) + std::string(6, '\0');
    header += Le32(0) + Le32(1) + Le32(1) + Le32(0) + Le32(0) /* mini stream cutoff: every stream in sectors */;
    header += Le32(kEndOfChain) + Le32(0) + Le32(kEndOfChain) + Le32(0);
    header += Le32(0);
    for (int i = 1; i < 109; ++i) header += Le32(kFreeSector);
    std::string fatSector;
    for (uint32_t entry : fat) fatSector += Le32(entry);
    return header + fatSector + directory + data;
  }

  // Offset of FAT entry n in a built file.
  static size_t FatEntry(uint32_t sector) { return 512 + 4 * sector; }

 private:
  static std::string Entry(const std::string& name, uint8_t type, uint32_t start, uint32_t size) {
    std::string entry;
    for (char c : name) entry += Le16(static_cast<unsigned char>(c));
    entry.resize(64, '\0');
    entry += Le16(static_cast<unsigned>(2 * name.size() + 2));
    entry += static_cast<char>(type);
    entry += '\x01';
    entry += Le32(kFreeSector) + Le32(kFreeSector) + Le32(kFreeSector);
    entry += std::string(16 + 4 + 16, '\0');
    entry += Le32(start) + Le32(size) + Le32(0);
    return entry;
  }
};

inline void Patch32(std::string& bytes, size_t at, uint32_t value) { bytes.replace(at, 4, Le32(value)); }

}  // namespace vx::test
