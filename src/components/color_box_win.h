// TWRColorBox: a drop-down list of colours with their Japanese names and a
// swatch, whose first item picks any colour with a colour dialog.
#pragma once

#include <windows.h>

#include <vector>

#include "base/types.h"
#include "components/color_names.h"
#include "components/standard_controls_win.h"

namespace tdialix {

class TWRColorDialog;

class TWRColorBox : public TWRComboBox {
 public:
  TWRColorBox();

  // Which colours it lists (TColorBoxStyle values).
  unsigned ColorStyle = cbStandardColors | cbExtendedColors | cbSystemColors | cbCustomColor;
  // The dialog the custom entry opens; none: a colour dialog of its own.
  TWRColorDialog* ColorDialog = nullptr;

  TColor Selected() const;
  // Selects the colour's item; a colour that is not listed goes into the custom entry.
  void SetSelected(TColor color);
  int ItemCount() const;
  TColor ItemColor(int index) const;
  std::wstring ItemCaption(int index) const;
  // Whether a pick with the colour dialog is running.
  bool Picking() const noexcept { return FPicking; }

 protected:
  TControlClass CreateParams() const override;
  void CreateWnd() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool HasCustomEntry() const { return (ColorStyle & cbCustomColor) != 0; }
  void SetCustomColor(TColor color);
  void Pick();
  void Chosen(int index);
  void WidenDropDown();
  int SwatchWidth() const;
  void DrawItem(const DRAWITEMSTRUCT& item) const;

  TColor FSelected = 0;
  bool FPicking = false;
  int LastIndex = -1;  // the item selected before the current pick
  int DropIndex = -1;  // the item selected when the list dropped down
};

}  // namespace tdialix
