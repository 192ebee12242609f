// The multi-piece layout screen: the editor of the ten piece rows the
// application owns.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>

#include "machining/field_checks.h"
#include "machining/piece_layout.h"

namespace vx {

struct AppContext;

class Form_gra_tasu : public QWidget {
  Q_OBJECT

 public:
  explicit Form_gra_tasu(AppContext& context);

  // Control arrays indexed by the piece k = 0 .. 9.
  std::array<QLabel*, PieceLayout::kPieces> Label1{};
  std::array<QLineEdit*, PieceLayout::kPieces> Sft_X{};
  std::array<QLineEdit*, PieceLayout::kPieces> Sft_Y{};
  std::array<QLineEdit*, PieceLayout::kPieces> K_Angle{};
  std::array<QLineEdit*, PieceLayout::kPieces> Mir_X{};
  QPushButton* Cmd_reset = nullptr;
  QPushButton* Cmd_描画 = nullptr;

  // Asks before the ten rows are cleared (only when a row differs from the
  // reset state); refuses to show the drawing while a box is marked.
  void Cmd_reset_Click();
  void Cmd_描画_Click();

  // The yes/no question of the reset; by default a message box with the
  // buttons Yes and No (No preselected).
  void SetConfirm(std::function<bool(const QString&)> confirm) { m_confirm = std::move(confirm); }

  // The message that names a box of the layout whose text a run cannot take
  // ("３個目 ミラー の「3」は使えません。...").
  static QString IssueMessage(const PieceLayout& layout, const PieceFieldIssue& issue);

  // Shows the rows the layout holds now.
  void LoadFromLayout();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* AddBox(const char* name, int k, std::string PieceRow::*field, PieceField kind, QWidget* frame);
  QLineEdit* Box(int k, PieceField field) const;
  void CheckBox(int k, PieceField field);

  AppContext& m_context;
  std::function<bool(const QString&)> m_confirm;
  bool m_loading = false;
};

}  // namespace vx
