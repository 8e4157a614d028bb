// The configuration dialog's option tables, and the port entries of a Linux
// machine, where a port number stands for a device path.
#pragma once

#include <string>

#include "app/logic/option_table.h"

namespace brondavel::app {

inline constexpr OptionRow kPortOptions[] = {{"COM1", 1}, {"COM2", 2}, {"COM3", 3},
                                             {"COM4", 4}, {"COM5", 5}, {"COM6", 6},
                                             {"COM7", 7}, {"COM8", 8}, {"COM9", 9}};
inline constexpr OptionRow kBaudRateOptions[] = {
    {"110", 110},     {"300", 300},     {"600", 600},     {"1200", 1200},
    {"2400", 2400},   {"4800", 4800},   {"9600", 9600},   {"14400", 14400},
    {"19200", 19200}, {"38400", 38400}, {"57600", 57600}, {"115200", 115200}};
inline constexpr OptionRow kDataBitsOptions[] = {
    {"4 bit", 4}, {"5 bit", 5}, {"6 bit", 6}, {"7 bit", 7}, {"8 bit", 8}};
inline constexpr OptionRow kStopBitsOptions[] = {{"1 bit", 0}, {"1.5 bit", 1}, {"2 bit", 2}};
inline constexpr OptionRow kParityOptions[] = {
    {"None", 0}, {"Event", 2}, {"Odd", 1}, {"Marque", 3}, {"Espace", 4}};
inline constexpr OptionRow kModelSettingOptions[] = {{"Default", 0}};
inline constexpr OptionRow kModelTypeOptions[] = {{"CONEXANT", 2}};
inline constexpr OptionRow kCompressOptions[] = {
    {"Not Support", 0}, {"File Compress", 1}, {"Section Compress", 2}};
inline constexpr OptionRow kFlashTypeOptions[] = {
    {"Unknow", 0}, {"SST 2M", 3}, {"SST 4M", 4}, {"AMD 2M", 1}, {"AMD 4M", 2}};
inline constexpr OptionRow kAccountOptions[] = {{"User", 0}, {"Buyer", 1}, {"Administrator", 2}};

inline constexpr int kAccountUser = 0;
inline constexpr int kAccountBuyer = 1;
inline constexpr int kAccountAdministrator = 2;

// Exact and case-sensitive.
bool IsAdministratorPassword(const std::string& text);

// "COM3  (/dev/ttyS2)".
std::string PortEntryLabel(int number, const std::string& device);

// What the Port combo's text names: a port number (from "COM3" or a
// "COM3  (device)" entry), or a device path, which becomes the device of
// `currentNumber` (or of port 1 when that is not one of COM1 to COM9).
// number is 0 when the text names neither.
struct PortChoice {
    int number = 0;
    std::string device;  // empty: the port keeps its device
};
PortChoice ParsePortChoice(const std::string& text, int currentNumber);

}  // namespace brondavel::app
