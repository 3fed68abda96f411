#include "app/device_box.h"

#include "serial/tsc_comm.h"

namespace quorvel {

TscDeviceBox::TscDeviceBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    connect(this, &QComboBox::activated, this, &TscDeviceBox::Picked);
}

TscDeviceBox::~TscDeviceBox() {
    if (fComm != nullptr) fComm->NotifyDelete(this);
}

void TscDeviceBox::SetScComm(TscComm* comm) {
    clear();
    setCurrentIndex(-1);
    if (fComm != nullptr) fComm->NotifyDelete(this);
    if (comm != nullptr) {
        for (const std::string& name : comm->GetDeviceList()) addItem(QString::fromStdString(name));
        setCurrentIndex(comm->DeviceIndex());
        comm->NotifyAdd(this, [this](TscBaseIO* sender, int code) { CommNotify(sender, code); });
    }
    fComm = comm;
}

void TscDeviceBox::CommNotify(TscBaseIO*, int code) {
    if (code == kListenerChanged) Reload();
}

void TscDeviceBox::Picked(int index) {
    if (fComm != nullptr) fComm->SetDeviceIndex(index);
}

}  // namespace quorvel
