#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace sonvik::e2e {

// The built program run as a user runs it, with its standard input and output on pipes.
class CProgramUnderTest {
  public:
    CProgramUnderTest(const std::string& program, const std::vector<std::string>& args);
    ~CProgramUnderTest();
    CProgramUnderTest(const CProgramUnderTest&) = delete;
    CProgramUnderTest& operator=(const CProgramUnderTest&) = delete;

    void Send(const std::string& line);
    void CloseInput();
    // The next line of standard output, or nothing when none comes in time.
    std::optional<std::string> ReadLine(std::chrono::milliseconds wait = std::chrono::seconds(5));
    // The exit status, or nothing while it still runs after the wait.
    std::optional<int> WaitForExit(std::chrono::milliseconds wait);

  private:
    int m_pid = -1;
    int m_inFd = -1;
    int m_outFd = -1;
    std::string m_buffer;
};

}  // namespace sonvik::e2e
