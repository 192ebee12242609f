// The compound-file container: header, FAT with its DIFAT, mini stream with
// its mini FAT, and the directory, each chain bounded by the file.
#include "platform/compound_file.h"

#include <algorithm>
#include <cstring>

namespace vx {

namespace {

constexpr unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr size_t kHeaderSize = 512;
constexpr size_t kHeaderDifatEntries = 109;  // FAT sector numbers held in the header itself
constexpr size_t kDirectoryEntrySize = 128;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint8_t kStreamEntry = 2;
constexpr uint8_t kRootEntry = 5;

uint32_t U32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
         static_cast<uint32_t>(b[3]) << 24;
}

// Callers check at + 4 <= bytes.size().
uint32_t U32(const std::string& bytes, size_t at) { return U32(bytes.data() + at); }

uint16_t U16(const std::string& bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                               static_cast<unsigned char>(bytes[at + 1]) << 8);
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

struct DirectoryEntry {
  std::u16string name;
  uint8_t type = 0;
  uint32_t start = 0;
  uint64_t size = 0;
};

bool SameName(const std::u16string& name, const std::string& wanted) {
  if (name.size() != wanted.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] > 0x7F || AsciiLower(static_cast<char>(name[i])) != AsciiLower(wanted[i])) return false;
  }
  return true;
}

// One container over the file's bytes (padded to whole sectors). Each step
// returns false on damage; nothing is read outside m_bytes.
class Container {
 public:
  explicit Container(const std::string& bytes) : m_bytes(bytes) {}

  bool ReadHeader();
  bool ReadFat();
  bool ReadDirectory();
  CompoundStream Stream(const std::vector<std::string>& names);

 private:
  // Follows a chain of units (sectors or mini sectors) through table from
  // start; stops after `wanted` units when given, else at the chain's end.
  // A unit number outside unitCount, or met twice, is damage.
  bool Chain(uint32_t start, const std::vector<uint32_t>& table, size_t unitCount, size_t wanted,
             bool stopAtWanted, std::vector<uint32_t>& units) const;
  bool ReadChain(uint32_t start, std::string& out) const;  // a chain of sectors to its end
  bool ReadMiniStream();
  const char* Sector(uint32_t index) const { return m_bytes.data() + (static_cast<size_t>(index) + 1) * m_sectorSize; }
  void AppendTable(uint32_t sector, std::vector<uint32_t>& table) const;

  std::string m_bytes;
  size_t m_sectorSize = 512;
  size_t m_miniSectorSize = 64;
  size_t m_sectorCount = 0;
  uint32_t m_miniCutoff = 4096;
  bool m_largeSizes = false;  // version 4: directory sizes are 64-bit
  std::vector<uint32_t> m_fat;
  std::vector<uint32_t> m_miniFat;
  std::vector<DirectoryEntry> m_entries;
  std::string m_miniStream;
  bool m_miniRead = false;
};

bool Container::ReadHeader() {
  const uint16_t sectorShift = U16(m_bytes, 0x1E);
  const uint16_t miniShift = U16(m_bytes, 0x20);
  // Sector sizes of 512 (version 3) and 4096 bytes (version 4) are written in
  // practice; anything from 128 bytes to 64 kB is read.
  if (sectorShift < 7 || sectorShift > 16 || miniShift < 2 || miniShift >= sectorShift) return false;
  m_sectorSize = size_t{1} << sectorShift;
  m_miniSectorSize = size_t{1} << miniShift;
  m_largeSizes = U16(m_bytes, 0x1A) >= 4;
  m_miniCutoff = U32(m_bytes, 0x38);
  // A last sector cut short reads as if padded with zeros.
  const size_t padded = (m_bytes.size() + m_sectorSize - 1) / m_sectorSize * m_sectorSize;
  const std::string header = m_bytes.substr(0, kHeaderSize);
  m_bytes.resize(std::max(padded, m_sectorSize), '\0');
  m_sectorCount = m_bytes.size() / m_sectorSize - 1;
  // The header's fields stay where they are in a larger first sector.
  return header.size() == kHeaderSize;
}

void Container::AppendTable(uint32_t sector, std::vector<uint32_t>& table) const {
  const char* data = Sector(sector);
  for (size_t at = 0; at + 4 <= m_sectorSize; at += 4) table.push_back(U32(data + at));
}

bool Container::ReadFat() {
  const uint32_t fatCount = U32(m_bytes, 0x2C);
  uint32_t difatSector = U32(m_bytes, 0x44);
  const uint32_t difatCount = U32(m_bytes, 0x48);
  if (fatCount > m_sectorCount || difatCount > m_sectorCount) return false;
  std::vector<uint32_t> fatSectors;
  for (size_t i = 0; i < kHeaderDifatEntries && fatSectors.size() < fatCount; ++i) {
    fatSectors.push_back(U32(m_bytes, 0x4C + 4 * i));
  }
  // Further FAT sector numbers in the DIFAT chain: each sector holds
  // sectorSize / 4 - 1 of them and the number of the next DIFAT sector.
  std::vector<bool> seen(m_sectorCount, false);
  for (uint32_t n = 0; n < difatCount && fatSectors.size() < fatCount; ++n) {
    if (difatSector >= m_sectorCount || seen[difatSector]) return false;
    seen[difatSector] = true;
    std::vector<uint32_t> entries;
    AppendTable(difatSector, entries);
    for (size_t i = 0; i + 1 < entries.size() && fatSectors.size() < fatCount; ++i) fatSectors.push_back(entries[i]);
    difatSector = entries.back();
  }
  if (fatSectors.size() < fatCount) return false;
  m_fat.reserve(fatSectors.size() * (m_sectorSize / 4));
  for (uint32_t sector : fatSectors) {
    if (sector >= m_sectorCount) return false;
    AppendTable(sector, m_fat);
  }
  return true;
}

bool Container::Chain(uint32_t start, const std::vector<uint32_t>& table, size_t unitCount, size_t wanted,
                      bool stopAtWanted, std::vector<uint32_t>& units) const {
  std::vector<bool> seen(unitCount, false);
  uint32_t unit = start;
  while (!(stopAtWanted && units.size() >= wanted)) {
    if (unit == kEndOfChain) return !stopAtWanted;
    if (unit >= unitCount || unit >= table.size() || seen[unit]) return false;
    seen[unit] = true;
    units.push_back(unit);
    unit = table[unit];
  }
  return true;
}

bool Container::ReadChain(uint32_t start, std::string& out) const {
  std::vector<uint32_t> sectors;
  if (!Chain(start, m_fat, m_sectorCount, 0, false, sectors)) return false;
  out.reserve(sectors.size() * m_sectorSize);
  for (uint32_t sector : sectors) out.append(Sector(sector), m_sectorSize);
  return true;
}

bool Container::ReadDirectory() {
  std::string directory;
  if (!ReadChain(U32(m_bytes, 0x30), directory)) return false;
  for (size_t at = 0; at + kDirectoryEntrySize <= directory.size(); at += kDirectoryEntrySize) {
    DirectoryEntry entry;
    const size_t nameBytes = std::min<size_t>(U16(directory, at + 64), 64);
    for (size_t i = 0; i + 1 < nameBytes; i += 2) {
      const char16_t c = U16(directory, at + i);
      if (c == 0) break;
      entry.name.push_back(c);
    }
    entry.type = static_cast<uint8_t>(directory[at + 66]);
    entry.start = U32(directory, at + 116);
    entry.size = U32(directory, at + 120);
    if (m_largeSizes) entry.size |= static_cast<uint64_t>(U32(directory, at + 124)) << 32;
    m_entries.push_back(std::move(entry));
  }
  return !m_entries.empty() && m_entries[0].type == kRootEntry;
}

bool Container::ReadMiniStream() {
  if (m_miniRead) return true;
  m_miniRead = true;
  const DirectoryEntry& root = m_entries[0];
  const size_t miniSectors = (root.size + m_miniSectorSize - 1) / m_miniSectorSize;
  if (root.size > static_cast<uint64_t>(m_sectorCount) * m_sectorSize) return false;
  std::vector<uint32_t> sectors;
  const size_t wanted = (root.size + m_sectorSize - 1) / m_sectorSize;
  if (!Chain(root.start, m_fat, m_sectorCount, wanted, true, sectors)) return false;
  for (uint32_t sector : sectors) m_miniStream.append(Sector(sector), m_sectorSize);
  m_miniStream.resize(miniSectors * m_miniSectorSize);
  std::string miniFat;
  const uint32_t miniFatStart = U32(m_bytes, 0x3C);
  if (miniFatStart != kEndOfChain && !ReadChain(miniFatStart, miniFat)) return false;
  for (size_t at = 0; at + 4 <= miniFat.size(); at += 4) m_miniFat.push_back(U32(miniFat, at));
  return true;
}

CompoundStream Container::Stream(const std::vector<std::string>& names) {
  CompoundStream result;
  const DirectoryEntry* found = nullptr;
  for (const std::string& name : names) {
    for (size_t i = 1; i < m_entries.size() && !found; ++i) {
      if (m_entries[i].type == kStreamEntry && SameName(m_entries[i].name, name)) found = &m_entries[i];
    }
    if (found) break;
  }
  if (!found) {
    result.status = CompoundStatus::kNoSuchStream;
    return result;
  }
  const uint64_t size = found->size;
  result.status = CompoundStatus::kDamaged;
  if (size < m_miniCutoff) {
    if (!ReadMiniStream() || size > m_miniStream.size()) return result;
    std::vector<uint32_t> units;
    const size_t wanted = (size + m_miniSectorSize - 1) / m_miniSectorSize;
    if (!Chain(found->start, m_miniFat, m_miniStream.size() / m_miniSectorSize, wanted, true, units)) return result;
    for (uint32_t unit : units) result.bytes.append(m_miniStream, unit * m_miniSectorSize, m_miniSectorSize);
  } else {
    if (size > static_cast<uint64_t>(m_sectorCount) * m_sectorSize) return result;
    std::vector<uint32_t> sectors;
    const size_t wanted = (size + m_sectorSize - 1) / m_sectorSize;
    if (!Chain(found->start, m_fat, m_sectorCount, wanted, true, sectors)) return result;
    result.bytes.reserve(wanted * m_sectorSize);
    for (uint32_t sector : sectors) result.bytes.append(Sector(sector), m_sectorSize);
  }
  result.bytes.resize(size);
  result.status = CompoundStatus::kOk;
  return result;
}

}  // namespace

bool HasCompoundSignature(const std::string& bytes) {
  return bytes.size() >= sizeof kSignature && std::memcmp(bytes.data(), kSignature, sizeof kSignature) == 0;
}

CompoundStream ReadCompoundStream(const std::string& bytes, const std::vector<std::string>& names) {
  CompoundStream result;
  if (!HasCompoundSignature(bytes)) {
    result.status = CompoundStatus::kNotCompound;
    return result;
  }
  result.status = CompoundStatus::kDamaged;
  if (bytes.size() < kHeaderSize) return result;
  Container container(bytes);
  if (!container.ReadHeader() || !container.ReadFat() || !container.ReadDirectory()) return result;
  return container.Stream(names);
}

}  // namespace vx
