// The save path on Windows with a data file that another program wrote since the last read or
// write: the file as it was is kept under backup\changed before it is replaced, the user is told
// once per run, and a file whose copy is refused is not replaced.
#include <windows.h>

#include <gtest/gtest.h>

#include "../unit/support/saving_fixture.h"

using test_support::ReadBytes;
using test_support::SavedFolder;
using test_support::WriteBytes;

TEST(SavingOnWindows, AFileChangedBehindTheProgramsBackIsKeptToldOnceAndNeverLost) {
  SavedFolder f;
  const auto changed = f.folder / "backup" / "changed";
  const std::string theirs = "2026/12/1,50.0\r\n2026/12/3,49.0\r\n";
  const std::string ours = "2026/12/1,50.0\r\n2026/12/2,51.0\r\n";
  WeightRecord w;
  w.year = 2026, w.month = 12, w.day = 2, w.weight = 51.0;
  InsertWeight(w, f.weights);
  SaveNotices shown;

  WriteBytes(f.Path("WEIGHT_DATA.dat"), theirs);
  SaveOutcome outcome = f.Save();
  EXPECT_FALSE(outcome.failed);
  EXPECT_EQ(outcome.changedOnDisk, std::vector<std::u16string>{u"WEIGHT_DATA.dat"});
  EXPECT_EQ(ReadBytes(changed / "WEIGHT_DATA.dat.20261207-093005"), theirs);
  EXPECT_EQ(f.Bytes("WEIGHT_DATA.dat"), ours);
  EXPECT_TRUE(MessagesAfterSave(outcome, SaveOccasion::Change, shown).tellChanged);
  EXPECT_TRUE(f.Save(SaveScope::Everything).changedOnDisk.empty()) << "its own write is no change";

  // Changed again: kept again, not told again.
  WriteBytes(f.Path("WEIGHT_DATA.dat"), theirs + "2026/12/4,48.0\r\n");
  outcome = f.Save(SaveScope::Everything);
  EXPECT_EQ(ReadBytes(changed / "WEIGHT_DATA.dat.20261207-093005-2"), theirs + "2026/12/4,48.0\r\n");
  EXPECT_FALSE(MessagesAfterSave(outcome, SaveOccasion::Change, shown).tellChanged);

  // A copy that cannot be made: the file stays as the other program left it.
  std::filesystem::remove_all(changed);
  WriteBytes(changed, "a file in the way");
  WriteBytes(f.Path("WEIGHT_DATA.dat"), theirs);
  outcome = f.Save(SaveScope::Everything);
  EXPECT_TRUE(outcome.failed);
  EXPECT_EQ(f.Bytes("WEIGHT_DATA.dat"), theirs);
  EXPECT_EQ(f.Bytes("TEMPERATURE_DATA.dat"), "2026/12/1,36.50,0\r\n") << "the other files are saved";
}
