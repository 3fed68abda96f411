#include "link/frame_interpreter.h"

#include "link/frame_codec.h"
#include "regional/number_text.h"

namespace quorvel {

std::string FirmwareText(const uint8_t* frame) {
    std::string text;
    for (size_t i = 4; i < 8; ++i) {
        const uint8_t c = frame[i];
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

void FrameInterpreter::ProcessFrame(const uint8_t* frame, size_t /*length*/) {
    if (frame[2] != kTypeRead) return;
    const auto code = static_cast<ParamCode>(frame[3]);
    const auto integer = static_cast<uint32_t>(UnpackInt32(frame, 4));
    const float real = UnpackFloat(frame, 4);

    switch (code) {
        case pcMeasurement:
            measurements_.Ch1 = real;
            measurements_.Ch2 = UnpackFloat(frame, 8);
            measurements_.Fx1 = UnpackFloat(frame, 12);
            measurements_.Fx2 = UnpackFloat(frame, 16);
            measurements_.Ch1Mode = frame[20] & 7;
            measurements_.Ch2Mode = frame[21] & 7;
            recorder_.RecordMeasurement(measurements_);
            break;
        case pcUmin1:
        case pcUmin2:
        case pcUmax1:
        case pcUmax2:
        case pcWmin1:
        case pcWmin2:
        case pcWmax1:
        case pcWmax2:
        case pcConstm1:
        case pcConstm2:
            fields_.ShowParamText(code, FormatFixed(real, fields_.ParamDecimals(), regional_));
            break;
        case pcMode1:
        case pcMode2:
        case pcModem1:
        case pcModem2:
            fields_.SelectParamItem(code, integer);
            break;
        case pcFcon:
        case pcFavg:
        case pcFreq:
        case pcUart:
            fields_.ShowParamText(code, std::to_string(integer));
            break;
        case pcFirmware:
            fields_.ShowFirmware(FirmwareText(frame));
            break;
        default:
            break;  // calibrations, actions and unknown codes carry nothing to show
    }
}

}  // namespace quorvel
