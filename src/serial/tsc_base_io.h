#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvel {

class TscBaseIO;

// The exception a component raises, for example when a port cannot be opened.
class EComponentError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Receive event: `Buffer` is valid only during the call.
using TOnReceived = std::function<void(TscBaseIO* Com, const uint8_t* Buffer, uint32_t Received)>;
// Listener routine. Codes: 1 port closed, 2 port opened, 3 device list or port changed.
using TscNotifyEvent = std::function<void(TscBaseIO* Sender, int Code)>;
using TOnFatalErrorEvent =
    std::function<void(TscBaseIO* Sender, uint32_t ErrorCode, uint32_t Detail,
                       const std::string& ErrorMsg, bool& RaiseException)>;
using TNotifyEvent = std::function<void(TscBaseIO* Sender)>;

// One port of the device list.
struct TscDevice {
    int Index = -1;
    TscBaseIO* Parent = nullptr;
    int Data = 0;               // the port number, the key of the list
    std::string NameFriendly;   // what the list box shows
    std::string NamePDO;        // the kernel device name
    std::string NameDeviceDos;  // the port name
    std::string PortName;       // the name the component opens
};

inline constexpr int kListenerClosed = 1;
inline constexpr int kListenerOpened = 2;
inline constexpr int kListenerChanged = 3;

// Generic device I/O: listeners, the device list and the dispatch of received bytes.
//
// Thread safety: everything here runs on the GUI thread.
class TscBaseIO {
  public:
    TscBaseIO();
    TscBaseIO(const TscBaseIO&) = delete;
    TscBaseIO& operator=(const TscBaseIO&) = delete;
    virtual ~TscBaseIO();

    // Listeners, one entry per owner; a second NotifyAdd of the same owner is ignored.
    void NotifyAdd(const void* owner, TscNotifyEvent event);
    void NotifyDelete(const void* owner);

    // The device list.
    int DeviceCount() const { return static_cast<int>(devices_.size()); }
    const TscDevice* GetDevice(int index) const;
    int IndexOfDevice(const TscDevice* device) const;
    // The list box's entries: the records' NameFriendly in list order; loads an empty list.
    std::vector<std::string> GetDeviceList();
    virtual int DeviceIndex() const = 0;
    virtual void SetDeviceIndex(int /*Value*/) { DoNotify(kListenerChanged); }
    virtual void Update() { DoNotify(kListenerChanged); }

    TOnReceived OnAfterReceive;
    TOnFatalErrorEvent OnFatalError;
    TNotifyEvent OnOpen;
    TNotifyEvent OnClose;
    // Where an error that must be shown but not raised goes: the standard error box of the
    // window, standard error for the command line.
    std::function<void(const std::string& message)> ShowErrorBox;

  protected:
    void DoNotify(int Code);
    void DoReceive(const uint8_t* Buffer, uint32_t Len);
    bool HasReceiver() const { return static_cast<bool>(OnAfterReceive); }
    // Raises EComponentError with ErrorMsg, or only shows it with ShowOnly, unless an
    // OnFatalError handler turns that off.
    void DoFatalError(uint32_t ErrorCode, uint32_t Detail, bool ShowOnly,
                      const std::string& ErrorMsg);

    virtual void DeviceListLoad() = 0;
    void ClearDeviceList() { devices_.clear(); }
    // Keeps the list ordered by Data: returns the position, or -1 for a Data already there.
    int AddDevice(std::unique_ptr<TscDevice> device);

  private:
    struct Listener {
        const void* owner;
        TscNotifyEvent event;
    };
    std::vector<Listener> listeners_;
    std::vector<std::unique_ptr<TscDevice>> devices_;
};

}  // namespace quorvel
