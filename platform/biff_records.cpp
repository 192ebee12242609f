// BIFF records: the tokenizer, the bounds-checked cursor and the string forms.
#include "platform/biff_records.h"

#include <algorithm>
#include <cstring>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#elif __has_include(<iconv.h>)
#include <iconv.h>
#define VX_HAVE_ICONV 1
#endif

namespace vx {

namespace {

constexpr size_t kRecordHeader = 4;

uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void AppendCodePoint(uint32_t cp, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | cp >> 6));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | cp >> 12));
    out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | cp >> 18));
    out.push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

constexpr uint32_t kReplacement = 0xFFFD;

// Code page 1252 where it differs from Latin-1 (0x80..0x9F); 0 = unassigned.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

constexpr int kCodePageLatin1 = 28591;
constexpr int kCodePage1252 = 1252;
constexpr int kCodePageAscii = 367;
constexpr int kCodePageBiff8Default = 1200;  // UTF-16: BIFF8 texts carry their own form

}  // namespace

bool BiffTokenizer::Peek(BiffRecord& record) const {
  if (m_damaged || m_at >= m_stream.size()) return false;
  if (m_stream.size() - m_at < kRecordHeader) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(m_stream.data() + m_at);
  const size_t length = Le16(p + 2);
  if (m_stream.size() - m_at - kRecordHeader < length) return false;
  record.type = Le16(p);
  record.data = m_stream.substr(m_at + kRecordHeader, length);
  record.offset = m_at;
  return true;
}

bool BiffTokenizer::Next(BiffRecord& record) {
  if (m_damaged || m_at >= m_stream.size()) return false;
  if (!Peek(record)) {
    m_damaged = true;
    return false;
  }
  m_at += kRecordHeader + record.data.size();
  return true;
}

bool BiffCursor::Refill() {
  while (m_segment < m_segments.size() && m_at >= m_segments[m_segment].size()) {
    ++m_segment;
    m_at = 0;
  }
  return m_segment < m_segments.size();
}

bool BiffCursor::AtEnd() const {
  for (size_t s = m_segment; s < m_segments.size(); ++s) {
    if ((s == m_segment ? m_at : 0) < m_segments[s].size()) return false;
  }
  return true;
}

bool BiffCursor::Read(void* out, size_t count) {
  if (m_failed) return false;
  // Bytes are gathered first so that a short read changes nothing.
  unsigned char buffer[8];
  size_t done = 0;
  while (done < count) {
    if (!Refill()) {
      m_failed = true;
      return false;
    }
    const std::string_view segment = m_segments[m_segment];
    const size_t n = std::min(count - done, segment.size() - m_at);
    std::memcpy(buffer + done, segment.data() + m_at, n);
    m_at += n;
    done += n;
  }
  std::memcpy(out, buffer, count);
  return true;
}

bool BiffCursor::U8(uint8_t& value) { return Read(&value, 1); }

bool BiffCursor::U16(uint16_t& value) {
  unsigned char b[2];
  if (!Read(b, 2)) return false;
  value = Le16(b);
  return true;
}

bool BiffCursor::U32(uint32_t& value) {
  unsigned char b[4];
  if (!Read(b, 4)) return false;
  value = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
          static_cast<uint32_t>(b[3]) << 24;
  return true;
}

bool BiffCursor::F64(double& value) {
  unsigned char b[8];
  if (!Read(b, 8)) return false;
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = bits << 8 | b[i];
  std::memcpy(&value, &bits, sizeof value);
  return true;
}

bool BiffCursor::Skip(size_t count) {
  if (m_failed) return false;
  while (count > 0) {
    if (!Refill()) {
      m_failed = true;
      return false;
    }
    const size_t n = std::min(count, m_segments[m_segment].size() - m_at);
    m_at += n;
    count -= n;
  }
  return true;
}

bool BiffCursor::UnicodeString(int lengthBytes, std::string& utf8) {
  uint16_t count = 0;
  uint8_t count8 = 0;
  uint8_t options = 0;
  if (lengthBytes == 1 ? !U8(count8) : !U16(count)) return false;
  if (lengthBytes == 1) count = count8;
  if (!U8(options)) return false;
  uint16_t runs = 0;
  uint32_t phoneticBytes = 0;
  if ((options & 0x08) && !U16(runs)) return false;
  if ((options & 0x04) && !U32(phoneticBytes)) return false;
  bool wide = options & 0x01;
  std::u16string units;
  units.reserve(count);
  size_t left = count;
  while (left > 0) {
    if (m_failed) return false;
    if (m_segment < m_segments.size() && m_at >= m_segments[m_segment].size()) {
      // The characters go on in the next record, which restates the width.
      if (m_segment + 1 >= m_segments.size()) {
        m_failed = true;
        return false;
      }
      ++m_segment;
      m_at = 0;
      if (!U8(options)) return false;
      wide = options & 0x01;
      continue;
    }
    if (m_segment >= m_segments.size()) {
      m_failed = true;
      return false;
    }
    const std::string_view segment = m_segments[m_segment];
    const auto* p = reinterpret_cast<const unsigned char*>(segment.data() + m_at);
    const size_t available = segment.size() - m_at;
    const size_t take = std::min(left, wide ? available / 2 : available);
    if (take == 0) {  // half a UTF-16 unit left in the record
      m_failed = true;
      return false;
    }
    for (size_t i = 0; i < take; ++i) units.push_back(wide ? Le16(p + 2 * i) : p[i]);
    m_at += wide ? 2 * take : take;
    left -= take;
  }
  if (!Skip(4 * size_t{runs}) || !Skip(phoneticBytes)) return false;
  AppendUtf16(units, utf8);
  return true;
}

bool BiffCursor::ByteString(int lengthBytes, int codePage, std::string& utf8) {
  uint16_t count = 0;
  uint8_t count8 = 0;
  if (lengthBytes == 1 ? !U8(count8) : !U16(count)) return false;
  if (lengthBytes == 1) count = count8;
  std::string bytes;
  bytes.reserve(count);
  for (uint16_t i = 0; i < count; ++i) {
    uint8_t b;
    if (!U8(b)) return false;
    bytes.push_back(static_cast<char>(b));
  }
  utf8 += CodePageToUtf8(bytes, codePage);
  return true;
}

void AppendUtf16(const std::u16string& units, std::string& utf8) {
  for (size_t i = 0; i < units.size(); ++i) {
    const uint32_t u = units[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      AppendCodePoint(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00), utf8);
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      AppendCodePoint(kReplacement, utf8);
    } else {
      AppendCodePoint(u, utf8);
    }
  }
}

std::string CodePageToUtf8(std::string_view bytes, int codePage) {
  std::string out;
  const bool latin = codePage == kCodePageLatin1 || codePage == kCodePage1252 || codePage == kCodePageAscii ||
                     codePage == kCodePageBiff8Default;
  bool ascii = true;
  for (char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return std::string(bytes);
  if (latin) {
    for (char c : bytes) {
      const auto b = static_cast<unsigned char>(c);
      const uint32_t cp = codePage == kCodePage1252 && b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b;
      AppendCodePoint(cp == 0 ? kReplacement : cp, out);
    }
    return out;
  }
#ifdef _WIN32
  // Windows converts its own code pages (932 Shift-JIS, 936, 949, 950,
  // 1250..1258, 10000 Mac Roman); a byte it does not map becomes U+FFFD.
  if (bytes.size() < 0x10000000u) {
    const int length = static_cast<int>(bytes.size());
    const int wideLength = ::MultiByteToWideChar(static_cast<UINT>(codePage), 0, bytes.data(), length, nullptr, 0);
    if (wideLength > 0) {
      std::wstring wide(static_cast<size_t>(wideLength), L'\0');
      ::MultiByteToWideChar(static_cast<UINT>(codePage), 0, bytes.data(), length, wide.data(), wideLength);
      const int utf8Length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
      if (utf8Length > 0) {
        out.assign(static_cast<size_t>(utf8Length), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, out.data(), utf8Length, nullptr, nullptr);
        return out;
      }
    }
  }
#endif
#ifdef VX_HAVE_ICONV
  const std::string from = codePage == 10000 ? "MACINTOSH" : "CP" + std::to_string(codePage);
  iconv_t converter = iconv_open("UTF-8", from.c_str());
  if (converter != reinterpret_cast<iconv_t>(-1)) {
    std::string in(bytes);
    char* inPtr = in.data();
    size_t inLeft = in.size();
    std::string buffer(4 * in.size() + 4, '\0');
    while (inLeft > 0) {
      char* outPtr = buffer.data();
      size_t outLeft = buffer.size();
      const size_t status = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
      out.append(buffer.data(), buffer.size() - outLeft);
      if (status == static_cast<size_t>(-1) && inLeft > 0) {
        // A byte the code page does not map: one replacement, then go on.
        AppendCodePoint(kReplacement, out);
        ++inPtr;
        --inLeft;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
      }
    }
    iconv_close(converter);
    return out;
  }
#endif
  for (char c : bytes) AppendCodePoint(static_cast<unsigned char>(c) < 0x80 ? static_cast<unsigned char>(c) : kReplacement, out);
  return out;
}

double RkValue(uint32_t rk) {
  double value;
  if (rk & 0x02) {
    value = static_cast<double>(static_cast<int32_t>(rk & 0xFFFFFFFCu) / 4);
  } else {
    const uint64_t bits = static_cast<uint64_t>(rk & 0xFFFFFFFCu) << 32;
    std::memcpy(&value, &bits, sizeof value);
  }
  return (rk & 0x01) ? value / 100.0 : value;
}

}  // namespace vx
