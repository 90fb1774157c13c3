#include "config/SerialSettingsForm.h"

#include "base/Numbers.h"
#include "config/DialogText.h"
#include "config/Settings.h"

#include <algorithm>
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
constexpr std::array<const char*, kPortOptions.size() + 1> kPortNames = {
    "optCom1", "optCom2", "optCom3", "OptCom4", "optComOther"};

bool IsOtherPort(std::int16_t port) {
    return port > kPortOptions.back() && port <= kMaxPortNumber;
}

bool PortSelected(const SerialSettingsForm& form, std::size_t i) {
    return i == kOtherPortOption ? IsOtherPort(form.SelPort) : form.SelPort == kPortOptions[i];
}

// "Other:" takes the number its list shows; with an empty list there is nothing to take.
void SelectPort(SerialSettingsForm& form, std::size_t i) {
    if (i != kOtherPortOption) {
        form.SelPort = kPortOptions[i];
    } else if (form.otherPort != 0) {
        form.SelPort = form.otherPort;
    }
}

std::string PortCaption(std::size_t i) {
    return i == kOtherPortOption ? std::string(dialog_text::kOtherPortCaption)
                                 : dialog_text::kPortCaptionPrefix + Number(kPortOptions[i]);
}

bool Numbered(const SerialPortInfo& port) {
    return port.number >= 1 && port.number <= kMaxPortNumber;
}

std::string EntryText(const SerialPortInfo& port) {
    const std::string com = "COM" + Number(port.number);
    std::string text = com;
    if (!port.name.empty() && port.name != com) {
        text += "  " + port.name;
    }
    if (!port.description.empty()) {
        text += "  " + port.description;
    }
    if (!port.vendorId.empty()) {
        text += " (USB " + port.vendorId + ":" + port.productId;
        text += port.serialNumber.empty() ? ")" : ", serial " + port.serialNumber + ")";
    }
    return text;
}

const SerialPortInfo* PortNumbered(const SerialSettingsForm& form, std::int16_t number) {
    for (const SerialPortInfo& port : form.ports) {
        if (port.number == number) {
            return &port;
        }
    }
    return nullptr;
}
constexpr std::array<const char*, kParityOptions.size()> kParityNames = {
    "optParityNone", "optParityOdd", "optParityEven"};

constexpr SerialOptionGroup kPortGroup{dialog_text::kComPortFrame,
                                       "fraComPort",
                                       kPortNames.size(),
                                       [](std::size_t i) { return std::string(kPortNames[i]); },
                                       PortCaption,
                                       PortSelected,
                                       SelectPort};

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
    // A number no port can have selects nothing; OK then stores 0 unless one is picked.
    if (commPortNumber >= 1 && commPortNumber <= kMaxPortNumber) {
        form.SelPort = commPortNumber;
        form.storedPort = commPortNumber;
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

SerialSettingsForm LoadSerialSettingsForm(const Settings& settings,
                                          std::vector<SerialPortInfo> ports) {
    SerialSettingsForm form =
        LoadSerialSettingsForm(settings.CommPortNumber, settings.CommSettings);
    std::erase_if(ports, [](const SerialPortInfo& port) { return !Numbered(port); });
    std::stable_sort(
        ports.begin(), ports.end(),
        [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.number < b.number; });
    form.ports = std::move(ports);
    form.storedIdentity = settings.ScannerPort;
    const std::vector<OtherPortEntry> entries = OtherPortEntries(form);
    const auto beyondOptions = std::find_if(entries.begin(), entries.end(),
                                            [](const auto& e) { return IsOtherPort(e.number); });
    if (IsOtherPort(form.SelPort)) {
        form.otherPort = form.SelPort;
    } else if (beyondOptions != entries.end()) {
        form.otherPort = beyondOptions->number;
    } else if (!entries.empty()) {
        form.otherPort = entries.front().number;
    }
    return form;
}

std::vector<OtherPortEntry> OtherPortEntries(const SerialSettingsForm& form) {
    std::vector<OtherPortEntry> entries;
    for (const SerialPortInfo& port : form.ports) {
        if (entries.empty() || entries.back().number != port.number) {
            entries.push_back({static_cast<std::int16_t>(port.number), EntryText(port)});
        }
    }
    if (IsOtherPort(form.storedPort) && PortNumbered(form, form.storedPort) == nullptr) {
        const auto at = std::find_if(entries.begin(), entries.end(),
                                     [&](const auto& e) { return e.number > form.storedPort; });
        entries.insert(at, {form.storedPort,
                            "COM" + Number(form.storedPort) + "  " + dialog_text::kPortNotPresent});
    }
    return entries;
}

int OtherPortIndex(const SerialSettingsForm& form) {
    const std::vector<OtherPortEntry> entries = OtherPortEntries(form);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].number == form.otherPort) {
            return static_cast<int>(i);
        }
    }
    return entries.empty() ? -1 : 0;
}

void PickOtherPort(SerialSettingsForm& form, std::size_t index) {
    const std::vector<OtherPortEntry> entries = OtherPortEntries(form);
    if (index >= entries.size()) {
        return;
    }
    form.otherPort = entries[index].number;
    form.SelPort = form.otherPort;
}

// A port absent now keeps the identity it was stored with, so that OK on an unplugged
// scanner does not forget which device it was.
std::string ChosenPortIdentity(const SerialSettingsForm& form) {
    if (const SerialPortInfo* port = PortNumbered(form, form.SelPort)) {
        return port->identity;
    }
    return form.SelPort == form.storedPort ? form.storedIdentity : std::string();
}

std::string PortIdentityNote(const SerialSettingsForm& form) {
    const std::string identity = ChosenPortIdentity(form);
    return identity.empty() ? std::string(dialog_text::kPortByNumber)
                            : dialog_text::kPortByIdentity + identity;
}

std::string SerialSettingsText(const SerialSettingsForm& form) {
    return std::to_string(form.SelBaud) + "," + form.SelParity + "," +
           std::to_string(form.SelDataBits) + "," + std::to_string(form.SelStopBits);
}

SerialSettingsChoice ChosenSerialSettings(const SerialSettingsForm& form) {
    return {form.SelPort, SerialSettingsText(form), ChosenPortIdentity(form)};
}

void TakeSerialSettings(const SerialSettingsChoice& choice, Settings& settings) {
    settings.CommPortNumber = choice.CommPortNumber;
    settings.CommSettings = choice.CommSettings;
    settings.ScannerPort = choice.ScannerPort;
}

} // namespace quillet
