#include "program_under_test.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace sonvik::e2e {

CProgramUnderTest::CProgramUnderTest(const std::string& program,
                                     const std::vector<std::string>& args) {
    int inPipe[2];
    int outPipe[2];
    if (::pipe(inPipe) != 0 || ::pipe(outPipe) != 0) {
        throw std::runtime_error("pipe");
    }
    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(inPipe[0], STDIN_FILENO);
        ::dup2(outPipe[1], STDOUT_FILENO);
        ::close(inPipe[1]);
        ::close(outPipe[0]);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const auto& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(inPipe[0]);
    ::close(outPipe[1]);
    m_inFd = inPipe[1];
    m_outFd = outPipe[0];
}

CProgramUnderTest::~CProgramUnderTest() {
    CloseInput();
    if (m_pid > 0 && !WaitForExit(std::chrono::milliseconds(0))) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    ::close(m_outFd);
}

void CProgramUnderTest::Send(const std::string& line) {
    const std::string text = line + "\n";
    if (::write(m_inFd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        throw std::runtime_error("write to the program failed");
    }
}

void CProgramUnderTest::CloseInput() {
    if (m_inFd >= 0) {
        ::close(m_inFd);
        m_inFd = -1;
    }
}

std::optional<std::string> CProgramUnderTest::ReadLine(std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (const auto nEnd = m_buffer.find('\n'); nEnd != std::string::npos) {
            std::string line = m_buffer.substr(0, nEnd);
            m_buffer.erase(0, nEnd + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return std::nullopt;
        }
        pollfd descriptor{m_outFd, POLLIN, 0};
        if (::poll(&descriptor, 1, static_cast<int>(left.count())) <= 0) {
            continue;
        }
        char buffer[4096];
        const ssize_t nRead = ::read(m_outFd, buffer, sizeof buffer);
        if (nRead <= 0) {
            return std::nullopt;
        }
        m_buffer.append(buffer, static_cast<std::size_t>(nRead));
    }
}

std::optional<int> CProgramUnderTest::WaitForExit(std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        int nStatus = 0;
        if (::waitpid(m_pid, &nStatus, WNOHANG) == m_pid) {
            m_pid = -1;
            return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 128 + WTERMSIG(nStatus);
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace sonvik::e2e
