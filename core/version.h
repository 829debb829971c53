#pragma once
// The program's version stamp: written into every calculated payroll record and shown
// in window captions.
namespace tarix {
inline constexpr const char *kVersionStamp = "3.20H3";
inline constexpr const char *kVersionText = "Verzia 3.20H3.";
// "TARIX " followed by the first 13 characters of the version text in capitals.
inline constexpr const char *kCaptionPrefix = "TARIX VERZIA 3.20H3";
} // namespace tarix
