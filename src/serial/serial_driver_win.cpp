// Serial ports on Windows: overlapped I/O on the port handle. <windows.h> stays in this file.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <list>
#include <mutex>
#include <string>
#include <vector>

#include "regional/utf16_win.h"
#include "serial/serial_driver.h"

namespace quorvel {
namespace {

// The one place that turns GetLastError into the component's error code and text.
void DescribeError(DWORD error, DriverOpenResult& result) {
    result.errorCode = error;
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer != nullptr ? buffer : L"", length);
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() <= 32 || text.back() == L'.')) text.pop_back();
    result.errorText = Narrow(text);
}

void ToWindowsDcb(const Dcb& in, DCB& out) {
    out.DCBlength = sizeof(DCB);
    out.BaudRate = in.BaudRate;
    // The bit fields of the DCB, in their order, from our flag word.
    out.fBinary = (in.flags >> 0) & 1;
    out.fParity = (in.flags >> 1) & 1;
    out.fOutxCtsFlow = (in.flags >> 2) & 1;
    out.fOutxDsrFlow = (in.flags >> 3) & 1;
    out.fDtrControl = (in.flags >> 4) & 3;
    out.fDsrSensitivity = (in.flags >> 6) & 1;
    out.fTXContinueOnXoff = (in.flags >> 7) & 1;
    out.fOutX = (in.flags >> 8) & 1;
    out.fInX = (in.flags >> 9) & 1;
    out.fErrorChar = (in.flags >> 10) & 1;
    out.fNull = (in.flags >> 11) & 1;
    out.fRtsControl = (in.flags >> 12) & 3;
    out.fAbortOnError = (in.flags >> 14) & 1;
    out.XonLim = in.XonLim;
    out.XoffLim = in.XoffLim;
    out.ByteSize = in.ByteSize;
    out.Parity = in.Parity;
    out.StopBits = in.StopBits;
    out.XonChar = in.XonChar;
    out.XoffChar = in.XoffChar;
    out.ErrorChar = in.ErrorChar;
    out.EofChar = in.EofChar;
    out.EvtChar = in.EvtChar;
}

// One write in progress: its OVERLAPPED and its own copy of the bytes.
struct PendingWrite {
    OVERLAPPED overlapped{};
    std::vector<uint8_t> bytes;
};

class WindowsSerialDriver final : public SerialDriver {
  public:
    explicit WindowsSerialDriver(HANDLE port)
        : port_(port),
          wake_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          waitEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          readEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

    ~WindowsSerialDriver() override {
        Close();
        CloseHandle(wake_);
        CloseHandle(waitEvent_);
        CloseHandle(readEvent_);
    }

    void Setup(const Dcb& dcb, uint16_t inSize, uint16_t outSize,
               const CommTimeouts& timeouts) override {
        DWORD errors = 0;
        ClearCommError(port_, &errors, nullptr);
        SetBufferSizes(inSize, outSize);
        SetTimeouts(timeouts);
        SetLine(dcb);
    }

    void SetLine(const Dcb& dcb) override {
        DCB windowsDcb{};
        GetCommState(port_, &windowsDcb);
        ToWindowsDcb(dcb, windowsDcb);
        SetCommState(port_, &windowsDcb);
    }

    void SetBufferSizes(uint16_t inSize, uint16_t outSize) override {
        SetupComm(port_, inSize, outSize);
    }

    void SetTimeouts(const CommTimeouts& timeouts) override {
        COMMTIMEOUTS t{};
        t.ReadIntervalTimeout = timeouts.ReadIntervalTimeout;
        t.WriteTotalTimeoutConstant = timeouts.WriteTotalTimeoutConstant;
        SetCommTimeouts(port_, &t);
    }

    void SetEventMask(uint32_t mask) override { SetCommMask(port_, mask); }

    WaitResult WaitEvent() override {
        {
            std::lock_guard lock(mutex_);
            if (closing_) return {Wait::Closed, 0};
            waiting_ = true;
        }
        const WaitResult result = WaitOnce();
        std::lock_guard lock(mutex_);
        waiting_ = false;
        return result;
    }

    void Close() override {
        {
            std::lock_guard lock(mutex_);
            if (port_ == INVALID_HANDLE_VALUE) return;
            closing_ = true;
        }
        SetEvent(wake_);
        // The event thread cancels its own wait and leaves; only then does the handle go.
        for (;;) {
            {
                std::lock_guard lock(mutex_);
                if (!waiting_) break;
            }
            Sleep(1);
        }
        std::lock_guard lock(mutex_);
        CancelIoEx(port_, nullptr);
        for (PendingWrite& w : writes_) {
            DWORD done = 0;
            GetOverlappedResult(port_, &w.overlapped, &done, TRUE);
        }
        writes_.clear();
        CloseHandle(port_);
        port_ = INVALID_HANDLE_VALUE;
    }

    bool ClearError(CommStat& stat) override {
        DWORD errors = 0;
        COMSTAT comStat{};
        if (!ClearCommError(port_, &errors, &comStat)) return false;
        stat.errors = errors;
        stat.state =
            static_cast<uint8_t>(comStat.fCtsHold | comStat.fDsrHold << 1 | comStat.fRlsdHold << 2 |
                                 comStat.fXoffHold << 3 | comStat.fXoffSent << 4 |
                                 comStat.fEof << 5 | comStat.fTxim << 6);
        stat.inQueue = comStat.cbInQue;
        stat.outQueue = comStat.cbOutQue;
        return true;
    }

    bool Read(uint8_t* buffer, uint32_t count) override {
        OVERLAPPED overlapped{};
        overlapped.hEvent = readEvent_;
        DWORD done = 0;
        if (!ReadFile(port_, buffer, count, &done, &overlapped)) {
            if (GetLastError() != ERROR_IO_PENDING) return false;
            if (!GetOverlappedResult(port_, &overlapped, &done, TRUE)) return false;
        }
        return true;
    }

    void InputDrained() override {}  // WaitCommEvent reports new bytes only

    bool WriteNoWait(const uint8_t* data, uint32_t count, uint32_t& systemError) override {
        std::lock_guard lock(mutex_);
        // Writes that have finished give back their blocks.
        writes_.remove_if([](PendingWrite& w) { return HasOverlappedIoCompleted(&w.overlapped); });
        PendingWrite& write = writes_.emplace_back();
        write.bytes.assign(data, data + count);
        DWORD done = 0;
        if (!WriteFile(port_, write.bytes.data(), count, &done, &write.overlapped) &&
            GetLastError() != ERROR_IO_PENDING) {
            systemError = GetLastError();
            writes_.pop_back();
            return false;
        }
        return true;
    }

    void Purge() override {
        PurgeComm(port_, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
        CancelIo(port_);
    }

  private:
    WaitResult WaitOnce() {
        OVERLAPPED overlapped{};
        overlapped.hEvent = waitEvent_;
        ResetEvent(waitEvent_);
        DWORD mask = 0;
        if (WaitCommEvent(port_, &mask, &overlapped)) return {Wait::Event, mask};
        const DWORD error = GetLastError();
        if (error == ERROR_IO_PENDING) {
            HANDLE handles[2] = {waitEvent_, wake_};
            const DWORD which = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
            if (which != WAIT_OBJECT_0) {
                CancelIoEx(port_, &overlapped);
                DWORD done = 0;
                GetOverlappedResult(port_, &overlapped, &done, TRUE);
                return {Wait::Closed, 0};
            }
            DWORD done = 0;
            if (!GetOverlappedResult(port_, &overlapped, &done, FALSE)) {
                return GetLastError() == ERROR_OPERATION_ABORTED ? WaitResult{Wait::Event, 0}
                                                                 : WaitResult{Wait::Lost, 0};
            }
            return {Wait::Event, mask};
        }
        if (error == ERROR_INVALID_PARAMETER && mask == 0) return {Wait::Event, 0};
        if (error == ERROR_INVALID_HANDLE) return {Wait::Closed, 0};
        return {Wait::Lost, 0};
    }

    std::mutex mutex_;
    HANDLE port_;
    HANDLE wake_;
    HANDLE waitEvent_;
    HANDLE readEvent_;
    bool closing_ = false;
    bool waiting_ = false;
    std::list<PendingWrite> writes_;
};

}  // namespace

std::string SystemPortPath(const std::string& name) {
    return name.rfind("\\\\", 0) == 0 ? name : "\\\\?\\" + name;
}

DriverOpenResult OpenSystemSerialPort(const std::string& name) {
    DriverOpenResult result;
    const std::string path = SystemPortPath(name);
    const HANDLE port = CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        DescribeError(GetLastError(), result);
        return result;
    }
    result.driver = std::make_unique<WindowsSerialDriver>(port);
    return result;
}

}  // namespace quorvel

namespace quorvel {

void LoadDefaultLineConfig(Dcb& dcb) {
    COMMCONFIG config{};
    config.dwSize = sizeof config;
    DWORD size = sizeof config;
    if (!GetDefaultCommConfigW(L"COM1", &config, &size)) return;
    const DCB& d = config.dcb;
    dcb.BaudRate = d.BaudRate;
    dcb.flags = d.fBinary | d.fParity << 1 | d.fOutxCtsFlow << 2 | d.fOutxDsrFlow << 3 |
                d.fDtrControl << 4 | d.fDsrSensitivity << 6 | d.fTXContinueOnXoff << 7 |
                d.fOutX << 8 | d.fInX << 9 | d.fErrorChar << 10 | d.fNull << 11 |
                d.fRtsControl << 12 | d.fAbortOnError << 14;
    dcb.XonLim = d.XonLim;
    dcb.XoffLim = d.XoffLim;
    dcb.ByteSize = d.ByteSize;
    dcb.Parity = d.Parity;
    dcb.StopBits = d.StopBits;
    dcb.XonChar = d.XonChar;
    dcb.XoffChar = d.XoffChar;
    dcb.ErrorChar = d.ErrorChar;
    dcb.EofChar = d.EofChar;
    dcb.EvtChar = d.EvtChar;
}

}  // namespace quorvel
