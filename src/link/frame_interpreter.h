#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "link/frame_receiver.h"
#include "link/measurement_set.h"
#include "link/param_code.h"
#include "regional/regional_settings.h"

namespace quorvel {

// Where the module's answers to read requests land: the option-panel fields of the main
// window, or whatever stands in for them (the command line, a test).
class ParamFieldSink {
  public:
    virtual ~ParamFieldSink() = default;
    // Decimals for float parameters, the selected index of DecimalPoint2ComboBox.
    virtual int ParamDecimals() const = 0;
    // The edit field of `code` shows `text` on the window colour, clearing any mark.
    virtual void ShowParamText(ParamCode code, const std::string& text) = 0;
    // The list of `code` selects item `index`; an index outside the list leaves no item
    // selected. Colours are not touched.
    virtual void SelectParamItem(ParamCode code, uint32_t index) = 0;
    // The caption of firm_label.
    virtual void ShowFirmware(const std::string& text) = 0;
};

// ProcessFrame: a frame whose checksum matched becomes a measurement, a field value or the
// firmware caption. Only frames of type 0xFD carry anything; no content is rejected.
// Runs on the GUI thread, inside the receiver; exceptions from the sink or the recorder are
// left to the receiver.
class FrameInterpreter final : public FrameHandler {
  public:
    FrameInterpreter(MeasurementSet& measurements, ParamFieldSink& fields,
                     MeasurementRecorder& recorder, RegionalSettings regional)
        : measurements_(measurements),
          fields_(fields),
          recorder_(recorder),
          regional_(std::move(regional)) {}

    void ProcessFrame(const uint8_t* frame, size_t length) override;

  private:
    MeasurementSet& measurements_;
    ParamFieldSink& fields_;
    MeasurementRecorder& recorder_;
    RegionalSettings regional_;
};

// The four firmware bytes as text, one ISO 8859-1 character per byte (returned as UTF-8).
std::string FirmwareText(const uint8_t* frame);

}  // namespace quorvel
