#include "app/logic/configuration_options.h"

namespace brondavel::app {

bool IsAdministratorPassword(const std::string& text) {
    return text == "quenlot";
}

std::string PortEntryLabel(int number, const std::string& device) {
    std::string label = "COM" + std::to_string(number);
    if (!device.empty()) label += "  (" + device + ")";
    return label;
}

PortChoice ParsePortChoice(const std::string& text, int currentNumber) {
    const size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) return {};
    const size_t end = text.find_last_not_of(' ');
    const std::string trimmed = text.substr(start, end - start + 1);
    if (trimmed.front() == '/') {
        const int number = currentNumber >= 1 && currentNumber <= 9 ? currentNumber : 1;
        return {number, trimmed};
    }
    if (trimmed.size() < 4 || trimmed.compare(0, 3, "COM") != 0) return {};
    const char digit = trimmed[3];
    const bool single = trimmed.size() == 4 || trimmed[4] == ' ';
    if (digit < '1' || digit > '9' || !single) return {};
    return {digit - '0', {}};
}

}  // namespace brondavel::app
