// The DXF writer: template head, LINE and ARC entities, template tail, EOF.
#include "exchange/dxf_writer.h"

#include <cmath>
#include <vector>

#include "exchange/exchange_messages.h"
#include "shell/contour_codes.h"
#include "shell/degree.h"
#include "shell/number_text.h"

namespace vx {
namespace {

constexpr int kFirstHandle = 100;

// Template lines, each ending at CR LF, CR or LF.
std::vector<std::string> TemplateLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

class DxfOut {
 public:
  explicit DxfOut(std::string& out) : m_out(out) {}
  void Text(const std::string& line) { m_out += line + "\r\n"; }
  void Number(double value) { Text(DxfNumberLine(value)); }
  void Head(const char* type, int& handle, const char* subclass) {
    Text("  0");
    Text(type);
    Text("  5");
    Text(std::to_string(handle++));
    Text("100");
    Text("AcDbEntity");
    Text("  8");
    Text("0");
    Text("100");
    Text(subclass);
  }

 private:
  std::string& m_out;
};

void WriteLine(DxfOut& dxf, const ElementTable& t, int i, int& handle) {
  dxf.Head("LINE", handle, "AcDbLine");
  dxf.Text(" 10");
  dxf.Number(t.X[i - 1]);
  dxf.Text(" 20");
  dxf.Number(t.Y[i - 1]);
  dxf.Text(" 11");
  dxf.Number(t.X[i]);
  dxf.Text(" 21");
  dxf.Number(t.Y[i]);
}

// The ARC's angles run counter-clockwise from group 50 to 51; a clockwise
// arc (P1 < 0) has its two angles exchanged. Readers that keep to the
// subclass layout need "AcDbArc" before the angles, so it is written.
// An arc that ends where it starts is a full circle (an imported CIRCLE):
// it is written as a CIRCLE, since an ARC with two equal angles spans
// nothing in a CAD reader.
void WriteArc(DxfOut& dxf, const ElementTable& t, int i, int& handle) {
  const double cx = t.X[i], cy = t.Y[i], p1 = t.P1[i];
  // Deliberately exact: only a start and end stored as the same point close the circle.
  const bool fullCircle = static_cast<double>(t.X[i - 1]) == static_cast<double>(t.X[i + 1]) &&
                          static_cast<double>(t.Y[i - 1]) == static_cast<double>(t.Y[i + 1]);
  if (fullCircle) {
    dxf.Head("CIRCLE", handle, "AcDbCircle");
    dxf.Text(" 10");
    dxf.Number(cx);
    dxf.Text(" 20");
    dxf.Number(cy);
    dxf.Text(" 40");
    dxf.Number(std::fabs(p1));
    return;
  }
  double a1 = ExportArcAngle(cx, cy, t.X[i - 1], t.Y[i - 1]);
  double a2 = ExportArcAngle(cx, cy, t.X[i + 1], t.Y[i + 1]);
  if (p1 < 0) SwapValues(a1, a2);
  dxf.Head("ARC", handle, "AcDbCircle");
  dxf.Text(" 10");
  dxf.Number(cx);
  dxf.Text(" 20");
  dxf.Number(cy);
  dxf.Text(" 40");
  dxf.Number(std::fabs(p1));
  dxf.Text("100");
  dxf.Text("AcDbArc");
  dxf.Text(" 50");
  dxf.Number(a1);
  dxf.Text(" 51");
  dxf.Number(a2);
}

}  // namespace

double ExportArcAngle(double cx, double cy, double qx, double qy) {
  // Deliberately exact: a point straight above or below needs no arc tangent.
  if (qx == cx) return qy > cy ? 90 : -90;
  double angle = AtnDeg((qy - cy) / (qx - cx));
  if (qx < cx) angle += 180;
  return angle;
}

std::string DxfNumberLine(double value) { return SignBlankText(value) + " "; }

ExchangeResult DxfExportText(const ElementTable& table, const std::string& templateText,
                             const std::string& templateName, std::string& out) {
  const std::vector<std::string> lines = TemplateLines(templateText);
  size_t entities = 0;
  while (entities < lines.size() && lines[entities] != "ENTITIES") ++entities;
  // The line after "ENTITIES" must exist: the last template line is replaced by "EOF".
  if (entities + 1 >= lines.size()) return ExchangeResult::Stop(exchange_text::TemplateWithoutEntities(templateName));
  out.clear();
  DxfOut dxf(out);
  for (size_t i = 0; i <= entities; ++i) dxf.Text(lines[i]);
  bool afterPoint = false;
  int handle = kFirstHandle;
  for (int i = 1; i <= table.RowCount; ++i) {
    // Deliberately exact: Code 88 alone marks a separator, whatever its P1
    // holds; it is neither a point nor an arc centre, and a new chain starts
    // after it (no segment into or out of it).
    if (static_cast<double>(table.Code[i]) == kSeparatorCode) {
      afterPoint = false;
      continue;
    }
    const bool pointRow = static_cast<double>(table.P1[i]) == 0;
    if (pointRow && afterPoint && i != 1) WriteLine(dxf, table, i, handle);
    if (!pointRow) WriteArc(dxf, table, i, handle);
    afterPoint = pointRow;
  }
  for (size_t i = entities + 1; i + 1 < lines.size(); ++i) dxf.Text(lines[i]);
  dxf.Text("EOF");
  return ExchangeResult::Ok();
}

}  // namespace vx
