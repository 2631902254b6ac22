// The serial transport over the Win32 communications API. Reads are
// synchronous with the timeouts set so that ReadFile returns as soon as a
// byte is there, or after one slice of the wait: a wait for more checks the
// cancel and the reply timer between slices.
#include "link/cancel_token.h"
#include "link/link.h"
#include "link/serial_transport.h"

#include <windows.h>

#include <algorithm>

namespace rz {

namespace {

QString systemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString message = length ? QString::fromWCharArray(text, int(length)).trimmed()
                             : QStringLiteral("system error %1").arg(code);
    LocalFree(text);
    return message;
}

OpenRefusal refusalOf(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return OpenRefusal::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return OpenRefusal::Refused;
    default:
        return OpenRefusal::Other;
    }
}

class Win32SerialTransport final : public SerialTransport {
public:
    explicit Win32SerialTransport(const QString& device) : device_(device) {}
    ~Win32SerialTransport() override { close(); }

    bool open(PortProblem& problem) override {
        if (isOpen())
            return true;
        failed_ = false;
        received_.clear();
        // "\\.\COM10" and above only open in this form; COM1 too.
        const QString path = QStringLiteral("\\\\.\\") + device_;
        handle_ = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()),
                              GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) {
            const DWORD code = GetLastError();
            problem = diagnoseOpenFailure(device_, refusalOf(code), systemMessage(code));
            return false;
        }
        if (!configure()) {
            const DWORD code = GetLastError();
            close();
            problem = diagnoseOpenFailure(device_, OpenRefusal::Other, systemMessage(code));
            return false;
        }
        return true;
    }

    void close() override {
        if (isOpen())
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        received_.clear();
    }

    bool isOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }

    void pull() override {
        DWORD errors = 0;
        COMSTAT status{};
        if (!isOpen() || failed_)
            return;
        if (!ClearCommError(handle_, &errors, &status)) {
            fail();
            return;
        }
        if (status.cbInQue > 0)
            readSome(status.cbInQue);
    }

    void discardInput() override {
        pull();
        if (isOpen())
            PurgeComm(handle_, PURGE_RXCLEAR);
        received_.clear();
    }

    bool write(const QByteArray& frame) override {
        DWORD written = 0;
        if (!isOpen() ||
            !WriteFile(handle_, frame.constData(), DWORD(frame.size()), &written, nullptr) ||
            written != DWORD(frame.size())) {
            fail();
            return false;
        }
        return true;
    }

    bool drain(int) override {
        if (!isOpen() || !FlushFileBuffers(handle_))
            fail();
        return !failed_;
    }

    bool hasFailed() const override { return failed_; }
    QString errorText() const override { return systemMessage(lastError_); }

private:
    bool waitSlice(int sliceMs) override {
        return setReadWait(DWORD(sliceMs)) && readSome(4096) > 0;
    }

    // 57600 baud, 8N1, no flow control; DTR and RTS on, as a Unix system
    // leaves them on open (a cable may take its power from them).
    bool configure() {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (!GetCommState(handle_, &dcb))
            return false;
        dcb.BaudRate = Link::BaudRate;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = FALSE;
        dcb.fOutxCtsFlow = FALSE;
        dcb.fOutxDsrFlow = FALSE;
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        dcb.fDsrSensitivity = FALSE;
        dcb.fOutX = FALSE;
        dcb.fInX = FALSE;
        dcb.fNull = FALSE;
        dcb.fAbortOnError = FALSE;
        if (!SetCommState(handle_, &dcb))
            return false;
        readWaitMs_ = MAXDWORD; // not set yet
        if (!setReadWait(SliceMs))
            return false;
        return PurgeComm(handle_, PURGE_RXCLEAR | PURGE_TXCLEAR) != 0;
    }

    // ReadFile returns at once with what is there, or with the first byte
    // to arrive, or after waitMs with nothing.
    bool setReadWait(DWORD waitMs) {
        if (waitMs == readWaitMs_)
            return true;
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = MAXDWORD;
        timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
        timeouts.ReadTotalTimeoutConstant = waitMs;
        timeouts.WriteTotalTimeoutConstant = DWORD(Link::ReplyTimeoutMs);
        if (!SetCommTimeouts(handle_, &timeouts)) {
            fail();
            return false;
        }
        readWaitMs_ = waitMs;
        return true;
    }

    DWORD readSome(DWORD most) {
        char chunk[4096];
        DWORD got = 0;
        if (!ReadFile(handle_, chunk, std::min<DWORD>(most, sizeof chunk), &got, nullptr)) {
            fail();
            return 0;
        }
        received_.append(chunk, int(got));
        return got;
    }

    void fail() {
        lastError_ = GetLastError();
        failed_ = true;
    }

    QString device_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    DWORD readWaitMs_ = MAXDWORD;
    DWORD lastError_ = 0;
    bool failed_ = false;
};

} // namespace

std::unique_ptr<SerialTransport> makeSerialTransport(const QString& device) {
    return std::make_unique<Win32SerialTransport>(device);
}

} // namespace rz
