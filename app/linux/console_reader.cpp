#include "app/linux/console_reader.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace sonvik {

void CConsoleReader::Start() {
    if (!m_thread.joinable()) {
        m_thread = std::thread([this] { Read(); });
    }
}

void CConsoleReader::Stop() {
    m_bStop = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void CConsoleReader::Read() {
    std::string pending;
    char buffer[4096];
    while (!m_bStop) {
        pollfd descriptor{m_fd, POLLIN, 0};
        const int nReady = ::poll(&descriptor, 1, 100);  // so that Stop is seen within 100 ms
        if (nReady <= 0) {
            continue;
        }
        const ssize_t nRead = ::read(m_fd, buffer, sizeof buffer);
        if (nRead < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        if (nRead <= 0) {
            break;  // end of input: the program goes on without its console
        }
        pending.append(buffer, static_cast<std::size_t>(nRead));
        for (auto nEnd = pending.find('\n'); nEnd != std::string::npos; nEnd = pending.find('\n')) {
            m_onLine(std::string_view(pending).substr(0, nEnd));
            pending.erase(0, nEnd + 1);
        }
    }
    if (!pending.empty() && !m_bStop) {
        m_onLine(pending);
    }
}

void CLineWriter::operator()(std::string_view line) {
    std::lock_guard lock(m_mutex);
    std::fwrite(line.data(), 1, line.size(), m_pStream);
    std::fputc('\n', m_pStream);
    std::fflush(m_pStream);
}

}  // namespace sonvik
