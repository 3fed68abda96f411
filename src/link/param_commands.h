#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "link/link_state.h"
#include "link/param_table.h"
#include "regional/regional_settings.h"

namespace quorvel {

// Where command frames go: the serial component's SendData, which takes the bytes over and
// never waits.
class Transmitter {
  public:
    virtual ~Transmitter() = default;
    virtual void SendData(const uint8_t* data, size_t count) = 0;
};

// A Yes/No question asked of the user (a message box in the window).
class Confirmation {
  public:
    virtual ~Confirmation() = default;
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
};

// The background of an edit field tells the user the fate of the last entry.
enum class FieldMark : uint8_t {
    Window,      // edited, clicked or refreshed from the module
    NotANumber,  // light red: nothing was sent
    Clamped,     // light green: the field shows the bound that was sent
};

struct Rgb {
    uint8_t r, g, b;
};
inline constexpr Rgb kNotANumberColour{253, 124, 102};
inline constexpr Rgb kClampedColour{192, 220, 192};

// What the window paints on an edit field after a button; unset members stay as they are.
// A new text always brings the window colour first (the field's change handler), then
// `mark` if set.
struct FieldOutcome {
    std::optional<std::string> text;
    std::optional<FieldMark> mark;
};

// An edit field's text, checked as a write would check it, before anything is sent.
struct FieldEntry {
    enum Status : uint8_t { NotANumber, Accepted, Clamped } status = NotANumber;
    int32_t integer = 0;  // pkInteger: the value to send, after clamping
    float real = 0;       // pkFloat
};

// Integer text is read as signed 32-bit and then clamped with unsigned comparisons, so a
// negative entry ends at the upper bound. Float text uses the regional decimal separator;
// a number beyond the float range is not a number either (the module would get infinity).
FieldEntry CheckFieldText(std::string_view text, ParamKind kind, uint32_t lower, uint32_t upper,
                          const RegionalSettings& regional);

inline constexpr const char* kFactoryDefaultsQuestion =
    "Czy chcesz przeywrócić ustawienia domyślne w urządzeniu";
inline constexpr const char* kFactoryDefaultsTitle = "Przywracanie ustawień domyślnych";

// Read requests, write commands, calibrations and actions of the option panels.
// Fire-and-forget: no queue, no wait, no matching of answers; answers come back through
// the frame interpreter whenever they come. Nothing is sent while the link is closed.
// Runs on the GUI thread only.
class ParamCommands {
  public:
    ParamCommands(LinkState& link, Transmitter& port, RegionalSettings regional)
        : link_(link), port_(port), regional_(std::move(regional)) {}

    // Appends the checksum to a 4- or 8-byte body and hands it to the port; counts it in
    // TxFrames whatever the port makes of it. Does not look at Connected: its callers do.
    void SendFrame(const uint8_t* body, size_t length);

    void ReadParam(uint8_t code);
    void WriteParamInt(uint8_t code, int32_t value);
    void WriteParamFloat(uint8_t code, float value);
    FieldOutcome WriteParamFromEdit(uint8_t code, std::string_view text, ParamKind kind,
                                    uint32_t lower, uint32_t upper);

    // Read button: asks the module; an edit field is emptied until the answer comes.
    FieldOutcome ReadButtonClick(const ParamField& field);
    // Write or calibration button of an edit field.
    FieldOutcome WriteButtonClick(const ParamField& field, std::string_view text);
    // Write button of a list; -1 (no item selected) sends nothing.
    void WriteListButtonClick(const ParamField& field, int selectedIndex);

    void SpeedButton1Click(Confirmation& confirmation);  // factory defaults, asks first
    void SpeedButton2Click();                            // one set of measurements
    void SpeedButton4Click();                            // default ranges of input 1
    void SpeedButton5Click();                            // default ranges of input 2

  private:
    LinkState& link_;
    Transmitter& port_;
    RegionalSettings regional_;
};

}  // namespace quorvel
