#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A field's text as rows held until the end of a run keep it, in fewer bytes: a flag as "1"
// or nothing, a UTC time ("2024-05-31T13:45:07Z") in seven bytes instead of twenty; any
// other text as it is. The field's text comes back exactly as it was.
std::string HeldFieldText(std::size_t field, const std::string& text);
std::string FieldTextOfHeld(std::size_t field, std::string_view held);
