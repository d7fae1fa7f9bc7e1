// The signs beside the temperature entered through the real side panel: saved at once into
// SIGNS_DATA.dat, drawn in the band under the chart, and shown again after a restart.
#include <gtest/gtest.h>

#include "app_fixture.h"

namespace e2e {
namespace {

using Signs = AppTest;

TEST_F(Signs, EnteredInThePanelSavedAndReadBackAfterARestart) {
  const SampleRecords sample = SampleCycles(40, 3);
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", sample.temperatures));
  const Ymd withTemperature = DaysFromToday(-1), alone = DaysFromToday(-2);
  Start();
  EXPECT_FALSE(install.Exists(L"SIGNS_DATA.dat"));  // no sign yet: no file

  // A day with its temperature and all three signs, then a day of signs alone.
  PickDay(withTemperature);
  ASSERT_TRUE(SetText(app.Control(kTemperatureEditId), L"36.70"));
  SelectItem(app.Control(kMucusListId), 5);          // 透明でよく伸びる
  SelectItem(app.Control(kOvulationTestListId), 3);  // 強陽性
  SetChecked(app.Control(kIntercourseCheckId), true);
  MessageBoxText box = Press(kAddButtonId);
  EXPECT_EQ(box.text, DoneText(withTemperature, L"追加"));
  ASSERT_TRUE(box.Answer(IDOK));
  PickDay(alone);
  SelectItem(app.Control(kMucusListId), 3);  // 湿っている
  box = Press(kAddButtonId);
  EXPECT_EQ(box.text, DoneText(alone, L"追加"));
  ASSERT_TRUE(box.Answer(IDOK));
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kUpdateButtonId); }));
  // Saved at once, before the close.
  const std::string signs = DateText(alone) + ",2,,\r\n" + DateText(withTemperature) + ",4,2,1\r\n";
  EXPECT_EQ(install.ReadFile(L"SIGNS_DATA.dat"), signs);
  Close();

  Start();
  const struct {
    Ymd day;
    std::wstring temperature;
    int mucus, test;
    bool intercourse;
  } days[] = {{withTemperature, L"36.70", 5, 3, true}, {alone, L"", 3, 0, false}};
  for (const auto& d : days) {
    PickDay(d.day);
    EXPECT_EQ(Text(kTemperatureEditId), d.temperature);
    EXPECT_EQ(SelectedItem(app.Control(kMucusListId)), d.mucus);
    EXPECT_EQ(SelectedItem(app.Control(kOvulationTestListId)), d.test);
    EXPECT_EQ(IsChecked(app.Control(kIntercourseCheckId)), d.intercourse);
    EXPECT_TRUE(Enabled(kUpdateButtonId) && Enabled(kDeleteButtonId));
    EXPECT_FALSE(Enabled(kAddButtonId));
  }
  Close();
  EXPECT_EQ(install.ReadFile(L"SIGNS_DATA.dat"), signs);

  // The picture of the band for the guide: a cycle's mucus rising and falling around its shift.
  std::string cycle;
  const int mucus[] = {0, 0, 1, 1, 2, 2, 3, 4, 4, 3, 2, 1, 1, 0};
  for (int i = 0; i < 14; ++i) {
    const std::string test = i >= 6 && i <= 9 ? std::to_string(i == 8 ? 2 : i == 6 ? 0 : 1) : "";
    cycle += DateText(DaysFromToday(-34 + i)) + "," + std::to_string(mucus[i]) + "," + test +
             (i % 3 == 1 ? ",1\r\n" : ",\r\n");
  }
  ASSERT_TRUE(install.WriteFile(L"SIGNS_DATA.dat", cycle));
  SetCursorPos(0, 0);  // the pointer off the chart: no tip in the picture
  Start();
  DWORD_PTR result = 0;  // the oldest day in the first column
  SendMessageTimeoutW(app.Control(kChartWindowId), WM_HSCROLL, SB_LEFT, 0, SMTO_ABORTIFHUNG, 5000,
                      &result);
  app.Screenshot(app.MainWindow(), L"signs_band.bmp");
  Close();
}

}  // namespace
}  // namespace e2e
