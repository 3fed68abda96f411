#include "link/frame_interpreter.h"

#include "link/frame_codec.h"
#include "link/param_table.h"
#include "regional/number_text.h"
#include "regional/text_encoding.h"

namespace quorvel {

std::string FirmwareText(const uint8_t* frame) {
    return Latin1ToUtf8(std::string_view(reinterpret_cast<const char*>(frame + 4), 4));
}

void FrameInterpreter::ProcessFrame(const uint8_t* frame, size_t /*length*/) {
    if (frame[2] != kTypeRead) return;
    const auto code = static_cast<ParamCode>(frame[3]);
    const auto integer = static_cast<uint32_t>(UnpackInt32(frame, 4));
    const float real = UnpackFloat(frame, 4);

    if (code == pcMeasurement) {
        measurements_.Ch1 = real;
        measurements_.Ch2 = UnpackFloat(frame, 8);
        measurements_.Fx1 = UnpackFloat(frame, 12);
        measurements_.Fx2 = UnpackFloat(frame, 16);
        measurements_.Ch1Mode = frame[20] & 7;
        measurements_.Ch2Mode = frame[21] & 7;
        recorder_.RecordMeasurement(measurements_);
        return;
    }
    if (code == pcFirmware) {
        fields_.ShowFirmware(FirmwareText(frame));
        return;
    }
    // Only parameters the module can be asked for have an answer to show; calibrations,
    // actions and unknown codes carry nothing.
    const ParamField* field = FindParamField(code);
    if (field == nullptr || field->readButton == nullptr) return;
    switch (field->kind) {
        case FieldKind::Float:
            fields_.ShowParamText(code, FormatFixed(real, fields_.ParamDecimals(), regional_));
            break;
        case FieldKind::Integer:
            fields_.ShowParamText(code, std::to_string(integer));
            break;
        case FieldKind::List:
            fields_.SelectParamItem(code, integer);
            break;
    }
}

}  // namespace quorvel
