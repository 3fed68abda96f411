#pragma once

#include <QComboBox>

namespace quorvel {

class TscComm;
class TscBaseIO;

// The port list box: shows the serial component's device list in port-number order with
// the component's port selected, follows every rebuild of the list (listener code 3), and
// sets the component's port when the user picks an entry. The user can only pick, not type.
class TscDeviceBox : public QComboBox {
    Q_OBJECT

  public:
    explicit TscDeviceBox(QWidget* parent = nullptr);
    ~TscDeviceBox() override;

    void SetScComm(TscComm* comm);  // binds (nullptr unbinds)
    TscComm* ScComm() const { return fComm; }
    void Reload() { SetScComm(fComm); }

  private:
    void CommNotify(TscBaseIO* sender, int code);
    void Picked(int index);

    TscComm* fComm = nullptr;
};

}  // namespace quorvel
