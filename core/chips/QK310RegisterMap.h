#pragma once
#include "core/chips/RegisterTypes.h"

namespace qk {

// The first generation's 29 registers, as the windows name them, with their power-on values
// (00h as the QK310 reports it).
// clang-format off
inline constexpr RegisterInfo kQK310Registers[] = {
    {.subAddress = 0x00, .name = "General Status", .access = RegisterAccess::ReadOnly, .powerOn = 0x26,
     .bitCaptions = {"Vol Update", "Off", "ID Code", "ID Code", "ID Code", "ID Code", "ID Code", "No Errors"},
     .volatileValue = true,
     .bitSenses = {BitSense::Information, BitSense::Information, BitSense::Information, BitSense::Information, BitSense::Information, BitSense::Information, BitSense::Information, BitSense::FaultWhenClear},
     .bitFaults = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "an error bit of 01h is latched"}},
    // D7 "FS" reports no error: the chip's own error summary (00h D0) leaves it out.
    {.subAddress = 0x01, .name = "Error Status", .access = RegisterAccess::WriteClears, .powerOn = 0x00,
     .bitCaptions = {"FS", "Control Pin", "SCLK", "LRCLK", "MCLK Count", "DCLK Phase", "MCLK Timing", "PWM Timing"},
     .volatileValue = true,
     .bitSenses = {BitSense::Information, BitSense::FaultWhenSet, BitSense::FaultWhenSet, BitSense::FaultWhenSet, BitSense::FaultWhenSet, BitSense::FaultWhenSet, BitSense::FaultWhenSet, BitSense::FaultWhenSet},
     .bitFaults = {nullptr, "control pin error", "SCLK error", "LRCLK error", "MCLK count error", "DCLK phase error", "MCLK timing error", "PWM timing error"}},
    {.subAddress = 0x02, .name = "Sys Control 0", .access = RegisterAccess::ReadWrite, .powerOn = 0x05,
     .bitCaptions = {"Speed", "Speed", "Use DE I2C", "De-Emphasis", "De-Emphasis", "Format", "Format", "Format"}},
    {.subAddress = 0x03, .name = "Sys Control 1", .access = RegisterAccess::ReadWrite, .powerOn = 0x7E,
     .bitCaptions = {kNotUsed, "0 Auto Mute", "0 in mute", "Normal Mode", "SRD 18TC", "Normal Mode", "Auto Mute", "RESET Regs"},
     .actionBits = 0x01, .actionLowBits = 0x04},
    {.subAddress = 0x04, .name = "Error Recovery", .access = RegisterAccess::ReadWrite, .powerOn = 0xFF,
     .bitCaptions = {kNotUsed, kNotUsed, "Ch6 No ERM", "Ch5 No ERM", "Ch4 No ERM", "Ch3 No ERM", "Ch2 No ERM", "Ch1 No ERM"}},
    {.subAddress = 0x05, .name = "AutoMute Delay", .access = RegisterAccess::ReadWrite, .powerOn = 0x00,
     .bitCaptions = {kNotUsed, kNotUsed, kNotUsed, kNotUsed, "DELAY", "DELAY", "DELAY", "DELAY"},
     .conversion = Conversion::AutoMuteDelay},
    {.subAddress = 0x06, .name = "Ch1 DC Offset", .access = RegisterAccess::ReadWrite, .powerOn = 0x00, .conversion = Conversion::QK310DcOffset},
    {.subAddress = 0x07, .name = "Ch2 DC Offset", .access = RegisterAccess::ReadWrite, .powerOn = 0x00, .conversion = Conversion::QK310DcOffset},
    {.subAddress = 0x08, .name = "Ch3 DC Offset", .access = RegisterAccess::ReadWrite, .powerOn = 0x00, .conversion = Conversion::QK310DcOffset},
    {.subAddress = 0x09, .name = "Ch4 DC Offset", .access = RegisterAccess::ReadWrite, .powerOn = 0x00, .conversion = Conversion::QK310DcOffset},
    {.subAddress = 0x0A, .name = "Ch5 DC Offset", .access = RegisterAccess::ReadWrite, .powerOn = 0x00, .conversion = Conversion::QK310DcOffset},
    {.subAddress = 0x0B, .name = "Ch6 DC Offset", .access = RegisterAccess::ReadWrite, .powerOn = 0x00, .conversion = Conversion::QK310DcOffset},
    {.subAddress = 0x0C, .name = "Ch1 Delay", .access = RegisterAccess::ReadWrite, .powerOn = 0x00, .conversion = Conversion::HexReadout},
    {.subAddress = 0x0D, .name = "Ch2 Delay", .access = RegisterAccess::ReadWrite, .powerOn = 0x10, .conversion = Conversion::HexReadout},
    {.subAddress = 0x0E, .name = "Ch3 Delay", .access = RegisterAccess::ReadWrite, .powerOn = 0x20, .conversion = Conversion::HexReadout},
    {.subAddress = 0x0F, .name = "Ch4 Delay", .access = RegisterAccess::ReadWrite, .powerOn = 0x30, .conversion = Conversion::HexReadout},
    {.subAddress = 0x10, .name = "Ch5 Delay", .access = RegisterAccess::ReadWrite, .powerOn = 0x40, .conversion = Conversion::HexReadout},
    {.subAddress = 0x11, .name = "Ch6 Delay", .access = RegisterAccess::ReadWrite, .powerOn = 0x50, .conversion = Conversion::HexReadout},
    {.subAddress = 0x12, .name = "ABD Delay", .access = RegisterAccess::ReadWrite, .powerOn = 0x0B,
     .bitCaptions = {kNotUsed, kNotUsed, kNotUsed, "DELAY", "DELAY", "DELAY", "DELAY", "DELAY"},
     .conversion = Conversion::AbdDelay},
    {.subAddress = 0x13, .name = "Ch1 Volume", .access = RegisterAccess::WriteOnly, .powerOn = 0x00, .conversion = Conversion::QK310Volume},
    {.subAddress = 0x14, .name = "Ch2 Volume", .access = RegisterAccess::WriteOnly, .powerOn = 0x00, .conversion = Conversion::QK310Volume},
    {.subAddress = 0x15, .name = "Ch3 Volume", .access = RegisterAccess::WriteOnly, .powerOn = 0x00, .conversion = Conversion::QK310Volume},
    {.subAddress = 0x16, .name = "Ch4 Volume", .access = RegisterAccess::WriteOnly, .powerOn = 0x00, .conversion = Conversion::QK310Volume},
    {.subAddress = 0x17, .name = "Ch5 Volume", .access = RegisterAccess::WriteOnly, .powerOn = 0x00, .conversion = Conversion::QK310Volume},
    {.subAddress = 0x18, .name = "Ch6 Volume", .access = RegisterAccess::WriteOnly, .powerOn = 0x00, .conversion = Conversion::QK310Volume},
    {.subAddress = 0x19, .name = "Channel Mute", .access = RegisterAccess::ReadWrite, .powerOn = 0xFF,
     .bitCaptions = {kNotUsed, kNotUsed, "Ch6 UnMute", "Ch5 UnMute", "Ch4 UnMute", "Ch3 UnMute", "Ch2 UnMute", "Ch1 UnMute"}},
    {.subAddress = 0x1D, .name = "Dither", .access = RegisterAccess::ReadOnly, .powerOn = 0x33,
     .bitCaptions = {kNotUsed, kNotUsed, "NS_Enable", "Value", "Value", "Value", "Value", "Value"}},
    {.subAddress = 0x1E, .name = "Test 0", .access = RegisterAccess::Test, .powerOn = 0x00,
     .bitCaptions = {"MCLK_OUT", "ReClk Low", "ReClk High", "Buffer Low", "Buffer High", "Reset Filter", "Clear Filter", "Bypass"},
     .actionBits = 0x06},
    {.subAddress = 0x1F, .name = "Test 1", .access = RegisterAccess::Test, .powerOn = 0x00,
     .bitCaptions = {"Test Enable", kNotUsed, kNotUsed, kNotUsed, kNotUsed, kNotUsed, kNotUsed, "PLL Bypass"}},
};
// clang-format on

// The QK320 (and QK350/60) power-on value of 00h; every other register as the QK310.
inline constexpr uint8_t kQK320GeneralStatusPowerOn = 0x36;

}  // namespace qk
