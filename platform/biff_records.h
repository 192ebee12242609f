// BIFF records of a binary workbook stream: the record tokenizer, a
// bounds-checked cursor over a record and its CONTINUE records, and the
// string forms records hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

namespace biff {
constexpr uint16_t kFormula = 0x0006;
constexpr uint16_t kEof = 0x000A;
constexpr uint16_t kDateMode = 0x0022;
constexpr uint16_t kFilePass = 0x002F;
constexpr uint16_t kContinue = 0x003C;
constexpr uint16_t kCodePage = 0x0042;
constexpr uint16_t kBoundSheet = 0x0085;
constexpr uint16_t kMulRk = 0x00BD;
constexpr uint16_t kMulBlank = 0x00BE;
constexpr uint16_t kRString = 0x00D6;
constexpr uint16_t kXf = 0x00E0;
constexpr uint16_t kSst = 0x00FC;
constexpr uint16_t kLabelSst = 0x00FD;
constexpr uint16_t kBlank = 0x0201;
constexpr uint16_t kNumber = 0x0203;
constexpr uint16_t kLabel = 0x0204;
constexpr uint16_t kBoolErr = 0x0205;
constexpr uint16_t kString = 0x0207;
constexpr uint16_t kArray = 0x0221;
constexpr uint16_t kRk = 0x027E;
constexpr uint16_t kFormat = 0x041E;
constexpr uint16_t kSharedFormula = 0x04BC;
constexpr uint16_t kBof = 0x0809;           // BIFF5, BIFF7 and BIFF8
constexpr uint16_t kBofBiff2 = 0x0009;      // older forms of BOF, only recognised
constexpr uint16_t kBofBiff3 = 0x0209;
constexpr uint16_t kBofBiff4 = 0x0409;
constexpr uint16_t kVersionBiff8 = 0x0600;  // in the BOF record
constexpr uint16_t kVersionBiff5 = 0x0500;  // BIFF5 and BIFF7
constexpr uint16_t kBofGlobals = 0x0005;    // BOF types
constexpr uint16_t kBofWorksheet = 0x0010;
}  // namespace biff

// One record: its type and its data as found in the stream.
struct BiffRecord {
  uint16_t type = 0;
  std::string_view data;
  size_t offset = 0;  // where its 4-byte header starts in the stream
};

// Splits a stream into records from a given position. A record whose stated
// length passes the end of the stream ends the walk as damage.
class BiffTokenizer {
 public:
  explicit BiffTokenizer(std::string_view stream, size_t start = 0) : m_stream(stream), m_at(start) {}

  // The next record; false at the end of the stream or on damage.
  bool Next(BiffRecord& record);
  // The next record without moving past it.
  bool Peek(BiffRecord& record) const;
  bool Damaged() const { return m_damaged; }

 private:
  std::string_view m_stream;
  size_t m_at;
  bool m_damaged = false;
};

// Reads little-endian fields from a record's data and from the CONTINUE
// records after it as one sequence. Every read checks the bytes left: a short
// read returns false, sets Failed() and leaves the output unchanged.
class BiffCursor {
 public:
  BiffCursor() = default;
  explicit BiffCursor(std::string_view data) { m_segments.push_back(data); }
  void AddContinue(std::string_view data) { m_segments.push_back(data); }

  bool U8(uint8_t& value);
  bool U16(uint16_t& value);
  bool U32(uint32_t& value);
  bool F64(double& value);
  bool Skip(size_t count);
  bool Failed() const { return m_failed; }
  bool AtEnd() const;

  // A BIFF8 string: character count (lengthBytes 1 or 2), option byte, and the
  // characters (8-bit Latin-1 or UTF-16LE); rich-text runs and phonetic data
  // are skipped. Where the characters cross into a CONTINUE record, that
  // record begins with a fresh option byte for the rest. Appends UTF-8.
  bool UnicodeString(int lengthBytes, std::string& utf8);
  // A BIFF5 string: character count (1 or 2 bytes) and bytes in the
  // workbook's code page. Appends UTF-8.
  bool ByteString(int lengthBytes, int codePage, std::string& utf8);

 private:
  bool Read(void* out, size_t count);
  // Moves to the next segment when the current one is used up; false at the end.
  bool Refill();

  std::vector<std::string_view> m_segments;
  size_t m_segment = 0;
  size_t m_at = 0;
  bool m_failed = false;
};

// Text of 8-bit characters in a Windows code page as UTF-8 (1252 and Latin-1
// built in; others through the platform's converter where there is one).
// Bytes that cannot be converted become U+FFFD.
std::string CodePageToUtf8(std::string_view bytes, int codePage);

// UTF-16 code units as UTF-8; an unpaired surrogate becomes U+FFFD.
void AppendUtf16(const std::u16string& units, std::string& utf8);

// The number an RK value holds (a 30-bit integer or the top 30 bits of a
// double, optionally divided by 100).
double RkValue(uint32_t rk);

}  // namespace vx
