// The multi-piece layout screen: the editor of the ten piece rows the
// application owns.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "machining/piece_layout.h"

namespace vx {

struct AppContext;

class Form_gra_tasu : public QWidget {
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

  void Cmd_reset_Click();
  void Cmd_描画_Click();

  // Shows the rows the layout holds now.
  void LoadFromLayout();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* AddBox(const char* name, int k, std::string PieceRow::*field, QWidget* frame);

  AppContext& m_context;
  bool m_loading = false;
};

}  // namespace vx
