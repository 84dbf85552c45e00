#include "uhid_dongle.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>
#include <utility>

namespace sonvik::vm {

CUhidDongle::CUhidDongle(std::string name, std::uint32_t nVendorId, std::uint32_t nProductId,
                         std::vector<std::uint8_t> descriptor)
    : m_name(std::move(name)),
      m_nVendorId(nVendorId),
      m_nProductId(nProductId),
      m_descriptor(std::move(descriptor)) {
    Plug();
}

CUhidDongle::~CUhidDongle() {
    Unplug();
}

void CUhidDongle::Plug() {
    m_fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (m_fd < 0) {
        throw std::runtime_error("cannot open /dev/uhid");
    }
    uhid_event event{};
    event.type = UHID_CREATE2;
    std::strncpy(reinterpret_cast<char*>(event.u.create2.name), m_name.c_str(),
                 sizeof event.u.create2.name - 1);
    event.u.create2.rd_size = static_cast<std::uint16_t>(m_descriptor.size());
    event.u.create2.bus = 0x03;  // BUS_USB, so that usbhid's quirks apply to it
    event.u.create2.vendor = m_nVendorId;
    event.u.create2.product = m_nProductId;
    std::memcpy(event.u.create2.rd_data, m_descriptor.data(), m_descriptor.size());
    Write(event);
    m_bServing = true;
    m_server = std::thread([this] { ServeEvents(); });
}

void CUhidDongle::Unplug() {
    if (m_fd < 0) {
        return;
    }
    m_bServing = false;
    m_server.join();
    uhid_event event{};
    event.type = UHID_DESTROY;
    Write(event);
    ::close(m_fd);
    m_fd = -1;
}

void CUhidDongle::SendInput(const std::vector<std::uint8_t>& report) {
    uhid_event event{};
    event.type = UHID_INPUT2;
    event.u.input2.size = static_cast<std::uint16_t>(report.size());
    std::memcpy(event.u.input2.data, report.data(), report.size());
    Write(event);
}

bool CUhidDongle::WaitForReports(std::size_t nCount, std::chrono::milliseconds deadline) {
    std::unique_lock lock(m_mutex);
    return m_arrived.wait_for(lock, deadline, [&] { return m_reports.size() >= nCount; });
}

std::vector<ReceivedReport> CUhidDongle::Reports() {
    std::lock_guard lock(m_mutex);
    return m_reports;
}

std::vector<ReceivedReport> CUhidDongle::TakeReports() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_reports, {});
}

void CUhidDongle::Write(const uhid_event& event) {
    if (::write(m_fd, &event, sizeof event) != static_cast<ssize_t>(sizeof event)) {
        throw std::runtime_error("uhid write failed");
    }
}

void CUhidDongle::ServeEvents() {
    while (m_bServing) {
        pollfd descriptor{m_fd, POLLIN, 0};
        if (::poll(&descriptor, 1, 20) <= 0) {
            continue;
        }
        uhid_event event{};
        if (::read(m_fd, &event, sizeof event) > 0) {
            OnEvent(event);
        }
    }
}

void CUhidDongle::OnEvent(const uhid_event& event) {
    ReceivedReport received;
    received.nEventType = event.type;
    if (event.type == UHID_OUTPUT) {
        received.nReportType = event.u.output.rtype;
        received.data.assign(event.u.output.data, event.u.output.data + event.u.output.size);
    } else if (event.type == UHID_SET_REPORT) {
        received.nReportType = event.u.set_report.rtype;
        received.data.assign(event.u.set_report.data,
                             event.u.set_report.data + event.u.set_report.size);
        uhid_event reply{};
        reply.type = UHID_SET_REPORT_REPLY;
        reply.u.set_report_reply.id = event.u.set_report.id;
        reply.u.set_report_reply.err = 0;
        Write(reply);
    } else if (event.type == UHID_GET_REPORT) {
        uhid_event reply{};
        reply.type = UHID_GET_REPORT_REPLY;
        reply.u.get_report_reply.id = event.u.get_report.id;
        reply.u.get_report_reply.err = 5;  // EIO: the dongle answers no Get_Report
        Write(reply);
        return;
    } else {
        return;  // start, stop, open, close
    }
    {
        std::lock_guard lock(m_mutex);
        m_reports.push_back(std::move(received));
    }
    m_arrived.notify_all();
}

}  // namespace sonvik::vm
