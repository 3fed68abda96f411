#include "link/param_commands.h"

#include <cmath>

#include "link/frame_builder.h"
#include "regional/number_text.h"

namespace quorvel {

FieldEntry CheckFieldText(std::string_view text, ParamKind kind, uint32_t lower, uint32_t upper,
                          const RegionalSettings& regional) {
    FieldEntry entry;
    if (kind == pkFloat) {
        const std::optional<double> value = ParseFloat(text, regional);
        if (!value || !std::isfinite(static_cast<float>(*value))) return entry;
        entry.status = FieldEntry::Accepted;
        entry.real = static_cast<float>(*value);
        return entry;
    }
    const std::optional<int32_t> value = ParseInt32(text);
    if (!value) return entry;
    uint32_t v = static_cast<uint32_t>(*value);
    if (v < lower) v = lower;
    if (v > upper) v = upper;
    entry.status = v == static_cast<uint32_t>(*value) ? FieldEntry::Accepted : FieldEntry::Clamped;
    entry.integer = static_cast<int32_t>(v);
    return entry;
}

void ParamCommands::SendFrame(const uint8_t* body, size_t length) {
    uint8_t frame[ParamFrameLength];
    const size_t total = SealFrame(body, length, frame);
    port_.SendData(frame, total);
    ++link_.Stats.TxFrames;
}

void ParamCommands::ReadParam(uint8_t code) {
    if (!link_.Connected) return;
    const ReadRequestFrame frame = MakeReadRequest(code);
    SendFrame(frame.data(), frame.size() - 2);
}

void ParamCommands::WriteParamInt(uint8_t code, int32_t value) {
    if (!link_.Connected) return;
    const ValueFrame frame = MakeIntFrame(kTypeWrite, code, value);
    SendFrame(frame.data(), frame.size() - 2);
}

void ParamCommands::WriteParamFloat(uint8_t code, float value) {
    if (!link_.Connected) return;
    const ValueFrame frame = MakeFloatFrame(kTypeWrite, code, value);
    SendFrame(frame.data(), frame.size() - 2);
}

FieldOutcome ParamCommands::WriteParamFromEdit(uint8_t code, std::string_view text, ParamKind kind,
                                               uint32_t lower, uint32_t upper) {
    if (kind != pkFloat && kind != pkInteger) return {};
    const FieldEntry entry = CheckFieldText(text, kind, lower, upper, regional_);
    FieldOutcome outcome;
    switch (entry.status) {
        case FieldEntry::NotANumber:
            outcome.mark = FieldMark::NotANumber;
            return outcome;
        case FieldEntry::Clamped:
            outcome.text = std::to_string(static_cast<uint32_t>(entry.integer));
            outcome.mark = FieldMark::Clamped;
            break;
        case FieldEntry::Accepted:
            break;
    }
    if (kind == pkFloat) {
        WriteParamFloat(code, entry.real);
    } else {
        WriteParamInt(code, entry.integer);
    }
    return outcome;
}

FieldOutcome ParamCommands::ReadButtonClick(const ParamField& field) {
    ReadParam(field.code);
    if (field.kind == FieldKind::List) return {};
    return FieldOutcome{std::string(), FieldMark::Window};
}

FieldOutcome ParamCommands::WriteButtonClick(const ParamField& field, std::string_view text) {
    if (field.kind == FieldKind::Integer) {
        return WriteParamFromEdit(field.code, text, pkInteger, field.lower, field.upper);
    }
    return WriteParamFromEdit(field.code, text, pkFloat, 0, 0);
}

void ParamCommands::WriteListButtonClick(const ParamField& field, int selectedIndex) {
    // A list left with no selection (the module answered an index it does not list) has
    // nothing to send; -1 would reach the module as 0xFFFFFFFF.
    if (selectedIndex < 0) return;
    WriteParamInt(field.code, selectedIndex);
}

void ParamCommands::SpeedButton1Click(Confirmation& confirmation) {
    if (confirmation.AskYesNo(kFactoryDefaultsQuestion, kFactoryDefaultsTitle)) {
        WriteParamInt(pcFactoryDefaults, 0);
    }
}

void ParamCommands::SpeedButton2Click() {
    ReadParam(pcMeasurement);
}
void ParamCommands::SpeedButton4Click() {
    WriteParamInt(pcModeDefaults1, 0);
}
void ParamCommands::SpeedButton5Click() {
    WriteParamInt(pcModeDefaults2, 0);
}

}  // namespace quorvel
