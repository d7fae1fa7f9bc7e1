// The lock of one running copy per folder, taken in this process for the test program's folder
// as Tovela.exe takes it for its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "instance_lock.h"
#include "single_instance_win.h"
#include "system_win.h"

namespace {

// The lock's name of a plain folder (no subst drive, junction or mapped drive on the way): its
// long path in upper case.
std::wstring PlainFolderLockName(std::wstring folder) {
  wchar_t full[MAX_PATH] = {};
  const DWORD length = GetLongPathNameW(folder.c_str(), full, MAX_PATH);
  if (length > 0 && length < MAX_PATH) folder = full;
  CharUpperBuffW(folder.data(), static_cast<DWORD>(folder.size()));
  const std::u16string name = InstanceLockName(
      std::u16string_view(reinterpret_cast<const char16_t*>(folder.data()), folder.size()));
  return std::wstring(name.begin(), name.end());
}

}  // namespace

// A copy started with more rights (elevated) made the lock with a security that lets this run
// not even open it: CreateMutexW fails with access denied, which means that copy runs.
TEST(SingleCopyOnWindows, ALockThisRunMayNotOpenMeansAnotherCopyRuns) {
  const std::wstring name = PlainFolderLockName(quillet::GetModulePath());
  SECURITY_DESCRIPTOR security{};
  ASSERT_TRUE(InitializeSecurityDescriptor(&security, SECURITY_DESCRIPTOR_REVISION));
  ACL noAccess{};  // a DACL without entries: nobody is let in
  ASSERT_TRUE(InitializeAcl(&noAccess, sizeof noAccess, ACL_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorDacl(&security, TRUE, &noAccess, FALSE));
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &security, FALSE};
  HANDLE held = CreateMutexW(&attributes, FALSE, name.c_str());
  ASSERT_NE(held, nullptr);
  HANDLE opened = CreateMutexW(nullptr, FALSE, name.c_str());
  const DWORD error = GetLastError();
  if (opened != nullptr) CloseHandle(opened);
  ASSERT_EQ(opened, nullptr) << "the system let the lock be opened (error " << error << ")";
  ASSERT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));

  EXPECT_FALSE(TakeInstanceLock());
  CloseHandle(held);
}
