#include "recolor_dialog_win.h"

#include "dialog_placement_win.h"
#include "resources/recolor_dialog_ids.h"
#include "win_handles.h"

namespace {

constexpr wchar_t kContextProperty[] = L"CRecolor";
constexpr INT_PTR kConfirmed = 1;
constexpr INT_PTR kCancelled = 2;

CRecolor* ContextOf(HWND dialog) {
  return static_cast<CRecolor*>(GetPropW(dialog, kContextProperty));
}

// Fills each swatch, converted from dialog units, with its row's working colour. The swatch
// statics only draw a frame, so the fill is what the user sees.
void PaintSwatches(HWND dialog, HDC dc, const CRecolor& recolor) {
  for (int index : kRecolorPaintOrder) {
    const RecolorRow& row = kRecolorRows[index];
    const RecolorRect units = RecolorSwatchRect(row);
    RECT rc{units.left, units.top, units.right, units.bottom};
    MapDialogRect(dialog, &rc);
    win32::GdiObject<HBRUSH> brush(CreateSolidBrush(recolor.Colors.working[row.slot]));
    FillRect(dc, &rc, brush.get());
  }
}

INT_PTR OnInitDialog(HWND dialog, CRecolor* recolor) {
  if (recolor == nullptr) {
    EndDialog(dialog, kCancelled);
    return TRUE;
  }
  recolor->Dialog = dialog;
  recolor->Chooser.hwndOwner = dialog;
  SetPropW(dialog, kContextProperty, recolor);
  PlaceDialog(dialog);
  return TRUE;
}

INT_PTR OnPaint(HWND dialog) {
  win32::PaintDc dc(dialog);
  if (const CRecolor* recolor = ContextOf(dialog)) PaintSwatches(dialog, dc.get(), *recolor);
  return 0;
}

// "選択...": the system colour dialog preset to the row's colour; a confirmed pick becomes the
// row's working colour. The swatches repaint either way.
void PickColour(HWND dialog, CRecolor& recolor, const RecolorRow& row) {
  recolor.Chooser.rgbResult = recolor.Colors.working[row.slot];
  if (ChooseColorW(&recolor.Chooser)) recolor.Colors.working[row.slot] = recolor.Chooser.rgbResult;
  InvalidateRect(dialog, nullptr, TRUE);
}

INT_PTR OnCommand(HWND dialog, int id) {
  CRecolor* recolor = ContextOf(dialog);
  if (recolor == nullptr) return FALSE;
  if (const RecolorRow* row = RecolorRowOfButton(id)) {
    PickColour(dialog, *recolor, *row);
    return TRUE;
  }
  switch (id) {
    case IDOK:
      ConfirmRecolor(recolor->Colors);
      EndDialog(dialog, kConfirmed);
      return TRUE;
    case IDCANCEL:
      CancelRecolor(recolor->Colors);
      EndDialog(dialog, kCancelled);
      return TRUE;
    default: {
      win32::WindowDc dc(dialog);
      if (dc) PaintSwatches(dialog, dc.get(), *recolor);
      return FALSE;
    }
  }
}

void OnDestroy(HWND dialog) {
  if (CRecolor* recolor = ContextOf(dialog)) recolor->Dialog = nullptr;
  RemovePropW(dialog, kContextProperty);
}

}  // namespace

std::unique_ptr<CRecolor> CreateRecolor(HWND owner, HINSTANCE instance, const ColorScheme& colors) {
  auto recolor = std::make_unique<CRecolor>();
  recolor->Owner = owner;
  recolor->Instance = instance;
  recolor->Colors = MakeRecolorColors(colors);
  for (COLORREF& custom : recolor->CustomColors) custom = 0xFFFFFFFF;
  // The structure's own size: the 36 bytes of a 32-bit build would make a 64-bit
  // ChooseColorW refuse the call.
  recolor->Chooser.lStructSize = sizeof(CHOOSECOLORW);
  recolor->Chooser.hwndOwner = owner;
  recolor->Chooser.hInstance = nullptr;
  recolor->Chooser.rgbResult = colors.BaseColor;
  recolor->Chooser.lpCustColors = recolor->CustomColors;
  recolor->Chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
  return recolor;
}

INT_PTR RunRecolorDialog(CRecolor& recolor) {
  return DialogBoxParamW(recolor.Instance, L"RECOLOR_DIALOG", recolor.Owner, RecolorDialogProc,
                         reinterpret_cast<LPARAM>(&recolor));
}

INT_PTR CALLBACK RecolorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<CRecolor*>(lParam));
    case WM_PAINT:
      return OnPaint(dialog);
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        EndDialog(dialog, kCancelled);  // the working colours stay as picked
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      OnDestroy(dialog);
      return FALSE;
    default:
      return FALSE;
  }
}
