#include "serial/tsc_base_io.h"

#include <algorithm>
#include <iostream>

namespace quorvel {

TscBaseIO::TscBaseIO() {
    ShowErrorBox = [](const std::string& message) { std::cerr << message << '\n'; };
}

TscBaseIO::~TscBaseIO() = default;

void TscBaseIO::NotifyAdd(const void* owner, TscNotifyEvent event) {
    for (const Listener& l : listeners_) {
        if (l.owner == owner) return;
    }
    listeners_.push_back(Listener{owner, std::move(event)});
}

void TscBaseIO::NotifyDelete(const void* owner) {
    const auto it = std::find_if(listeners_.begin(), listeners_.end(),
                                 [owner](const Listener& l) { return l.owner == owner; });
    if (it != listeners_.end()) listeners_.erase(it);
}

void TscBaseIO::DoNotify(int Code) {
    // A listener may add or remove listeners: walk a copy.
    const std::vector<Listener> listeners = listeners_;
    for (const Listener& l : listeners) l.event(this, Code);
}

void TscBaseIO::DoReceive(const uint8_t* Buffer, uint32_t Len) {
    if (OnAfterReceive) OnAfterReceive(this, Buffer, Len);
}

void TscBaseIO::DoFatalError(uint32_t ErrorCode, uint32_t Detail, bool ShowOnly,
                             const std::string& ErrorMsg) {
    bool raise = true;
    if (OnFatalError) OnFatalError(this, ErrorCode, Detail, ErrorMsg, raise);
    if (!raise) return;
    if (!ShowOnly) throw EComponentError(ErrorMsg);
    if (ShowErrorBox) ShowErrorBox(ErrorMsg);
}

const TscDevice* TscBaseIO::GetDevice(int index) const {
    if (index < 0 || index >= DeviceCount()) return nullptr;
    return devices_[static_cast<size_t>(index)].get();
}

int TscBaseIO::IndexOfDevice(const TscDevice* device) const {
    for (int i = 0; i < DeviceCount(); ++i) {
        if (devices_[static_cast<size_t>(i)].get() == device) return i;
    }
    return -1;
}

std::vector<std::string> TscBaseIO::GetDeviceList() {
    if (devices_.empty()) DeviceListLoad();
    std::vector<std::string> names;
    for (const auto& d : devices_) names.push_back(d->NameFriendly);
    return names;
}

int TscBaseIO::AddDevice(std::unique_ptr<TscDevice> device) {
    device->Parent = this;
    auto position = devices_.end();
    if (!devices_.empty() && devices_.back()->Data >= device->Data) {
        position = std::find_if(devices_.begin(), devices_.end(),
                                [&](const auto& d) { return d->Data >= device->Data; });
        if ((*position)->Data == device->Data) return -1;
    }
    const int index = static_cast<int>(position - devices_.begin());
    devices_.insert(position, std::move(device));
    for (size_t i = static_cast<size_t>(index); i < devices_.size(); ++i) {
        devices_[i]->Index = static_cast<int>(i);
    }
    return index;
}

}  // namespace quorvel
