#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "serial/comm_types.h"

namespace quorvel {

// One open port, as the operating system (or the built-in demo module) provides it.
//
// Thread safety: WaitEvent runs on the comm event thread; Close may be called from the GUI
// thread at any time and makes a WaitEvent in progress, or the next one, return Closed.
// WriteNoWait and the pending output it leaves may be touched by both threads; everything
// else runs on the GUI thread.
class SerialDriver {
  public:
    enum class Wait : uint8_t { Event, Closed, Lost };
    struct WaitResult {
        Wait outcome;
        uint32_t mask;  // EV_ bits of an Event
    };

    virtual ~SerialDriver() = default;

    // ClearCommError, SetupComm, time-outs and line configuration after opening.
    virtual void Setup(const Dcb& dcb, uint16_t inSize, uint16_t outSize,
                       const CommTimeouts& timeouts) = 0;
    virtual void SetLine(const Dcb& dcb) = 0;
    virtual void SetBufferSizes(uint16_t inSize, uint16_t outSize) = 0;
    virtual void SetTimeouts(const CommTimeouts& timeouts) = 0;
    virtual void SetEventMask(uint32_t mask) = 0;

    // Blocks until a port event, the port's loss, or Close.
    virtual WaitResult WaitEvent() = 0;
    // The port is released at once; the object itself lives until its threads are gone.
    virtual void Close() = 0;

    // false when the port can no longer be asked.
    virtual bool ClearError(CommStat& stat) = 0;
    // Reads `count` bytes that the input queue holds.
    virtual bool Read(uint8_t* buffer, uint32_t count) = 0;
    // The bytes of the last event have been read: a later arrival is a new event.
    virtual void InputDrained() = 0;
    // Starts sending and returns at once; the bytes are taken over, blocks go out whole and
    // in call order. On failure `systemError` holds the system's error code.
    virtual bool WriteNoWait(const uint8_t* data, uint32_t count, uint32_t& systemError) = 0;
    // Drops both queues (PurgeComm with all four flags, then CancelIo).
    virtual void Purge() = 0;
};

struct DriverOpenResult {
    std::unique_ptr<SerialDriver> driver;  // null on failure
    uint32_t errorCode = 0;                // the system's error code
    std::string errorText;                 // its text, trailing blanks and full stops removed
};

// What is opened for a port name: "\\?\COM3" for COM3 on Windows (a path given as
// "\\.\COM12" stays as it is), "/dev/ttyUSB0" for ttyUSB0 on Linux (a path stays).
std::string SystemPortPath(const std::string& name);

// Opens a serial device of the operating system by its name (see SystemPortPath).
DriverOpenResult OpenSystemSerialPort(const std::string& name);

}  // namespace quorvel

namespace quorvel {

// The system's default line configuration of the first port (Windows); the DCB is left as
// it is where the system has none.
void LoadDefaultLineConfig(Dcb& dcb);

}  // namespace quorvel
