#include "link/param_table.h"

#include <algorithm>
#include <array>

namespace quorvel {
namespace {

constexpr std::array<const char*, 4> kModeItems = {"0~10V", "0~20mA", "4~20mA", "POTI"};

// The blanks inside two items are the module's own texts.
constexpr std::array<const char*, 15> kFunctionItems = {
    "A1+A2", "A1-A2",   "A2-A1", "-A1-A2", "K-A1-A2",   "K+A1+A2",   "K+A1-A2",  "K-A1+A2",
    "K+A1",  "K+A2   ", "K-A1",  "K-A2  ", "K*(A1+A2)", "K*(A1-A2)", "K*(A2-A1)"};

constexpr ParamField Float(ParamCode code, const char* name, const char* read, const char* write) {
    return {code, name, FieldKind::Float, 0, 0, 11, read, write, {}};
}

constexpr ParamField Integer(ParamCode code, const char* name, uint32_t lower, uint32_t upper,
                             int length, const char* read, const char* write) {
    return {code, name, FieldKind::Integer, lower, upper, length, read, write, {}};
}

constexpr ParamField List(ParamCode code, const char* name, std::span<const char* const> items,
                          const char* read, const char* write) {
    return {code, name, FieldKind::List, 0, 0, 0, read, write, items};
}

constexpr std::array<ParamField, 23> kFields = {
    Float(pcCalib1, "calib1", nullptr, "CalibAdc1Button"),
    Float(pcCalib2, "calib2", nullptr, "CalibAdc2Button"),
    Float(pcCalib3, "calib3", nullptr, "CalibAdc3Button"),
    Float(pcUmin1, "umin1", "GetUmin1Button", "SetUmin1Button"),
    Float(pcUmin2, "umin2", "GetUmin2Button", "SetUmin2Button"),
    Float(pcUmax1, "umax1", "GetUmax1Button", "SetUmax1Button"),
    Float(pcUmax2, "umax2", "GetUmax2Button", "SetUmax2Button"),
    Float(pcWmin1, "wmin1", "GetWmin1Button", "SetWmin1Button"),
    Float(pcWmin2, "wmin2", "GetWmin2Button", "SetWmin2Button"),
    Float(pcWmax1, "wmax1", "GetWmax1Button", "SetWmax1Button"),
    Float(pcWmax2, "wmax2", "GetWmax2Button", "SetWmax2Button"),
    List(pcMode1, "mode1", kModeItems, "GetMode1Button", "SetMode1Button"),
    List(pcMode2, "mode2", kModeItems, "GetMode2Button", "SetMode2Button"),
    Integer(pcFcon, "fcon", 1, 300, 3, "GetFconButton", "SetFconButton"),
    Integer(pcFavg, "favg", 1, 1000, 4, "GetFavgButton", "SetFavgButton"),
    Integer(pcFreq, "freq", 1, 500, 3, "GetFreqButton", "SetFreqButton"),
    Integer(pcUart, "uart", 0, 100, 3, "GetUartButton", "SetUartButton"),
    List(pcModem1, "modem1", kFunctionItems, "GetModeM1Button", "SetModeM1Button"),
    List(pcModem2, "modem2", kFunctionItems, "GetModeM2Button", "SetModeM2Button"),
    Float(pcConstm1, "constm1", "GetConstM1Button", "SetConstM1Button"),
    Float(pcConstm2, "constm2", "GetConstM2Button", "SetConstM2Button"),
    Float(pcCalibm1, "calibm1", nullptr, "CalibMath1Button"),
    Float(pcCalibm2, "calibm2", nullptr, "CalibMath2Button"),
};

}  // namespace

std::span<const char* const> ModeItems() {
    return kModeItems;
}
std::span<const char* const> FunctionItems() {
    return kFunctionItems;
}
std::span<const ParamField> ParamFields() {
    return kFields;
}

const ParamField* FindParamField(ParamCode code) {
    if (code < pcCalib1 || code > pcCalibm2) return nullptr;
    return &kFields[code - pcCalib1];
}

const ParamField* FindParamField(std::string_view name) {
    const auto it = std::find_if(kFields.begin(), kFields.end(),
                                 [name](const ParamField& f) { return name == f.name; });
    return it == kFields.end() ? nullptr : &*it;
}

}  // namespace quorvel
