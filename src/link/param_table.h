#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "link/param_code.h"

namespace quorvel {

// How WriteParamFromEdit reads an edit field.
enum ParamKind : uint8_t { pkFloat = 0, pkInteger = 1 };

enum class FieldKind : uint8_t { Float, Integer, List };

// One module parameter that has a control on the option panels.
struct ParamField {
    ParamCode code;
    const char* name;  // the control: edit field or drop-down list
    FieldKind kind;
    uint32_t lower;  // write bounds of integer fields
    uint32_t upper;
    int maxLength;                       // characters the edit field accepts; 0 for lists
    const char* readButton;              // nullptr where the module cannot be asked (calibrations)
    const char* writeButton;             // write or calibration button
    std::span<const char* const> items;  // list items, by index
};

// Input modes (codes 12 and 13) and math functions (codes 18 and 19), as the lists show them.
std::span<const char* const> ModeItems();
std::span<const char* const> FunctionItems();

// The 23 parameters of codes 1 to 23, in code order.
std::span<const ParamField> ParamFields();
const ParamField* FindParamField(ParamCode code);
const ParamField* FindParamField(std::string_view name);

}  // namespace quorvel
