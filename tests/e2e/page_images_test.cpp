// The printed pages as pictures and the chart's copy in the real program: "グラフを画像で保存(&G)..."
// through its range dialog and the save dialog, the PNG files it leaves and the folder it
// remembers; Ctrl+C and the chart's context menu, read back from the clipboard.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include "app_fixture.h"

namespace e2e {
namespace {

using ChartCopy = AppTest;

constexpr wchar_t kImagesDialog[] = L"グラフを画像で保存";
constexpr wchar_t kSaveDialog[] = L"ファイルを保存！";
constexpr int kFromPickerId = 703, kToPickerId = 704, kKindLabelId = 702, kSetupId = 701;

// "Tovela-<from YYYYMMDD>-<to YYYYMMDD>.png".
std::wstring DefaultName(const Ymd& from, const Ymd& to) {
  wchar_t text[64];
  std::swprintf(text, 64, L"Tovela-%04d%02d%02d-%04d%02d%02d.png", from.year, from.month, from.day,
                to.year, to.month, to.day);
  return text;
}

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// A whole PNG file of an A4 landscape sheet at 200 DPI: the signature, the header chunk first
// (2339 x 1654) and the end chunk last.
::testing::AssertionResult IsPageImage(const std::string& png) {
  if (png.size() < 45 || png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
      png.compare(12, 4, "IHDR") != 0)
    return ::testing::AssertionFailure() << "not a PNG file (" << png.size() << " bytes)";
  if (BigEndian(png, 16) != 2339 || BigEndian(png, 20) != 1654)
    return ::testing::AssertionFailure() << BigEndian(png, 16) << " x " << BigEndian(png, 20);
  if (png.compare(png.size() - 12, 12, std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12)) != 0)
    return ::testing::AssertionFailure() << "the file does not end with its end chunk";
  return ::testing::AssertionSuccess();
}

class SaveImages : public AppTest {
 protected:
  // Posts the command and waits for its dialog.
  HWND OpenDialog() {
    PostCommand(app.MainWindow(), kSaveImagesCommand);
    return app.WaitForDialog(kImagesDialog);
  }

  // "保存(&S)" on the range, then the save dialog, which first suggests the range's name; the file
  // name typed there is `name` in the install folder. The message after saving.
  MessageBoxText Save(HWND dialog, const Ymd& from, const Ymd& to, const std::wstring& name) {
    EXPECT_TRUE(app.SetDate(GetDlgItem(dialog, kFromPickerId), from.year, from.month, from.day,
                            false));
    EXPECT_TRUE(app.SetDate(GetDlgItem(dialog, kToPickerId), to.year, to.month, to.day, false));
    PostClick(GetDlgItem(dialog, IDOK));
    HWND save = app.WaitForDialog(kSaveDialog);
    EXPECT_NE(save, nullptr);
    const std::wstring suggested = DefaultName(from, to);
    // The name field is the edit "edt1" or, in the newer template, the combo box "cmb13".
    EXPECT_TRUE(WaitUntil([&] {
      return GetText(GetDlgItem(save, 0x480)) == suggested ||
             GetText(GetDlgItem(save, 0x47C)) == suggested;
    }, 5s)) << "the name field does not hold " << std::string(suggested.begin(), suggested.end());
    EXPECT_TRUE(app.ChooseFile(kSaveDialog, install.PathOf(name)));
    return app.WaitForMessageBox();
  }
};

// The range of the printing tests' full page, then two pages: through the real dialogs, with the
// files, the message naming them and the folder remembered for the next start.
TEST_F(SaveImages, EachPrintedPageBecomesAPngThroughTheRealDialogsInTheRememberedFolder) {
  ASSERT_TRUE(install.WriteFile(L"Tovela.ini", kPrintColoursIni));
  ASSERT_TRUE(
      install.WriteFile(L"TEMPERATURE_DATA.dat", ZigzagTemperatures(DaysFromToday(-110), 130)));
  Start();
  const Ymd from = DaysFromToday(-100), pageEnd = DaysFromToday(-39);
  const Ymd twoPagesEnd = DaysFromToday(-1);

  HWND dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetText(GetDlgItem(dialog, IDOK)), L"保存(&S)");
  EXPECT_EQ(GetText(GetDlgItem(dialog, kKindLabelId)), L"PNG画像 (A4横 200dpi)");
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, kSetupId))) << "no printer to set up";
  app.Screenshot(dialog, L"save_images_dialog.bmp");
  // One page (62 days): the suggested name itself.
  const std::wstring onePage = DefaultName(from, pageEnd);
  MessageBoxText box = Save(dialog, from, pageEnd, onePage);
  EXPECT_EQ(box.caption, L"Tovela");
  EXPECT_EQ(box.text.rfind(L"グラフを1枚の画像に保存しました。\n\n保存先: ", 0), 0u);
  EXPECT_EQ(box.text.substr(box.text.rfind(L'\n') + 1), onePage);
  ASSERT_TRUE(box.Answer(IDOK));
  const std::string picture = install.ReadFile(onePage);
  EXPECT_TRUE(IsPageImage(picture));
  WriteFileBytes(ArtifactsFolder() + L"\\save_images_one_page.png", picture);

  // The dialog opens again on that range; 100 days are two pages, numbered after the name.
  dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  Ymd shown;
  ASSERT_TRUE(app.GetDate(GetDlgItem(dialog, kFromPickerId), shown.year, shown.month, shown.day));
  EXPECT_TRUE(SameDay(shown, from));
  ASSERT_TRUE(app.GetDate(GetDlgItem(dialog, kToPickerId), shown.year, shown.month, shown.day));
  EXPECT_TRUE(SameDay(shown, pageEnd));
  box = Save(dialog, from, twoPagesEnd, L"chart");
  EXPECT_EQ(box.text.rfind(L"グラフを2枚の画像に保存しました。\n\n保存先: ", 0), 0u);
  EXPECT_EQ(box.text.substr(box.text.find(L"\nchart")), L"\nchart-1.png\nchart-2.png");
  ASSERT_TRUE(box.Answer(IDOK));
  EXPECT_TRUE(IsPageImage(install.ReadFile(L"chart-1.png")));
  EXPECT_TRUE(IsPageImage(install.ReadFile(L"chart-2.png")));
  EXPECT_FALSE(install.Exists(L"chart.png"));
  Close();
  EXPECT_EQ(install.IniValue(L"ImageFolder"), install.Folder());
}

TEST_F(ChartCopy, CtrlCOnTheChartAndItsContextMenuPutItsPictureOnTheClipboard) {
  Start();
  HWND chart = app.Control(kChartWindowId);
  RECT client{};
  ASSERT_TRUE(GetClientRect(chart, &client));
  const auto copiedChart = [&] {
    BITMAPINFOHEADER header{};
    return WaitUntil([&] {
      return ClipboardDibHeader(header) && header.biWidth == client.right &&
             header.biHeight == client.bottom && header.biBitCount == 24;
    });
  };

  // Ctrl+C once the click gave the chart the focus.
  ASSERT_TRUE(EmptyTheClipboard());
  PostMessageW(chart, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(chart, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  WaitForPostedMessages();
  PressKeys(app.MainWindow(), {VK_CONTROL, 'C'});
  EXPECT_TRUE(copiedChart()) << "Ctrl+C";

  // The context menu's item, chosen by its access key.
  ASSERT_TRUE(EmptyTheClipboard());
  RECT area{};
  GetWindowRect(chart, &area);
  PostMessageW(chart, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(chart),
               MAKELPARAM((area.left + area.right) / 2, (area.top + area.bottom) / 2));
  ASSERT_TRUE(WaitUntil([&] { return !TopLevelWindows(app.Id(), L"#32768", L"", true).empty(); }))
      << "no context menu";
  PostMessageW(chart, WM_CHAR, 'c', 0);
  EXPECT_TRUE(copiedChart()) << "グラフをコピー(&C)";
  EXPECT_TRUE(app.NoMessageBox());
  Close();
  // No picture was saved: the settings file has no folder for them.
  EXPECT_EQ(install.ReadFile(L"Tovela.ini").find("ImageFolder"), std::string::npos);
}

}  // namespace
}  // namespace e2e
