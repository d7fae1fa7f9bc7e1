// The save path every change goes through: which files it writes, what a failing file does to
// the others, damaged files without their copy, the messages once per run, and the name of the
// lock of one running copy per folder.
#include <gtest/gtest.h>

#include "instance_lock.h"
#include "saving.h"
#include "support/saving_fixture.h"
#include "support/store_builder.h"

using test_support::ReadBytes;
using test_support::SavedFolder;
using test_support::WriteBytes;

namespace fs = std::filesystem;

TEST(Saving, WritesOnlyWhatChangedEveryFileAtTheCloseAndNothingTwice) {
  SavedFolder f;
  EXPECT_FALSE(f.Save().failed);
  EXPECT_EQ(f.Bytes("TEMPERATURE_DATA.dat"), test_support::kLoadedTemperatures) << "nothing changed";

  f.AddTemperature(2, 36.7);
  EXPECT_FALSE(f.Save().failed);
  EXPECT_EQ(f.Bytes("TEMPERATURE_DATA.dat"), "2026/12/1,36.50,0\r\n2026/12/2,36.70,0\r\n");
  EXPECT_EQ(f.Bytes("WEIGHT_DATA.dat"), test_support::kLoadedWeights) << "weights did not change";
  // The day's copy holds the file as the day began.
  EXPECT_EQ(ReadBytes(f.folder / "backup" / "2026-12-07" / "TEMPERATURE_DATA.dat"),
            test_support::kLoadedTemperatures);

  // Its own write is not a change by another program.
  const SaveOutcome again = f.Save(SaveScope::Everything);
  EXPECT_FALSE(again.failed);
  EXPECT_TRUE(again.changedOnDisk.empty());
  EXPECT_EQ(f.Bytes("WEIGHT_DATA.dat"), "2026/12/1,50.0\r\n");
  EXPECT_FALSE(fs::exists(f.folder / "backup" / "changed"));
}

// One file that cannot be written: the others are written all the same, the result is a failure,
// and the next save tries that file again.
TEST(Saving, AFailingFileStopsNoOtherAndIsTriedAgain) {
  SavedFolder f;
  const fs::path weights = f.Path("WEIGHT_DATA.dat");
  fs::permissions(weights, fs::perms::owner_write, fs::perm_options::remove);
  f.AddTemperature(2, 36.7);
  WeightRecord w;
  w.year = 2026, w.month = 12, w.day = 2, w.weight = 51.0;
  InsertWeight(w, f.weights);
  MemoRecord m;
  m.year = 2026, m.month = 12, m.day = 2, m.text[0] = u'a';
  InsertMemo(m, f.memos);

  const SaveOutcome outcome = f.Save();
  EXPECT_TRUE(outcome.failed);
  EXPECT_EQ(outcome.failedFiles, std::vector<std::u16string>{u"WEIGHT_DATA.dat"});
  EXPECT_EQ(f.Bytes("TEMPERATURE_DATA.dat"), "2026/12/1,36.50,0\r\n2026/12/2,36.70,0\r\n");
  EXPECT_EQ(f.Bytes("WEIGHT_DATA.dat"), test_support::kLoadedWeights);
  EXPECT_EQ(f.Bytes("MEMO_DATA.dat"), test_support::Utf16LeBytes(u"2026/12/2,a\r\n"));

  fs::permissions(weights, fs::perms::owner_write, fs::perm_options::add);
  const SaveOutcome again = f.Save();
  EXPECT_FALSE(again.failed);
  EXPECT_TRUE(again.failedFiles.empty());
  EXPECT_EQ(f.Bytes("WEIGHT_DATA.dat"), "2026/12/1,50.0\r\n2026/12/2,51.0\r\n");
}

// A file whose load skipped lines and of which no copy could be kept is copied before the save
// replaces it: into backup\damaged, or beside itself while that folder cannot be made.
TEST(Saving, ADamagedFileWithoutItsCopyIsCopiedBeforeItIsReplaced) {
  const std::string damaged = std::string(test_support::kLoadedTemperatures) + "2026/2/30,36.5,0\r\n";
  const std::string saved = "2026/12/1,36.50,0\r\n2026/12/2,36.70,0\r\n";
  for (const bool backupBlocked : {false, true}) {
    SavedFolder f;
    WriteBytes(f.Path("TEMPERATURE_DATA.dat"), damaged);
    f.files[StoreKind::Temperature] =
        LoadedFileState(f.Path("TEMPERATURE_DATA.dat"), f.temperatures.records.version, true);
    if (backupBlocked) WriteBytes(f.folder / "backup", "a file in the way");
    f.AddTemperature(2, 36.7);
    EXPECT_FALSE(f.Save().failed);
    EXPECT_EQ(f.Bytes("TEMPERATURE_DATA.dat"), saved);
    const fs::path copy = (backupBlocked ? f.folder.path() : f.folder / "backup" / "damaged") /
                          "TEMPERATURE_DATA.dat.20261207-093005";
    EXPECT_EQ(ReadBytes(copy), damaged) << backupBlocked;
    EXPECT_FALSE(f.files[StoreKind::Temperature].damagedCopyMissing);
  }
}

// Another program's change of the same size within one tick of the file system's clock (FAT32
// counts in 2 seconds): size and time are as last written, the bytes are not.
TEST(Saving, ASameSizeChangeWithinOneClockTickIsKeptBeforeItIsReplaced) {
  SavedFolder f;
  const fs::path weights = f.Path("WEIGHT_DATA.dat");
  const auto time = fs::last_write_time(weights);
  const std::string theirs = "2026/12/1,51.00\r\n";
  ASSERT_EQ(theirs.size(), std::string(test_support::kLoadedWeights).size());
  WriteBytes(weights, theirs);
  fs::last_write_time(weights, time);
  WeightRecord w;
  w.year = 2026, w.month = 12, w.day = 2, w.weight = 51.0;
  InsertWeight(w, f.weights);

  const SaveOutcome outcome = f.Save();
  EXPECT_FALSE(outcome.failed);
  EXPECT_EQ(outcome.changedOnDisk, std::vector<std::u16string>{u"WEIGHT_DATA.dat"});
  EXPECT_EQ(ReadBytes(f.folder / "backup" / "changed" / "WEIGHT_DATA.dat.20261207-093005"), theirs);
  EXPECT_TRUE(f.Save(SaveScope::Everything).changedOnDisk.empty()) << "its own write is no change";
}

// A file unreadable at load is merged at its save, the store winning a date both hold. A line of
// the file that the store's record replaces (a day the user entered again) is kept first, in
// backup\changed as for another program's change, and the user is told the same way; lines the
// store holds alike, or only in another spelling, are no reason for a copy.
TEST(Saving, AMergedSaveKeepsTheFileBeforeReplacingOneOfItsLines) {
  const struct {
    const char* file;
    bool kept;
  } cases[] = {
      {"2026/12/1,36.80,1\r\n2026/12/3,36.90,0\r\n", true},
      {"2026/12/1,36.5,0\r\n2026/12/3,36.90,0\r\n", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    SavedFolder f;  // its store holds 2026/12/1,36.50,0
    WriteBytes(f.Path("TEMPERATURE_DATA.dat"), c.file);
    f.temperatures.records.fileUnread = true;
    const SaveOutcome outcome = f.Save(SaveScope::Everything);
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(f.Bytes("TEMPERATURE_DATA.dat"), "2026/12/1,36.50,0\r\n2026/12/3,36.90,0\r\n");
    const fs::path copy = f.folder / "backup" / "changed" / "TEMPERATURE_DATA.dat.20261207-093005";
    EXPECT_EQ(ReadBytes(copy), c.kept ? c.file : "");
    EXPECT_EQ(outcome.changedOnDisk,
              c.kept ? std::vector<std::u16string>{u"TEMPERATURE_DATA.dat"} : std::vector<std::u16string>{});
  }
  // No copy possible: the file is not replaced.
  SavedFolder f;
  WriteBytes(f.Path("TEMPERATURE_DATA.dat"), cases[0].file);
  WriteBytes(f.folder / "backup", "a file in the way");
  f.temperatures.records.fileUnread = true;
  EXPECT_TRUE(f.Save(SaveScope::Everything).failed);
  EXPECT_EQ(f.Bytes("TEMPERATURE_DATA.dat"), cases[0].file);
}

// A failure is told once per run after an ordinary change, but every time after a change the
// user confirmed (whose confirmation is then left out) and at every close.
TEST(Saving, EachMessageOncePerRunExceptTheFailureOfAConfirmedChangeOrTheClose) {
  SaveOutcome failed;
  failed.failed = true;
  SaveOutcome changed;
  changed.changedOnDisk = {u"MEMO_DATA.dat"};
  const struct {
    SaveOccasion occasion;
    const SaveOutcome* outcome;
    bool tellChanged, tellFailure;
  } steps[] = {
      {SaveOccasion::ChangeBeforeClose, &failed, false, false},  // its close tells it
      {SaveOccasion::Change, &failed, false, true},
      {SaveOccasion::Change, &failed, false, false},  // told already
      {SaveOccasion::ConfirmedChange, &failed, false, true},  // its confirmation is left out
      {SaveOccasion::ConfirmedChange, &failed, false, true},
      {SaveOccasion::Close, &failed, false, true},    // the close says why it stays
      {SaveOccasion::Close, &failed, false, true},
      {SaveOccasion::SessionEnd, &changed, false, false},  // nothing at log-off
      {SaveOccasion::ConfirmedChange, &changed, true, false},
      {SaveOccasion::Change, &changed, false, false},
      {SaveOccasion::Close, &changed, false, false},
  };
  SaveNotices shown;
  int i = 0;
  for (const auto& s : steps) {
    const SaveMessages m = MessagesAfterSave(*s.outcome, s.occasion, shown);
    EXPECT_EQ(m.tellChanged, s.tellChanged) << i;
    EXPECT_EQ(m.tellFailure, s.tellFailure) << i++;
  }
  SaveNotices first;
  EXPECT_TRUE(MessagesAfterSave(failed, SaveOccasion::ConfirmedChange, first).tellFailure);
  EXPECT_FALSE(MessagesAfterSave(failed, SaveOccasion::Change, first).tellFailure) << "told already";
}

TEST(Saving, FailureNamesTheFilesThatCouldNotBeWritten) {
  EXPECT_EQ(SaveFailedText({}), kSaveFailedText);
  EXPECT_EQ(SaveFailedText({u"Tovela.ini", u"MEMO_DATA.dat"}),
            std::u16string(kSaveFailedText) +
                u"\n保存できなかったファイル: Tovela.ini、MEMO_DATA.dat");
}

TEST(Saving, ChangedFilesNotice) {
  EXPECT_EQ(ChangedFilesText({u"WEIGHT_DATA.dat"}),
            u"WEIGHT_DATA.dat がほかのプログラムで変更されていました。\n"
            u"変更されたファイルを backup\\changed フォルダに保存してから、この記録で上書きしました。");
  EXPECT_EQ(ChangedFilesText({u"A", u"B"}).substr(0, 4), u"A、B ");
}

TEST(InstanceLock, OneNamePerFolderWhateverTheSpelling) {
  const std::u16string name = InstanceLockName(u"C:\\USERS\\A\\TOVELA");
  EXPECT_EQ(name.size(), std::u16string(u"Local\\Tovela-").size() + 16);
  EXPECT_EQ(name.substr(0, 13), u"Local\\Tovela-");
  for (const char16_t* same : {u"C:\\USERS\\A\\TOVELA\\", u"C:/USERS/A/TOVELA", u"C:\\USERS\\A\\TOVELA\\\\"})
    EXPECT_EQ(InstanceLockName(same), name) << test_support::Utf8(same);
  for (const char16_t* other : {u"C:\\USERS\\A\\TOVELA2", u"C:\\USERS\\B\\TOVELA", u"D:\\USERS\\A\\TOVELA", u""})
    EXPECT_NE(InstanceLockName(other), name) << test_support::Utf8(other);
}

// The start-up load reads each store from its own file and names each damaged file by kind; the
// state it leaves marks for a copy at the first save only the damaged files whose copy is missing.
TEST(Saving, TheStartUpLoadReadsEachStoreFromItsFileAndNotesItsDamage) {
  SavedFolder f;
  WriteBytes(f.Path("WEIGHT_DATA.dat"), "2026/12/1,50.0\r\nbroken\r\n");
  WriteBytes(f.Path("MEMO_DATA.dat"), std::string("x\0\r\0\n\0", 6));
  RecordStores loaded;
  const std::vector<DamagedFile> damaged =
      LoadDataFiles(loaded, f.Paths(), test_support::kSaveMoment);
  EXPECT_EQ(test_support::Describe(loaded.temperatures), "2026/12/1,36.50,0");
  EXPECT_EQ(test_support::Describe(loaded.weights), "2026/12/1,50.0");
  EXPECT_TRUE(loaded.memos.records.Empty());
  ASSERT_EQ(damaged.size(), 2u);
  EXPECT_EQ(damaged[0].name, u"WEIGHT_DATA.dat");
  EXPECT_EQ(damaged[1].name, u"MEMO_DATA.dat");
  EXPECT_EQ(damaged[0].skippedLines, 1u);
  EXPECT_TRUE(damaged[0].copyKept);

  std::vector<DamagedFile> copyMissing = damaged;
  copyMissing[1].copyKept = false;
  const DataFilesState files = LoadedFilesState(loaded, f.Paths(), copyMissing);
  for (const auto& [kind, missing] : {std::pair{StoreKind::Temperature, false},
                                      std::pair{StoreKind::Weight, false},
                                      std::pair{StoreKind::Memo, true}}) {
    EXPECT_EQ(files[kind].path, f.Paths()[kind]);
    EXPECT_EQ(files[kind].damagedCopyMissing, missing) << static_cast<int>(kind);
  }
  // The last store walked moves the version of them all too.
  const std::uint64_t version = StoresVersion(loaded);
  loaded.memos.records.Clear();
  EXPECT_NE(StoresVersion(loaded), version);
}
