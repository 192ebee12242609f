// Zipped workbooks: the package checked and unpacked first, then the sheet
// read from its XML parts.
#include "platform/orcus_reader.h"

#include <zlib.h>

#include <cstring>
#include <map>
#include <optional>

#include "platform/child_process.h"
#include "platform/ods_content.h"
#include "platform/xlsx_content.h"

namespace vx {

namespace {

// Limits of a package: a workbook of element rows is a few kilobytes; these
// only keep a damaged or hostile package from using up memory or time.
constexpr uint64_t kMaxUnpackedBytes = 100u << 20;  // all entries together
constexpr size_t kMaxEntries = 10000;

uint32_t Le32(const std::string& b, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
uint16_t Le16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

// The package unpacked: the central directory is read, every entry must lie
// inside the file, be stored or deflated, unpack to exactly its stated size
// with its stated checksum, and the entries together stay under
// kMaxUnpackedBytes; XML parts must be UTF-8. A package with a damaged entry
// is refused whole.
class Package {
 public:
  // False when the package is damaged; the parts that unpacked cleanly can
  // still be read (an encrypted package's manifest is plain).
  bool Unpack(const std::string& bytes);
  // The content of a part, or empty when there is no such part.
  std::string Part(const std::string& name) const {
    const auto found = m_parts.find(name);
    return found == m_parts.end() ? std::string() : found->second;
  }

 private:
  enum class EntryStatus { kOk, kBadContent, kBadDirectory };
  EntryStatus Entry(const std::string& bytes, size_t central, size_t& next, uint64_t& unpacked);
  std::map<std::string, std::string> m_parts;
};

bool IsUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

bool EndsWith(const std::string& text, const char* tail) {
  const size_t n = std::strlen(tail);
  return text.size() >= n && text.compare(text.size() - n, n, tail) == 0;
}

Package::EntryStatus Package::Entry(const std::string& bytes, size_t central, size_t& next, uint64_t& unpacked) {
  constexpr size_t kCentralHeader = 46;
  constexpr size_t kLocalHeader = 30;
  if (central + kCentralHeader > bytes.size() || Le32(bytes, central) != 0x02014b50) return EntryStatus::kBadDirectory;
  const uint16_t method = Le16(bytes, central + 10);
  const uint32_t crc = Le32(bytes, central + 16);
  const uint64_t packed = Le32(bytes, central + 20);
  const uint64_t size = Le32(bytes, central + 24);
  const size_t nameLength = Le16(bytes, central + 28);
  const size_t extra = Le16(bytes, central + 30) + static_cast<size_t>(Le16(bytes, central + 32));
  const uint64_t local = Le32(bytes, central + 42);
  next = central + kCentralHeader + nameLength + extra;
  if (next > bytes.size()) return EntryStatus::kBadDirectory;
  unpacked += size;
  if (size > kMaxUnpackedBytes || unpacked > kMaxUnpackedBytes) return EntryStatus::kBadDirectory;
  if (method != 0 && method != 8) return EntryStatus::kBadContent;
  if (local + kLocalHeader > bytes.size() || Le32(bytes, static_cast<size_t>(local)) != 0x04034b50) {
    return EntryStatus::kBadContent;
  }
  const uint64_t start = local + kLocalHeader + Le16(bytes, static_cast<size_t>(local) + 26) +
                         static_cast<uint64_t>(Le16(bytes, static_cast<size_t>(local) + 28));
  if (start + packed > bytes.size()) return EntryStatus::kBadContent;
  std::string name = bytes.substr(central + kCentralHeader, nameLength);
  std::string content;
  if (method == 0) {
    if (packed != size) return EntryStatus::kBadContent;
    content = bytes.substr(static_cast<size_t>(start), static_cast<size_t>(size));
  } else {
    content.assign(static_cast<size_t>(size), '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return EntryStatus::kBadContent;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data() + start));
    stream.avail_in = static_cast<uInt>(packed);
    stream.next_out = reinterpret_cast<Bytef*>(content.data());
    stream.avail_out = static_cast<uInt>(size);
    const int status = inflate(&stream, Z_FINISH);
    const bool whole = status == Z_STREAM_END && stream.total_out == size;
    inflateEnd(&stream);
    if (!whole) return EntryStatus::kBadContent;
  }
  if (crc32(0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size())) != crc) {
    return EntryStatus::kBadContent;
  }
  if ((EndsWith(name, ".xml") || EndsWith(name, ".rels")) && !IsUtf8(content)) return EntryStatus::kBadContent;
  m_parts[std::move(name)] = std::move(content);
  return EntryStatus::kOk;
}

bool Package::Unpack(const std::string& bytes) {
  constexpr size_t kEndRecord = 22;
  constexpr size_t kMaxComment = 0xFFFF;
  if (bytes.size() < kEndRecord) return false;
  size_t end = std::string::npos;
  const size_t lowest = bytes.size() > kEndRecord + kMaxComment ? bytes.size() - kEndRecord - kMaxComment : 0;
  for (size_t at = bytes.size() - kEndRecord + 1; at-- > lowest;) {
    if (Le32(bytes, at) == 0x06054b50) {
      end = at;
      break;
    }
  }
  if (end == std::string::npos) return false;
  const size_t entries = Le16(bytes, end + 10);
  const uint64_t directoryStart = Le32(bytes, end + 16);
  if (entries == 0 || entries > kMaxEntries || directoryStart > end) return false;
  uint64_t unpacked = 0;
  size_t at = static_cast<size_t>(directoryStart);
  bool sound = true;
  for (size_t i = 0; i < entries; ++i) {
    size_t next = 0;
    const EntryStatus status = Entry(bytes, at, next, unpacked);
    if (status == EntryStatus::kBadDirectory) return false;
    sound = sound && status == EntryStatus::kOk;
    at = next;
  }
  return sound;
}

// An OpenDocument package whose manifest lists encryption data holds
// encrypted parts: it was saved with a password.
bool OdsIsEncrypted(const Package& package) {
  return package.Part("META-INF/manifest.xml").find("encryption-data") != std::string::npos;
}

// The package's declared content: a spreadsheet workbook (also a template or
// one with macros) or an OpenDocument spreadsheet.
bool IsXlsx(const Package& package) {
  const std::string types = package.Part("[Content_Types].xml");
  for (const char* main : {"spreadsheetml.sheet.main+xml", "spreadsheetml.template.main+xml",
                           "ms-excel.sheet.macroEnabled.main+xml", "ms-excel.template.macroEnabled.main+xml"}) {
    if (types.find(main) != std::string::npos) return true;
  }
  return false;
}
bool IsOds(const Package& package) {
  constexpr const char* kMediaType = "application/vnd.oasis.opendocument.spreadsheet";
  return package.Part("mimetype").rfind(kMediaType, 0) == 0 ||
         package.Part("META-INF/manifest.xml").find(kMediaType) != std::string::npos;
}

}  // namespace

WorksheetResult ReadZipWorkbook(const std::string& bytes, int columnCount) {
  WorksheetResult result;
  Package package;
  const bool sound = package.Unpack(bytes);
  if (OdsIsEncrypted(package)) {
    result.problem = workbook_problem::kPassword;
    return result;
  }
  if (!sound) {
    result.problem = workbook_problem::kDamaged;
    return result;
  }
  const bool xlsx = IsXlsx(package);
  const bool ods = !xlsx && IsOds(package);
  if (ods) {
    std::optional<Worksheet> sheet = ReadOdsContent(package.Part("content.xml"), columnCount);
    if (sheet) {
      result.sheet = std::move(sheet);
    } else {
      result.problem = workbook_problem::kDamaged;
    }
    return result;
  }
  if (!xlsx) {
    result.problem = workbook_problem::kNotWorkbook;
    return result;
  }
  return ReadXlsxParts([&package](const std::string& path) { return package.Part(path); }, columnCount);
}

WorksheetResult ReadZipWorkbookGuarded(const std::string& bytes, int columnCount, int timeoutSeconds) {
  if (!ChildProcessesAvailable()) return ReadZipWorkbook(bytes, columnCount);
  const std::optional<std::string> received = RunInChildProcess(
      [&bytes, columnCount] { return SerializeWorksheetResult(ReadZipWorkbook(bytes, columnCount)); }, timeoutSeconds);
  WorksheetResult result;
  if (!received || !DeserializeWorksheetResult(*received, result)) {
    result = WorksheetResult();
    result.problem = workbook_problem::kDamaged;
  }
  return result;
}

}  // namespace vx
