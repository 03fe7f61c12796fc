#pragma once
// What a numeric field says to text it refuses, in the register dialog's rules and in every
// integer field of the settings windows alike.

inline constexpr const char* text_enter_integer = "Please enter an integer.";
inline constexpr const char* text_enter_positive = "Please enter a positive integer.";
// %1 and %2 are the bounds.
inline constexpr const char* text_enter_between = "Please enter an integer between %1 and %2.";
