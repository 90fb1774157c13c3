#include "config/SerialSettingsForm.h"

#include "base/Numbers.h"
#include "config/DialogText.h"
#include "config/Settings.h"

#include <cmath>
#include <limits>
#include <string_view>

namespace quillet {
namespace {

// A baud field that is no 32-bit number (too large, negative) can match no option and
// would not survive the write back; it reads as nothing chosen.
std::int32_t BaudFrom(std::string_view text) {
    const double rounded = std::nearbyint(LeadingNumber(text));
    if (rounded < 0 || rounded > std::numeric_limits<std::int32_t>::max()) {
        return 0;
    }
    return static_cast<std::int32_t>(rounded);
}

std::string_view CharAt(std::string_view text, std::size_t index) {
    return index < text.size() ? text.substr(index, 1) : std::string_view{};
}

std::int16_t DigitAt(std::string_view text, std::size_t index) {
    return LeadingInt16(CharAt(text, index)).value_or(0);
}

std::string Number(std::int32_t value) {
    return std::to_string(value);
}

// The fourth port's name is spelt with a capital, as the window has always named it.
constexpr std::array<const char*, kPortOptions.size()> kPortNames = {"optCom1", "optCom2",
                                                                     "optCom3", "OptCom4"};
constexpr std::array<const char*, kParityOptions.size()> kParityNames = {
    "optParityNone", "optParityOdd", "optParityEven"};

constexpr SerialOptionGroup kPortGroup{
    dialog_text::kComPortFrame,
    "fraComPort",
    kPortOptions.size(),
    [](std::size_t i) { return std::string(kPortNames[i]); },
    [](std::size_t i) { return dialog_text::kPortCaptionPrefix + Number(kPortOptions[i]); },
    [](const SerialSettingsForm& form, std::size_t i) { return form.SelPort == kPortOptions[i]; },
    [](SerialSettingsForm& form, std::size_t i) { form.SelPort = kPortOptions[i]; }};

constexpr SerialOptionGroup kBaudGroup{
    dialog_text::kBaudRateFrame,
    "fraBaudRate",
    kBaudOptions.size(),
    [](std::size_t i) { return "optBaud" + Number(kBaudOptions[i]); },
    [](std::size_t i) { return Number(kBaudOptions[i]); },
    [](const SerialSettingsForm& form, std::size_t i) { return form.SelBaud == kBaudOptions[i]; },
    [](SerialSettingsForm& form, std::size_t i) { form.SelBaud = kBaudOptions[i]; }};

constexpr SerialOptionGroup kParityGroup{
    dialog_text::kParityFrame,
    "fraParity",
    kParityOptions.size(),
    [](std::size_t i) { return std::string(kParityNames[i]); },
    [](std::size_t i) { return std::string(dialog_text::kParityCaptions[i]); },
    [](const SerialSettingsForm& form, std::size_t i) {
        return form.SelParity == kParityOptions[i];
    },
    [](SerialSettingsForm& form, std::size_t i) { form.SelParity = kParityOptions[i]; }};

constexpr SerialOptionGroup kDataBitsGroup{
    dialog_text::kDataBitsFrame,
    "fraDataBits",
    kDataBitsOptions.size(),
    [](std::size_t i) { return "optDataBits" + Number(kDataBitsOptions[i]); },
    [](std::size_t i) { return Number(kDataBitsOptions[i]); },
    [](const SerialSettingsForm& form, std::size_t i) {
        return form.SelDataBits == kDataBitsOptions[i];
    },
    [](SerialSettingsForm& form, std::size_t i) { form.SelDataBits = kDataBitsOptions[i]; }};

constexpr SerialOptionGroup kStopBitsGroup{
    dialog_text::kStopBitsFrame,
    "fraStopBits",
    kStopBitsOptions.size(),
    [](std::size_t i) { return "optStopBits" + Number(kStopBitsOptions[i]); },
    [](std::size_t i) { return Number(kStopBitsOptions[i]); },
    [](const SerialSettingsForm& form, std::size_t i) {
        return form.SelStopBits == kStopBitsOptions[i];
    },
    [](SerialSettingsForm& form, std::size_t i) { form.SelStopBits = kStopBitsOptions[i]; }};

constexpr std::array<SerialOptionGroup, kSerialOptionGroups> kGroups = {
    kPortGroup, kBaudGroup, kParityGroup, kDataBitsGroup, kStopBitsGroup};

} // namespace

const std::array<SerialOptionGroup, kSerialOptionGroups>& SerialOptionGroups() {
    return kGroups;
}

SerialSettingsForm LoadSerialSettingsForm(std::int16_t commPortNumber,
                                          const std::string& commSettings) {
    SerialSettingsForm form;
    for (const std::int16_t port : kPortOptions) {
        if (port == commPortNumber) {
            form.SelPort = port;
        }
    }
    const std::string_view text = commSettings;
    const std::size_t comma = text.find(',');
    form.SelBaud = BaudFrom(text.substr(0, comma));
    // Fields the stored text does not reach take the usual line settings, N, 8 and 1, so
    // that OK never writes back a text no port can open.
    const std::string_view rest =
        comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    form.SelParity = rest.size() > 0 ? std::string(CharAt(rest, 0)) : "N";
    form.SelDataBits = rest.size() > 2 ? DigitAt(rest, 2) : std::int16_t{8};
    form.SelStopBits = rest.size() > 4 ? DigitAt(rest, 4) : std::int16_t{1};
    return form;
}

std::string SerialSettingsText(const SerialSettingsForm& form) {
    return std::to_string(form.SelBaud) + "," + form.SelParity + "," +
           std::to_string(form.SelDataBits) + "," + std::to_string(form.SelStopBits);
}

SerialSettingsChoice ChosenSerialSettings(const SerialSettingsForm& form) {
    return {form.SelPort, SerialSettingsText(form)};
}

void TakeSerialSettings(const SerialSettingsChoice& choice, Settings& settings) {
    settings.CommPortNumber = choice.CommPortNumber;
    settings.CommSettings = choice.CommSettings;
}

} // namespace quillet
