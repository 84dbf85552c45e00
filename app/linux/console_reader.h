#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string_view>
#include <thread>

namespace sonvik {

// Lines from a file descriptor (standard input), each handed over on a thread of its own. The
// end of the input only ends the reading; Stop ends the thread at any moment.
class CConsoleReader {
  public:
    using LineHandler = std::function<void(std::string_view)>;

    CConsoleReader(int fd, LineHandler onLine) : m_fd(fd), m_onLine(std::move(onLine)) {}
    ~CConsoleReader() { Stop(); }
    CConsoleReader(const CConsoleReader&) = delete;
    CConsoleReader& operator=(const CConsoleReader&) = delete;

    void Start();
    void Stop();

  private:
    void Read();

    int m_fd;
    LineHandler m_onLine;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};

// Whole lines to a stdio stream from several threads, each flushed at once.
class CLineWriter {
  public:
    explicit CLineWriter(std::FILE* pStream) : m_pStream(pStream) {}
    void operator()(std::string_view line);

  private:
    std::FILE* m_pStream;
    std::mutex m_mutex;
};

}  // namespace sonvik
