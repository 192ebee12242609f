// The multi-piece layout screen: the editor of the ten piece rows the
// application owns.
#include "machining/form_gra_tasu.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QVBoxLayout>
#include <array>

#include "platform/qt_services.h"
#include "shell/app_context.h"
#include "shell/field_marks.h"
#include "shell/screen_manager.h"

namespace vx {

namespace {

const std::array<const char*, PieceLayout::kPieces> kPieceCaptions = {
    QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "１個目"), QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "２個目"),
    QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "３個目"), QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "４個目"),
    QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "５個目"), QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "６個目"),
    QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "７個目"), QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "８個目"),
    QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "９個目"), QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "10個目")};

// Column headings, two lines over the four boxes of every row.
const std::array<std::array<const char*, 3>, 2> kHeadings = {{
    {QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "shift"), QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "回転"),
     QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "ミラー")},
    {QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "sft　X   sft　Y"), QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "角度入力"),
     QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "Xﾐﾗｰ：１　Yﾐﾗｰ：２")},
}};

// How messages name the four boxes of a row.
const char* const kBoxNames[4] = {
    QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "sft X"), QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "sft Y"),
    QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "回転 角度"), QT_TRANSLATE_NOOP("vx::Form_gra_tasu", "ミラー"),
};

const std::string& Text(const PieceRow& row, PieceField field) {
  switch (field) {
    case PieceField::kSftX:
      return row.sftX;
    case PieceField::kSftY:
      return row.sftY;
    case PieceField::kKAngle:
      return row.kAngle;
    case PieceField::kMirX:
      break;
  }
  return row.mirX;
}

constexpr PieceField kBoxes[4] = {PieceField::kSftX, PieceField::kSftY, PieceField::kKAngle, PieceField::kMirX};

}  // namespace

Form_gra_tasu::Form_gra_tasu(AppContext& context) : m_context(context) {
  setObjectName("Form_gra_tasu");
  setWindowTitle(tr("多数個とり"));
  setFont(DesignFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 10));
  auto* layout = new QVBoxLayout(this);

  // Column headings over the four boxes of every row (fixed widths, so that
  // they stand over their boxes).
  constexpr int kBox = 90, kCaption = 60, kGap = 6, kMargin = 6;
  for (int line = 0; line < 2; ++line) {
    auto* headings = new QHBoxLayout;
    headings->setSpacing(kGap);
    headings->addSpacing(kMargin + kCaption);
    const std::array<const char*, 3>& texts = kHeadings[static_cast<size_t>(line)];
    const std::array<int, 3> widths = {2 * kBox + kGap, kBox, kBox + 50};
    for (int c = 0; c < 3; ++c) {
      auto* label = new QLabel(tr(texts[c]), this);
      label->setAlignment(c == 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
      label->setFixedWidth(widths[c]);
      headings->addWidget(label);
    }
    headings->addStretch();
    layout->addLayout(headings);
  }

  for (int k = 0; k < PieceLayout::kPieces; ++k) {
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setObjectName(QString("Frame1(%1)").arg(k));
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(kMargin - 2, 2, 4, 2);
    row->setSpacing(kGap);
    Label1[k] = new QLabel(tr(kPieceCaptions[k]), frame);
    Label1[k]->setObjectName(QString("Label1(%1)").arg(k));
    Label1[k]->setFixedWidth(kCaption);
    row->addWidget(Label1[k]);
    row->addWidget(Sft_X[k] = AddBox("Sft_X", k, &PieceRow::sftX, PieceField::kSftX, frame));
    row->addWidget(Sft_Y[k] = AddBox("Sft_Y", k, &PieceRow::sftY, PieceField::kSftY, frame));
    row->addWidget(K_Angle[k] = AddBox("K_Angle", k, &PieceRow::kAngle, PieceField::kKAngle, frame));
    row->addWidget(Mir_X[k] = AddBox("Mir_X", k, &PieceRow::mirX, PieceField::kMirX, frame));
    row->addStretch();
    layout->addWidget(frame);
  }

  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  Cmd_reset = new QPushButton(tr("データ　リセット"), this);
  Cmd_reset->setObjectName("Cmd_reset");
  Cmd_描画 = new QPushButton(tr("描画へ戻る"), this);
  Cmd_描画->setObjectName(QString::fromUtf8("Cmd_描画"));
  buttons->addWidget(Cmd_reset);
  buttons->addWidget(Cmd_描画);
  connect(Cmd_reset, &QPushButton::clicked, this, [this] { Cmd_reset_Click(); });
  connect(Cmd_描画, &QPushButton::clicked, this, [this] { Cmd_描画_Click(); });
  // Closing only hides the screen: its rows live as long as the program runs.
  LoadFromLayout();
  m_confirm = [this](const QString& question) {
    return QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
  };
}

QString Form_gra_tasu::IssueMessage(const PieceLayout& layout, const PieceFieldIssue& issue) {
  const QString name = tr("%1 %2").arg(tr(kPieceCaptions[static_cast<size_t>(issue.piece)]),
                                      tr(kBoxNames[static_cast<int>(issue.field)]));
  return FieldProblemMessage(issue.problem, name, ToQString(Text(layout.Row(issue.piece), issue.field)),
                             QStringLiteral("0, 1, 2"));
}

QLineEdit* Form_gra_tasu::AddBox(const char* name, int k, std::string PieceRow::*field, PieceField kind,
                                 QWidget* frame) {
  auto* box = new QLineEdit(frame);
  box->setObjectName(QString("%1(%2)").arg(name).arg(k));
  box->setFixedWidth(90);
  // Every change is the layout's at once; the readers never look at the boxes.
  connect(box, &QLineEdit::textChanged, this, [this, k, field, kind](const QString& text) {
    if (!m_loading) m_context.layout.Row(k).*field = ToStdString(text);
    CheckBox(k, kind);
  });
  return box;
}

QLineEdit* Form_gra_tasu::Box(int k, PieceField field) const {
  switch (field) {
    case PieceField::kSftX:
      return Sft_X[static_cast<size_t>(k)];
    case PieceField::kSftY:
      return Sft_Y[static_cast<size_t>(k)];
    case PieceField::kKAngle:
      return K_Angle[static_cast<size_t>(k)];
    case PieceField::kMirX:
      break;
  }
  return Mir_X[static_cast<size_t>(k)];
}

void Form_gra_tasu::CheckBox(int k, PieceField field) {
  QLineEdit* box = Box(k, field);
  if (box == nullptr) return;  // the row is still being built
  const std::string text = ToStdString(box->text());
  const PieceFieldIssue issue{k, field, CheckPieceField(field, text)};
  MarkField(box, issue.problem, issue.problem == FieldProblem::kNone ? QString() : IssueMessage(m_context.layout, issue));
}

void Form_gra_tasu::LoadFromLayout() {
  m_loading = true;
  for (int k = 0; k < PieceLayout::kPieces; ++k) {
    const PieceRow& row = m_context.layout.Row(k);
    Sft_X[k]->setText(ToQString(row.sftX));
    Sft_Y[k]->setText(ToQString(row.sftY));
    K_Angle[k]->setText(ToQString(row.kAngle));
    Mir_X[k]->setText(ToQString(row.mirX));
  }
  m_loading = false;
}

void Form_gra_tasu::showEvent(QShowEvent* event) {
  LoadFromLayout();
  QWidget::showEvent(event);
}

void Form_gra_tasu::Cmd_reset_Click() {
  bool changed = false;
  const PieceLayout reset;
  for (int k = 0; k < PieceLayout::kPieces; ++k) {
    for (PieceField field : kBoxes) changed |= Text(m_context.layout.Row(k), field) != Text(reset.Row(k), field);
  }
  if (changed && !m_confirm(tr("多数個とりの 10 行をすべて消して、１個目を 0, 0 に戻します。よろしいですか？"))) return;
  // The loop counts with the shared CurRow, as every table walk does.
  for (m_context.table.CurRow = 0; m_context.table.CurRow < PieceLayout::kPieces; ++m_context.table.CurRow) {
    const int k = m_context.table.CurRow;
    Sft_X[k]->setText(QString());
    Sft_Y[k]->setText(QString());
    K_Angle[k]->setText(QString());
    Mir_X[k]->setText(QString());
  }
  Sft_X[0]->setText("0");
  Sft_Y[0]->setText("0");
}

void Form_gra_tasu::Cmd_描画_Click() {
  const std::vector<PieceFieldIssue> issues = CheckPieceLayout(m_context.layout);
  if (!issues.empty()) {
    const PieceFieldIssue& first = issues.front();
    m_context.messageBox.Show(ToStdString(IssueMessage(m_context.layout, first)));
    Box(first.piece, first.field)->setFocus();
    return;
  }
  m_context.screens.Show(ScreenId::kGraph, Owner::kNone);
}

}  // namespace vx
