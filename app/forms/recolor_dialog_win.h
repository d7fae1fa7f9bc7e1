// The colour dialog "RECOLOR_DIALOG" and its context `CRecolor`.
//
// The dialog shows the seven chart colours as swatches; each row's "選択..." button opens the
// system colour dialog, fully expanded and preset to the row's colour. The context lives for the
// run: its working colours (what the swatches show), its confirmed colours (the last set accepted
// with 登録) and the sixteen custom colours of the system dialog, kept between openings and not
// saved.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <memory>

#include "recolor_rules.h"

class CRecolor {
 public:
  HWND Owner = nullptr;
  HINSTANCE Instance = nullptr;
  HWND Dialog = nullptr;  // while the dialog is open
  RecolorColors Colors;   // working, then confirmed
  COLORREF CustomColors[16] = {};
  CHOOSECOLORW Chooser = {};
};

// The context for the run: owner, instance, and both colour sets from the start-up colours;
// custom colours all white.
std::unique_ptr<CRecolor> CreateRecolor(HWND owner, HINSTANCE instance, const ColorScheme& colors);

// Runs the dialog modally with the context. 1 after 登録 (the working colours are then the
// confirmed ones), 2 after キャンセル or the close box, -1 or 0 when it could not be created.
INT_PTR RunRecolorDialog(CRecolor& recolor);

INT_PTR CALLBACK RecolorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
