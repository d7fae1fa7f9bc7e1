// The data files written and read by the Windows build: the same bytes as the native build, the
// program's doubled-separator paths, and refusals that leave the old file untouched.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../unit/support/store_builder.h"
#include "../unit/support/temp_folder.h"
#include "data_files.h"

using test_support::AddMemos;
using test_support::AddTemperatures;
using test_support::AddWeights;
using test_support::Describe;
using test_support::MakeTemperature;
using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::Utf16LeBytes;
using test_support::WriteBytes;

namespace {

// The program's way of naming a data file: the folder with its trailing backslash, then a name
// that starts with a backslash.
std::filesystem::path ProgramPath(const TempFolder& folder, const wchar_t* name) {
  return std::filesystem::path(folder.path().native() + L"\\" + name);
}

constexpr char kTemperatureBytes[] =
    "2007/5/3,36.46,1\r\n2007/5/30,36.45,0\r\n2007/12/31,37.00,1\r\n2008/1/1,36.12,0\r\n";
constexpr char kWeightBytes[] = "2007/5/3,52.3\r\n2007/5/4,52.4\r\n2007/5/6,52.2\r\n2007/5/7,52.8\r\n";

void FillTemperatures(TemperatureStore& store) {
  ASSERT_TRUE(InsertTemperature(MakeTemperature(2007, 5, 3, 36.456, 1), store));
  AddTemperatures(store, "2007/5/30,36.45,0; 2007/12/31,37,1; 2008/1/1,36.125,0");
}

}  // namespace

TEST(DataFilesOnWindows, BytesMatchTheNativeBuild) {
  TempFolder folder;
  TemperatureStore temperatures;
  FillTemperatures(temperatures);
  WeightStore weights;
  AddWeights(weights, "2007/5/3,52.34; 2007/5/4,52.35; 2007/5/6,52.25; 2007/5/7,52.75");
  MemoStore memos;
  AddMemos(memos, "2007/5/30,ab; 2007/6/1,眠い𠮷");

  const auto temperatureFile = ProgramPath(folder, kTemperatureFileName);
  const auto weightFile = ProgramPath(folder, kWeightFileName);
  const auto memoFile = ProgramPath(folder, kMemoFileName);
  ASSERT_TRUE(SaveTemperatureData(temperatures, temperatureFile));
  ASSERT_TRUE(SaveWeightData(weights, weightFile));
  ASSERT_TRUE(SaveMemoData(memos, memoFile));

  EXPECT_EQ(ReadBytes(folder / "TEMPERATURE_DATA.dat"), kTemperatureBytes);
  EXPECT_EQ(ReadBytes(folder / "WEIGHT_DATA.dat"), kWeightBytes);
  EXPECT_EQ(ReadBytes(folder / "MEMO_DATA.dat"),
            Utf16LeBytes(u"2007/5/30,ab\r\n2007/6/1,眠い\U00020BB7\r\n"));
  EXPECT_EQ(folder.Listing(), "MEMO_DATA.dat TEMPERATURE_DATA.dat WEIGHT_DATA.dat");

  TemperatureStore temperaturesBack;
  WeightStore weightsBack;
  MemoStore memosBack;
  LoadTemperatureData(temperaturesBack, temperatureFile);
  LoadWeightData(weightsBack, weightFile);
  LoadMemoData(memosBack, memoFile);
  EXPECT_EQ(Describe(temperaturesBack),
            "2007/5/3,36.46,1;2007/5/30,36.45,0;2007/12/31,37.00,1;2008/1/1,36.12,0");
  EXPECT_EQ(Describe(weightsBack), "2007/5/3,52.3;2007/5/4,52.4;2007/5/6,52.2;2007/5/7,52.8");
  EXPECT_EQ(Describe(memosBack), Describe(memos));
}

TEST(DataFilesOnWindows, LoadsLinesWrittenByTheNativeBuild) {
  TempFolder folder;
  WriteBytes(folder / "TEMPERATURE_DATA.dat",
             "2007/6/1,36.55,0\r\n2007/2/30,36.0,0\r\n2007/5/30,36.45,1\r\n2007/5/31,inf,0\r\n");
  WriteBytes(folder / "MEMO_DATA.dat", Utf16LeBytes(u"2007/5/30,眠い\r\nx\r\n2007/5/31,頭痛"));
  TemperatureStore temperatures;
  MemoStore memos;
  LoadTemperatureData(temperatures, ProgramPath(folder, kTemperatureFileName));
  LoadMemoData(memos, ProgramPath(folder, kMemoFileName));
  EXPECT_EQ(Describe(temperatures), "2007/5/30,36.45,1;2007/6/1,36.55,0");
  EXPECT_EQ(Describe(memos), "2007/5/30,眠い;2007/5/31,頭痛");
}

TEST(DataFilesOnWindows, MissingFileIsCreatedEmpty) {
  TempFolder folder;
  WeightStore weights;
  LoadWeightData(weights, ProgramPath(folder, kWeightFileName));
  EXPECT_EQ(weights.head(), nullptr);
  EXPECT_EQ(folder.Listing(), "WEIGHT_DATA.dat");
  EXPECT_EQ(ReadBytes(folder / "WEIGHT_DATA.dat"), "");
}

TEST(DataFilesOnWindows, SaveIntoReadOnlyFileFailsAndLeavesItByteIdentical) {
  TempFolder folder;
  const auto file = ProgramPath(folder, kTemperatureFileName);
  WriteBytes(file, "2007/5/30,36.45,1\r\n");
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
  TemperatureStore store;
  FillTemperatures(store);
  EXPECT_FALSE(SaveTemperatureData(store, file));
  EXPECT_EQ(ReadBytes(file), "2007/5/30,36.45,1\r\n");
  EXPECT_EQ(folder.Listing(), "TEMPERATURE_DATA.dat");  // no temporary file left behind
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(SaveTemperatureData(store, file));
  EXPECT_EQ(ReadBytes(file), kTemperatureBytes);
}

TEST(DataFilesOnWindows, SaveIntoMissingFolderFails) {
  TempFolder folder;
  TemperatureStore store;
  FillTemperatures(store);
  const std::filesystem::path file(folder.path().native() + L"\\absent\\" + kTemperatureFileName);
  EXPECT_FALSE(SaveTemperatureData(store, file));
  EXPECT_EQ(folder.Listing(), "");
}

// Another program holding the file open without sharing: the load reads nothing and leaves the
// file alone; the save fails and the file keeps its bytes until it is released.
TEST(DataFilesOnWindows, FileLockedByAnotherProgramIsNeitherTruncatedNorReplaced) {
  TempFolder folder;
  const auto file = ProgramPath(folder, kTemperatureFileName);
  WriteBytes(file, "2007/5/30,36.45,1\r\n");
  HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  TemperatureStore store;
  LoadTemperatureData(store, file);
  EXPECT_EQ(store.head(), nullptr);
  AddTemperatures(store, "2007/6/1,36.60,0");
  EXPECT_FALSE(SaveTemperatureData(store, file));
  CloseHandle(lock);
  EXPECT_EQ(ReadBytes(file), "2007/5/30,36.45,1\r\n");
  EXPECT_EQ(folder.Listing(), "TEMPERATURE_DATA.dat");
  // Once released, the save keeps the lines it never loaded beside the new record.
  ASSERT_TRUE(SaveTemperatureData(store, file));
  EXPECT_EQ(ReadBytes(file), "2007/5/30,36.45,1\r\n2007/6/1,36.60,0\r\n");
  EXPECT_EQ(folder.Listing(), "TEMPERATURE_DATA.dat backup");  // the day's copy of the old file
}

TEST(DataFilesOnWindows, SaveWhileAnotherProgramHoldsTheFileFailsAndKeepsIt) {
  TempFolder folder;
  const auto file = ProgramPath(folder, kWeightFileName);
  WriteBytes(file, "2007/5/30,52.3\r\n");
  WeightStore store;
  LoadWeightData(store, file);
  AddWeights(store, "2007/6/1,51.0");
  HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(SaveWeightData(store, file));
  CloseHandle(lock);
  EXPECT_EQ(ReadBytes(file), "2007/5/30,52.3\r\n");
  EXPECT_EQ(folder.Listing(), "WEIGHT_DATA.dat");
  ASSERT_TRUE(SaveWeightData(store, file));
  EXPECT_EQ(ReadBytes(file), "2007/5/30,52.3\r\n2007/6/1,51.0\r\n");
}

TEST(DataFilesOnWindows, LeftoverTemporaryFilesDoNotBlockTheSave) {
  TempFolder folder;
  const auto file = ProgramPath(folder, kWeightFileName);
  WriteBytes(folder / "WEIGHT_DATA.dat.0~", "left by a crash");
  WriteBytes(folder / "WEIGHT_DATA.dat.1~", "left by a crash");
  WeightStore store;
  AddWeights(store, "2007/6/1,51.0");
  ASSERT_TRUE(SaveWeightData(store, file));
  EXPECT_EQ(ReadBytes(file), "2007/6/1,51.0\r\n");
  EXPECT_EQ(folder.Listing(), "WEIGHT_DATA.dat WEIGHT_DATA.dat.0~ WEIGHT_DATA.dat.1~");
}

// The program's doubled-separator path still puts the day's copy in "backup" beside the file.
TEST(DataFilesOnWindows, DaysCopyGoesToTheBackupFolderBesideTheFile) {
  TempFolder folder;
  const auto file = ProgramPath(folder, kTemperatureFileName);
  WriteBytes(file, "2007/5/30,36.45,1\r\n");
  TemperatureStore store;
  FillTemperatures(store);
  ASSERT_TRUE(SaveTemperatureData(store, file, LocalTime{2026, 12, 7, 10, 0, 0}));
  EXPECT_EQ(ReadBytes(folder / "backup" / "2026-12-07" / "TEMPERATURE_DATA.dat"), "2007/5/30,36.45,1\r\n");
  EXPECT_EQ(ReadBytes(file), kTemperatureBytes);
  EXPECT_EQ(folder.Listing(), "TEMPERATURE_DATA.dat backup");
}
