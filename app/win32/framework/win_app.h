#pragma once

#include <windows.h>

namespace sonvik::win32 {

class CDialog;

// The little of an application framework the program uses: one application object whose
// InitInstance runs the whole program. When it answers FALSE the application ends at once,
// without a message loop of its own.
class CWinApp {
  public:
    CWinApp() = default;
    virtual ~CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }

    // The framework keeps settings under HKEY_CURRENT_USER\Software\<key>. The program writes
    // none, so only the key's name is kept.
    void SetRegistryKey(LPCWSTR pszRegistryKey) { m_pszRegistryKey = pszRegistryKey; }
    LPCWSTR GetRegistryKey() const { return m_pszRegistryKey; }

    // The window the application lives in, while it lives.
    CDialog* m_pMainWnd = nullptr;
    int m_nExitCode = 0;

  private:
    LPCWSTR m_pszRegistryKey = nullptr;
};

// Runs the application as the framework would: InitInstance, and a message loop only when it
// asks for one. Answers the process's exit code.
int RunWinApp(CWinApp& app);

}  // namespace sonvik::win32
